#pragma once
// A modal dialog bound to a dialog template, in the shape of the classic
// framework dialogs: OnInitDialog, a message table (OnMessage), OK and Cancel
// handling, and a data exchange that moves members to and from controls.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/Ui.h"

namespace framework {

class Dialog;

// One transfer between a dialog's members and its controls.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool saveAndValidate) : dialog_(dialog), saveAndValidate_(saveAndValidate) {}
  Dialog& Owner() const { return dialog_; }
  // True: controls to members. False: members to controls.
  bool SaveAndValidate() const { return saveAndValidate_; }

 private:
  Dialog& dialog_;
  bool saveAndValidate_;
};

// The text of control `id` and a string member.
void DdxText(DataExchange& dx, int id, std::string& value);
// A radio group and the index of its checked button (-1: none checked).
void DdxRadio(DataExchange& dx, std::initializer_list<int> group, int& value);

class Dialog : private platform::DialogProcedure {
 public:
  Dialog(platform::Ui& ui, std::uint32_t templateId, platform::WindowHandle parent);
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog until it ends; its result, or -1 when it could not be created.
  std::intptr_t DoModal();
  bool UpdateData(bool saveAndValidate);
  void EndDialog(std::intptr_t result);

  platform::WindowHandle Window() const { return window_; }
  platform::Ui& Ui() { return ui_; }

 protected:
  virtual void DoDataExchange(DataExchange& dx);
  // Moves the members into the controls; true lets the system set the focus.
  virtual bool OnInitDialog();
  // Moves the controls into the members and ends the dialog with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  // The dialog's message table: true when the message was handled.
  virtual bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);

  // True when wParam of a WM_COMMAND is a click on control `id`.
  static bool IsClick(std::uintptr_t wParam, int id);

 private:
  bool HandleDialogMessage(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam, std::intptr_t& result) override;

  platform::Ui& ui_;
  std::uint32_t templateId_;
  platform::WindowHandle parent_;
  platform::WindowHandle owner_ = nullptr;
  platform::WindowHandle window_ = nullptr;
};

}  // namespace framework
