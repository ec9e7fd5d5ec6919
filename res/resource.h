// Resource identifiers shared by RegOrvikPkg.rc and the code.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_REGORVIKPKG_DIALOG 102
#define IDD_USAGE 129

// The captions of the usage window and the dialog, which the log names
// when nobody can see them
#define USAGE_CAPTION "Orvik Package Registration Utility Command Line Parameters"
#define DIALOG_CAPTION "Orvik Package Registration"

// Icons
#define IDR_MAINFRAME 128

// Strings
#define IDS_ABOUTBOX 101
#define IDS_COMPILER_REGISTERED 102
#define IDS_ALREADY_INSTALLED 103
#define IDS_KEY_ABSENT 104

// Controls
#define IDC_ENABLE 1000
#define IDC_DISABLE 1001
#define IDC_USAGE_TEXT 1005
#define IDC_APPLY 0x3021

// The About item of the system menu
#define IDM_ABOUTBOX 0x0010
