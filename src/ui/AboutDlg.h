#pragma once
// The About box, opened from the dialog's system menu.

#include "framework/Dialog.h"

class CAboutDlg : public framework::Dialog {
 public:
  CAboutDlg(platform::Ui& ui, platform::WindowHandle parent);
};
