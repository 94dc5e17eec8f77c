// Ids of robot_target.exe, shared by its code, its resources and the robot's test.
#ifndef ROBOT_TARGET_H
#define ROBOT_TARGET_H

#define IDD_TARGET 100
#define IDD_BOX 2000

#define IDC_LIST 101
#define IDC_EDIT 102
#define IDC_STATUS 103 // what the program saw last
#define IDC_ASK 104    // opens the box with the edit's text
#define IDC_COPY 105   // puts the edit's text on the clipboard
#define IDC_OFF 106    // disabled
#define IDC_HIDDEN 107
#define IDC_CHECK 108 // checked at start

#endif
