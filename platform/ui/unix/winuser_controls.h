// The common controls' class names, styles, messages and notifications, with
// the values of the Windows SDK.
#pragma once

#define WC_BUTTONW u"Button"
#define WC_EDITW u"Edit"
#define WC_STATICW u"Static"
#define WC_COMBOBOXW u"ComboBox"
#define WC_IPADDRESSW u"SysIPAddress32"
#define TRACKBAR_CLASSW u"msctls_trackbar32"
#define WC_DIALOGW u"#32770"

// Buttons
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_CHECKBOX 0x00000002L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_RADIOBUTTON 0x00000004L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_TYPEMASK 0x0000000FL
#define BS_LEFTTEXT 0x00000020L
#define BS_MULTILINE 0x00002000L
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_CLICK 0x00F5
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BN_CLICKED 0

// Edits
#define ES_LEFT 0x0000L
#define ES_NUMBER 0x2000L
#define ES_AUTOHSCROLL 0x0080L
#define EN_CHANGE 0x0300

// Statics
#define SS_LEFT 0x00000000L
#define SS_RIGHT 0x00000002L
#define SS_BITMAP 0x0000000EL
#define SS_CENTERIMAGE 0x00000200L
#define SS_TYPEMASK 0x0000001FL
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173

// Combo boxes
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_AUTOHSCROLL 0x0040L
#define CBS_SORT 0x0100L
#define CB_ERR (-1)
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_SETCURSEL 0x014E
#define CB_FINDSTRINGEXACT 0x0158
#define CBN_SELCHANGE 1
#define CBN_EDITCHANGE 5

// Track bars
#define TBS_HORZ 0x0000
#define TBS_NOTICKS 0x0010
#define TBM_GETPOS (WM_USER)
#define TBM_GETRANGEMIN (WM_USER + 1)
#define TBM_GETRANGEMAX (WM_USER + 2)
#define TBM_SETPOS (WM_USER + 5)
#define TBM_SETRANGEMIN (WM_USER + 7)
#define TBM_SETRANGEMAX (WM_USER + 8)
#define TB_THUMBPOSITION 4
#define TB_ENDTRACK 8

// IP address control: the window text is the dotted address.
#define IPM_CLEARADDRESS (WM_USER + 100)

// Property sheets: the active page by index (wParam).
#define PSM_SETCURSEL (WM_USER + 101)
