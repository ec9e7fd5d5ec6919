#pragma once
// The Enable/Disable dialog shown when the program starts without options.

#include <string>
#include <utility>

#include "operations/Speaker.h"
#include "ui/ModalDialog.h"

class CRegOrvikPkgDlg : public ModalDialog {
 public:
  CRegOrvikPkgDlg(std::string rootSuffix, const Speaker& speaker);

 protected:
  void OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool OnSysCommand(WPARAM id);
  bool OnPaint();
  void OnApply();
  void EnableApply(bool enable);
  void SetCancelCaption();
  // The radio buttons as Choice says, and Choice as they say.
  void ShowChoice();
  int CheckedChoice() const;

  HICON Icon;
  // The radio selection as last applied: 0 Enable, 1 Disable, -1 before
  // the dialog is initialised. Between two Apply clicks it holds the state
  // last applied, not the button currently checked.
  int Choice = -1;
  std::string rootSuffix_;
  Speaker speaker_;
};
