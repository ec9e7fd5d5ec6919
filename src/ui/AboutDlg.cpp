#include "ui/AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(platform::Ui& ui, platform::WindowHandle parent) : Dialog(ui, IDD_ABOUTBOX, parent) {}
