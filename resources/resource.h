// Identifiers and layout of the program's dialog template. The resource
// script and the C++ code both include this file, so it holds plain #defines
// only: the resource compiler reads nothing but the preprocessor. Coordinates
// and sizes are dialog units.
#ifndef QUORVANE_RESOURCE_H
#define QUORVANE_RESOURCE_H

#define IDD_SUPPORT_TEXT 101
#define IDC_SUPPORT_TEXT 1000
#ifndef IDOK
#define IDOK 1
#endif

// WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
#define SUPPORT_DIALOG_STYLE 0x80C800C0
#define SUPPORT_DIALOG_X 80
#define SUPPORT_DIALOG_Y 60
#define SUPPORT_DIALOG_WIDTH 271
#define SUPPORT_DIALOG_HEIGHT 165
#define SUPPORT_DIALOG_CAPTION "Dialog"
#define SUPPORT_DIALOG_FONT_SIZE 10
#define SUPPORT_DIALOG_FONT_FACE "MS Sans Serif"

// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON
#define SUPPORT_OK_STYLE 0x50010001
#define SUPPORT_OK_TEXT "OK"
#define SUPPORT_OK_X 110
#define SUPPORT_OK_Y 136
#define SUPPORT_OK_WIDTH 50
#define SUPPORT_OK_HEIGHT 14

// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_READONLY | ES_MULTILINE
#define SUPPORT_EDIT_STYLE 0x50A10804
#define SUPPORT_EDIT_X 15
#define SUPPORT_EDIT_Y 17
#define SUPPORT_EDIT_WIDTH 241
#define SUPPORT_EDIT_HEIGHT 112

#endif
