#pragma once
// The Enable/Disable dialog shown when the program starts without options.

#include <cstdint>

#include "framework/Dialog.h"
#include "platform/Platform.h"

class CRegOrvikPkgApp;

class CRegOrvikPkgDlg : public framework::Dialog {
 public:
  CRegOrvikPkgDlg(platform::Platform& platform, platform::WindowHandle parent);

  platform::IconHandle Icon = nullptr;
  CRegOrvikPkgApp* App = nullptr;
  // The radio selection as last applied: 0 Enable, 1 Disable, -1 before
  // the dialog is initialised.
  int Choice = -1;

 protected:
  void DoDataExchange(framework::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
  void OnOK() override;
  void OnCancel() override;

  bool OnSysCommand(std::uintptr_t id, std::intptr_t lParam);
  bool OnPaint();
  std::intptr_t OnQueryDragIcon();
  void OnEnableClicked();
  void OnDisableClicked();
  void OnApply();

  void EnableApply(bool enable);
  void SetCancelCaption();

 private:
  platform::Platform& platform_;
};
