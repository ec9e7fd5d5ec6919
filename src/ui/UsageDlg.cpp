#include "ui/UsageDlg.h"

#include "resource.h"
#include "text/Messages.h"

CUsageDlg::CUsageDlg() : ModalDialog(IDD_USAGE) {}

// The edit control shows the text line by line, tabs included, and scrolls
// sideways instead of wrapping.
void CUsageDlg::OnInitDialog() { SetDlgItemTextA(Window(), IDC_USAGE_TEXT, kUsage); }
