#include "app/UsageDlg.h"

#include "app/Messages.h"
#include "resource.h"

CUsageDlg::CUsageDlg(platform::Ui& ui, platform::WindowHandle parent) : Dialog(ui, IDD_USAGE, parent) {}

void CUsageDlg::DoDataExchange(framework::DataExchange& dx) { framework::DdxText(dx, IDC_USAGE_TEXT, UsageText); }

bool CUsageDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  UsageText = text::kUsage;
  UpdateData(false);
  return true;
}
