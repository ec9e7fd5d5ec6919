#include "ui/ModalDialog.h"

#include "win/UserInterface.h"

INT_PTR ModalDialog::Run(HWND owner) {
  owner_ = owner;
  return ShowModalDialog(templateId_, owner, &Procedure, reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, INT_PTR& /*result*/) {
  const int clicked = ClickedId(message, wParam);
  if (clicked != IDOK && clicked != IDCANCEL) return false;
  EndDialog(window_, clicked);
  return true;
}

int ModalDialog::ClickedId(UINT message, WPARAM wParam) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return 0;
  return LOWORD(wParam);
}

// Messages sent before WM_INITDIALOG (WM_SETFONT) find no object and go to
// the system's handling.
INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
    dialog->window_ = window;
    dialog->OnInitDialog();
    CenterWindow(window, dialog->owner_);
    return TRUE;  // the system gives the focus to the first control that takes it
  }
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  INT_PTR result = 0;
  if (dialog == nullptr || !dialog->OnMessage(message, wParam, lParam, result)) return FALSE;
  // WM_QUERYDRAGICON is answered by the return value itself; every other
  // handled message through DWLP_MSGRESULT.
  if (message == WM_QUERYDRAGICON) return result;
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}
