#include "framework/Dialog.h"

#include <vector>

#include "framework/Application.h"
#include "platform/WinConstants.h"

namespace framework {

void DdxText(DataExchange& dx, int id, std::string& value) {
  platform::Ui& ui = dx.Owner().Ui();
  platform::WindowHandle control = ui.GetDlgItem(dx.Owner().Window(), id);
  if (control == nullptr) return;
  if (!dx.SaveAndValidate()) {
    ui.SetWindowText(control, value.c_str());
    return;
  }
  const int length = ui.GetWindowTextLength(control);
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = ui.GetWindowText(control, buffer.data(), static_cast<int>(buffer.size()));
  value.assign(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void DdxRadio(DataExchange& dx, std::initializer_list<int> group, int& value) {
  platform::Ui& ui = dx.Owner().Ui();
  platform::WindowHandle dialog = dx.Owner().Window();
  int index = 0;
  if (dx.SaveAndValidate()) {
    value = -1;
    for (int id : group) {
      if (ui.IsDlgButtonChecked(dialog, id) == win::kBstChecked) {
        value = index;
        break;
      }
      ++index;
    }
    return;
  }
  for (int id : group) {
    ui.CheckDlgButton(dialog, id, index == value ? win::kBstChecked : win::kBstUnchecked);
    ++index;
  }
}

Dialog::Dialog(platform::Ui& ui, std::uint32_t templateId, platform::WindowHandle parent)
    : ui_(ui), templateId_(templateId), parent_(parent) {}

// A dialog started without a parent is owned by the application's main
// window while one runs, so that the main window waits behind it.
std::intptr_t Dialog::DoModal() {
  owner_ = parent_;
  if (owner_ == nullptr && Application::Current() != nullptr) owner_ = Application::Current()->MainWindow();
  const std::intptr_t result = ui_.DialogBox(templateId_, owner_, *this);
  window_ = nullptr;
  return result;
}

bool Dialog::UpdateData(bool saveAndValidate) {
  DataExchange dx(*this, saveAndValidate);
  DoDataExchange(dx);
  return true;
}

void Dialog::EndDialog(std::intptr_t result) { ui_.EndDialog(window_, result); }

void Dialog::DoDataExchange(DataExchange& /*dx*/) {}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(win::kIdOk);
}

void Dialog::OnCancel() { EndDialog(win::kIdCancel); }

bool Dialog::OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t /*lParam*/,
                       std::intptr_t& result) {
  if (message != win::kWmCommand) return false;
  if (IsClick(wParam, win::kIdOk)) {
    OnOK();
  } else if (IsClick(wParam, win::kIdCancel)) {
    OnCancel();
  } else {
    return false;
  }
  result = 0;
  return true;
}

bool Dialog::IsClick(std::uintptr_t wParam, int id) {
  return static_cast<int>(wParam & 0xFFFF) == id && ((wParam >> 16) & 0xFFFF) == win::kBnClicked;
}

bool Dialog::HandleDialogMessage(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::intptr_t& result) {
  if (message == win::kWmInitDialog) {
    window_ = dialog;
    result = OnInitDialog() ? 1 : 0;
    // Templates carry no position of their own: the dialog opens centred.
    ui_.CenterWindow(window_, owner_);
    return true;
  }
  return OnMessage(message, wParam, lParam, result);
}

}  // namespace framework
