// The program's only way to show a message. The Windows start-up installs the real message box;
// tests install a recorder, so they see exactly what the user would.
#pragma once

// Shows text (Shift-JIS) modally with the given message-box type and returns the pressed
// button's code (1 OK ... 7 No).
int appMessageBox(const char* text, int type);

using MessageHandler = int (*)(const char* text, int type);

// Installs the function that appMessageBox calls; returns the previous one. With none
// installed, appMessageBox shows nothing and answers 1 (OK).
MessageHandler setMessageHandler(MessageHandler handler);

// Message-box types and results the program uses.
enum : int { kMbOk = 0, kMbYesNo = 4 };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };
