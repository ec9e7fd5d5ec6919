#pragma once
// The Enable/Disable dialog shown when the program starts without options.

#include "framework/Dialog.h"
#include "platform/Handles.h"

class CRegOrvikPkgApp;

class CRegOrvikPkgDlg : public framework::Dialog {
 public:
  CRegOrvikPkgDlg(platform::Ui& ui, platform::WindowHandle parent);

  platform::IconHandle Icon = nullptr;
  CRegOrvikPkgApp* App = nullptr;
  int Choice = -1;  // as last applied: 0 Enable, 1 Disable
};
