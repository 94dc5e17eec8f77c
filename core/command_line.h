// Switches on the program's command line, read as Windows hands it over (GetCommandLineW): the
// program's name, quoted when it holds blanks, then the arguments.
#pragma once

// True when an argument after the program's name is "/name" or "-name" as a whole, in any case
// of its ASCII letters. Quotes group blanks into an argument and are not part of it.
bool hasSwitch(const wchar_t* commandLine, const char* name);
