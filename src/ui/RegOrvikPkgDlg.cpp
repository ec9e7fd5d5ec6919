#include "ui/RegOrvikPkgDlg.h"

#include "resource.h"

CRegOrvikPkgDlg::CRegOrvikPkgDlg(platform::Ui& ui, platform::WindowHandle parent)
    : Dialog(ui, IDD_REGORVIKPKG_DIALOG, parent) {}
