#pragma once
// The window that shows the command-line usage, for "/h" and "/?".

#include "ui/ModalDialog.h"

class CUsageDlg : public ModalDialog {
 public:
  CUsageDlg();

 protected:
  void OnInitDialog() override;
};
