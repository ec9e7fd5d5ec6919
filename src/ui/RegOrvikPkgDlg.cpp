#include "ui/RegOrvikPkgDlg.h"

#include <string>

#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "framework/Format.h"
#include "platform/WinConstants.h"
#include "resource.h"
#include "ui/AboutDlg.h"

CRegOrvikPkgDlg::CRegOrvikPkgDlg(platform::Platform& platform, platform::WindowHandle parent)
    : Dialog(platform.ui, IDD_REGORVIKPKG_DIALOG, parent), platform_(platform) {
  Icon = platform_.ui.LoadIcon(IDR_MAINFRAME);
}

void CRegOrvikPkgDlg::DoDataExchange(framework::DataExchange& dx) {
  framework::DdxRadio(dx, {IDC_ENABLE, IDC_DISABLE}, Choice);
}

bool CRegOrvikPkgDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  platform::Ui& ui = platform_.ui;

  platform::MenuHandle systemMenu = ui.GetSystemMenu(Window(), false);
  if (systemMenu != nullptr) {
    const std::string about = framework::LoadResourceString(platform_.modules, IDS_ABOUTBOX);
    if (!about.empty()) {
      ui.AppendMenu(systemMenu, win::kMfSeparator, 0, nullptr);
      ui.AppendMenu(systemMenu, win::kMfString, IDM_ABOUTBOX, about.c_str());
    }
  }
  ui.SendMessage(Window(), win::kWmSetIcon, win::kIconBig, reinterpret_cast<std::intptr_t>(Icon));
  ui.SendMessage(Window(), win::kWmSetIcon, win::kIconSmall, reinterpret_cast<std::intptr_t>(Icon));

  App = CRegOrvikPkgApp::Current();
  Choice = App->QueryPackageEnabled() ? 0 : 1;
  EnableApply(false);
  UpdateData(false);
  return true;
}

bool CRegOrvikPkgDlg::OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::intptr_t& result) {
  result = 0;
  switch (message) {
    case win::kWmSysCommand:
      return OnSysCommand(wParam, lParam);
    case win::kWmPaint:
      return OnPaint();
    case win::kWmQueryDragIcon:
      result = OnQueryDragIcon();
      return true;
    case win::kWmCommand:
      if (IsClick(wParam, IDC_ENABLE)) {
        OnEnableClicked();
      } else if (IsClick(wParam, IDC_DISABLE)) {
        OnDisableClicked();
      } else if (IsClick(wParam, win::kIdOk)) {
        OnOK();
      } else if (IsClick(wParam, IDC_APPLY)) {
        OnApply();
      } else if (IsClick(wParam, win::kIdCancel)) {
        OnCancel();
      } else {
        return false;
      }
      return true;
    default:
      return false;
  }
}

bool CRegOrvikPkgDlg::OnSysCommand(std::uintptr_t id, std::intptr_t /*lParam*/) {
  if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;  // the system's own commands
  CAboutDlg about(platform_.ui, nullptr);
  about.DoModal();
  return true;
}

// Minimised, the dialog shows its icon centred in the client area; otherwise
// the system paints it.
bool CRegOrvikPkgDlg::OnPaint() {
  platform::Ui& ui = platform_.ui;
  if (!ui.IsIconic(Window())) return false;

  platform::DcHandle dc = ui.BeginPaint(Window());
  ui.SendMessage(Window(), win::kWmIconEraseBkgnd, reinterpret_cast<std::uintptr_t>(dc), 0);
  const int iconWidth = ui.GetSystemMetrics(win::kSmCxIcon);
  const int iconHeight = ui.GetSystemMetrics(win::kSmCyIcon);
  platform::Rect client;
  ui.GetClientRect(Window(), &client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  ui.DrawIcon(dc, x, y, Icon);
  ui.EndPaint(Window());
  return true;
}

std::intptr_t CRegOrvikPkgDlg::OnQueryDragIcon() { return reinterpret_cast<std::intptr_t>(Icon); }

// Apply is enabled exactly while the checked button differs from the state
// last applied.
void CRegOrvikPkgDlg::OnEnableClicked() { EnableApply(Choice != 0); }

void CRegOrvikPkgDlg::OnDisableClicked() { EnableApply(Choice != 1); }

void CRegOrvikPkgDlg::OnApply() {
  const int old = Choice;
  UpdateData(true);
  if (Choice == old) return;

  if (Choice == 0 || Choice == 1) {
    const bool enable = Choice == 0;
    if (enable ? App->EnablePackage() : App->DisablePackage()) {
      EnableApply(false);
      SetCancelCaption();
      if (App->IsIdeRunning()) App->MessageBox(text::kRestartNotice, win::kMbOk);
      return;
    }
    App->MessageBox(enable ? text::kDialogFailedEnable : text::kDialogFailedDisable, win::kMbIconError);
  }
  // Back to the state last applied.
  Choice = old;
  UpdateData(false);
  EnableApply(false);
}

void CRegOrvikPkgDlg::OnOK() {
  OnApply();
  Dialog::OnOK();
}

void CRegOrvikPkgDlg::OnCancel() { Dialog::OnCancel(); }

void CRegOrvikPkgDlg::EnableApply(bool enable) {
  platform::WindowHandle apply = platform_.ui.GetDlgItem(Window(), IDC_APPLY);
  if (apply != nullptr) platform_.ui.EnableWindow(apply, enable);
}

void CRegOrvikPkgDlg::SetCancelCaption() {
  platform::WindowHandle cancel = platform_.ui.GetDlgItem(Window(), win::kIdCancel);
  if (cancel != nullptr) platform_.ui.SetWindowText(cancel, text::kCloseCaption);
}
