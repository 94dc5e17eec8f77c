// Double-byte text of the system's ANSI code page, for programs and libraries on Windows.
#pragma once

// Makes the text helpers step over the double-byte characters of the system's ANSI code page.
// Called once by the program entry and by a library when it is loaded.
void useSystemCodePage();
