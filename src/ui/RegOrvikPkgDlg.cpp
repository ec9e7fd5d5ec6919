#include "ui/RegOrvikPkgDlg.h"

#include "operations/IdeDetection.h"
#include "operations/PackageSwitch.h"
#include "resource.h"
#include "text/Messages.h"
#include "win/UserInterface.h"

namespace {

// The About box of the system menu: nothing of its own but OK.
class CAboutDlg : public ModalDialog {
 public:
  CAboutDlg() : ModalDialog(IDD_ABOUTBOX) {}
};

}  // namespace

CRegOrvikPkgDlg::CRegOrvikPkgDlg(std::string rootSuffix, const Speaker& speaker)
    : ModalDialog(IDD_REGORVIKPKG_DIALOG),
      Icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      rootSuffix_(std::move(rootSuffix)),
      speaker_(speaker) {}

void CRegOrvikPkgDlg::OnInitDialog() {
  // The dialog is the main window: the application's boxes belong to it.
  speaker_ = speaker_.OwnedBy(Window());
  if (HMENU systemMenu = GetSystemMenu(Window(), FALSE)) {
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (!about.empty()) {
      AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
  SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));

  Choice = QueryPackageEnabled(rootSuffix_) ? 0 : 1;
  EnableApply(false);
  ShowChoice();
}

bool CRegOrvikPkgDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_PAINT:
      return OnPaint();
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(Icon);
      return true;
  }
  // Apply is enabled exactly while the checked button differs from the
  // state last applied.
  switch (ClickedId(message, wParam)) {
    case IDC_ENABLE:
      EnableApply(Choice != 0);
      return true;
    case IDC_DISABLE:
      EnableApply(Choice != 1);
      return true;
    case IDC_APPLY:
      OnApply();
      return true;
    case IDOK:
      // OK applies and closes, whether the change worked or not.
      OnApply();
      EndDialog(Window(), IDOK);
      return true;
  }
  return ModalDialog::OnMessage(message, wParam, lParam, result);
}

// The About item of the system menu; the system's own commands are left to it.
bool CRegOrvikPkgDlg::OnSysCommand(WPARAM id) {
  if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg().Run(Window());
  return true;
}

// Minimised, the dialog shows its icon centred in the client area; otherwise
// the system paints it.
bool CRegOrvikPkgDlg::OnPaint() {
  if (!IsIconic(Window())) return false;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Window(), &paint);
  SendMessageA(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client = {};
  GetClientRect(Window(), &client);
  DrawIcon(dc, (client.right - client.left - iconWidth + 1) / 2, (client.bottom - client.top - iconHeight + 1) / 2,
           Icon);
  EndPaint(Window(), &paint);
  return true;
}

void CRegOrvikPkgDlg::OnApply() {
  const int old = Choice;
  Choice = CheckedChoice();
  if (Choice == old) return;

  if (Choice == 0 || Choice == 1) {
    const bool enable = Choice == 0;
    if (enable ? EnablePackage(rootSuffix_, speaker_) : DisablePackage(rootSuffix_, speaker_)) {
      EnableApply(false);
      SetCancelCaption();
      if (IsIdeRunning()) speaker_.AppBox(kRestartNotice, MB_OK);
      return;
    }
    speaker_.AppBox(enable ? kDialogFailedEnable : kDialogFailedDisable, MB_ICONERROR);
  }
  // Back to the state last applied.
  Choice = old;
  ShowChoice();
  EnableApply(false);
}

void CRegOrvikPkgDlg::EnableApply(bool enable) {
  if (HWND apply = GetDlgItem(Window(), IDC_APPLY)) EnableWindow(apply, enable ? TRUE : FALSE);
}

void CRegOrvikPkgDlg::SetCancelCaption() {
  if (HWND cancel = GetDlgItem(Window(), IDCANCEL)) SetWindowTextA(cancel, kCloseCaption);
}

void CRegOrvikPkgDlg::ShowChoice() {
  CheckDlgButton(Window(), IDC_ENABLE, Choice == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_DISABLE, Choice == 1 ? BST_CHECKED : BST_UNCHECKED);
}

int CRegOrvikPkgDlg::CheckedChoice() const {
  if (IsDlgButtonChecked(Window(), IDC_ENABLE) == BST_CHECKED) return 0;
  if (IsDlgButtonChecked(Window(), IDC_DISABLE) == BST_CHECKED) return 1;
  return -1;
}
