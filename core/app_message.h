// The program's only way to show a message, behind one replaceable seam: the Windows start-up
// installs the real message box; tests install a recorder, so they see exactly what the user
// would.
#pragma once

// Shows text (Shift-JIS) modally with the given message-box type and returns the pressed
// button's code (1 OK ... 7 No), through messageBoxes().
int appMessageBox(const char* text, int type);

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual int show(const char* text, int type) = 0;
};

// What appMessageBox uses: the installed one; with none, nothing is shown and 1 (OK) answers.
MessageBoxes& messageBoxes();
// Installs one (nullptr: none again); returns the previous one.
MessageBoxes* setMessageBoxes(MessageBoxes* boxes);

// Message-box types and results the program uses.
enum : int { kMbOk = 0, kMbYesNo = 4 };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };
