#pragma once
// The smallest support the program's dialogs need: a dialog procedure that
// finds the dialog's object in DWLP_USER (put there from WM_INITDIALOG's
// lParam) and lets it add to the system's own handling. Every dialog opens
// centred on its owner, and OK and Cancel end it.

#include <windows.h>

class ModalDialog {
 public:
  explicit ModalDialog(UINT templateId) : templateId_(templateId) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Runs the dialog until it ends; its result, or -1 when it could not be created.
  INT_PTR Run(HWND owner);

 protected:
  HWND Window() const { return window_; }
  virtual void OnInitDialog() {}
  // True when the dialog handled the message; `result` is then its answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  // The control id of a button click carried by WM_COMMAND, or 0.
  static int ClickedId(UINT message, WPARAM wParam);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
};
