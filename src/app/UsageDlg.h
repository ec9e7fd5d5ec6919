#pragma once
// The window that shows the command-line usage.

#include <string>

#include "framework/Dialog.h"

class CUsageDlg : public framework::Dialog {
 public:
  CUsageDlg(platform::Ui& ui, platform::WindowHandle parent);

  // Bound to the edit control that shows it.
  std::string UsageText;

 protected:
  void DoDataExchange(framework::DataExchange& dx) override;
  bool OnInitDialog() override;
};
