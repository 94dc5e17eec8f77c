// Asking the shell to open a web address, a document or a mail link with its program.
#pragma once

// verb nullptr is the default action. False when the shell reports a failure (a result below
// 32). shellOpen takes a Shift-JIS text (web addresses, a mail link with its subject);
// shellOpenFile a UTF-8 path.
bool shellOpen(const char* verb, const char* target);
bool shellOpenFile(const char* verb, const char* path);
