#pragma once
#include "framework/Dialog.h"

class CAboutDlg : public framework::Dialog {
 public:
  CAboutDlg(platform::Ui& ui, platform::WindowHandle parent);
};
