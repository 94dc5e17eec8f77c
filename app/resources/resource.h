// Resource ids of Keyvane, shared by keyvane.rc and the dialogs' code. Plain #defines only, so
// that windres can read the file as well as the compiler.
//
// Several dialogs reuse a control number for different roles; each role has its own name with
// the same value, so the code always says which control it means.
#ifndef KEYVANE_RESOURCE_H
#define KEYVANE_RESOURCE_H

// Dialog templates, menu, string, icon.
#define IDD_ABOUT_BOX 100
#define IDS_ABOUT_MENU_ITEM 101 // caption of the About item added to the system menu
#define IDD_MAIN_WINDOW 102
#define IDI_KEYVANE 128
#define IDD_PIN_PROMPT 129
#define IDD_ENTRY_EDITOR 130
#define IDR_MAIN_MENU 132
#define IDR_MAIN_KEYS 133 // the main window's accelerator keys

// Main window (102).
#define IDC_MAIN_LIST 1000
#define IDC_MAIN_ID_LABEL 1003
#define IDC_MAIN_PASSWORD_LABEL 1004
#define IDC_MAIN_EXIT 1005
#define IDC_MAIN_EDIT 1006
#define IDC_MAIN_LOGIN 1007 // reads "ﾛｸﾞｲﾝ" or "ﾛｸﾞｱｳﾄ"
#define IDC_MAIN_WEB 1008
#define IDC_MAIN_ID_FIELD 1021       // click copies the ID
#define IDC_MAIN_PASSWORD_FIELD 1022 // asterisks; click copies the password

// PIN prompt (129).
#define IDC_PIN_LABEL 1013
#define IDC_PIN_FIELD 1015
#define IDC_PIN_CANCEL 1022

// Entry editor (130).
#define IDC_EDITOR_LIST 1007
#define IDC_EDITOR_ID 1008
#define IDC_EDITOR_PASSWORD 1009
#define IDC_EDITOR_ID_LABEL 1010
#define IDC_EDITOR_PASSWORD_LABEL 1011
#define IDC_EDITOR_PIN 1012
#define IDC_EDITOR_PIN_LABEL 1013
#define IDC_EDITOR_REGISTER 1014
#define IDC_EDITOR_CLOSE 1015
#define IDC_EDITOR_NAME 1016
#define IDC_EDITOR_NAME_LABEL 1017
#define IDC_EDITOR_CHANGE_PIN 1018
#define IDC_EDITOR_DELETE 1019
#define IDC_EDITOR_URL_LABEL 1020
#define IDC_EDITOR_CLEAR 1021
#define IDC_EDITOR_URL 1022
#define IDC_EDITOR_AUTO_LOGOUT_LABEL 1023
#define IDC_EDITOR_LIST_GROUP 1027
#define IDC_EDITOR_SETTINGS_GROUP 1028
#define IDC_EDITOR_PIN_NOTE 1032 // "数字４桁", drawn in red
#define IDC_EDITOR_AUTO_LOGOUT_ON 1033
#define IDC_EDITOR_AUTO_LOGOUT_OFF 1034
#define IDC_EDITOR_AUTO_LOGOUT_NOTE 1035 // "（60秒）"

// About box (100); its OK button is IDOK (1).
#define IDC_ABOUT_VERSION 1024
#define IDC_ABOUT_NOTICE 1025
#define IDC_ABOUT_ICON 1031

// Commands of menu 132.
#define ID_HELP_WEB_SUPPORT 32772
#define ID_HELP_MAIL_INQUIRY 32773
#define ID_HELP_MANUAL 32774

// Commands of the main window's keys (accelerators IDR_MAIN_KEYS).
#define ID_KEY_COPY_ID 32775
#define ID_KEY_COPY_PASSWORD 32776
#define ID_KEY_OPEN_WEB 32777
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 57664 // 0xE140, the About command number dialog frameworks share
#endif

// The About item the main window appends to its system menu. System commands keep the low four
// bits for themselves, so 16 to 31 all mean this item.
#define IDM_ABOUT_BOX 0x0010

#endif
