#pragma once
// Windows, dialogs and message boxes (user32, comctl32).

#include <cstdint>

#include "platform/Handles.h"

namespace platform {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The callback of EnumWindows: a nonzero result goes on with the next window.
using EnumWindowsCallback = int (*)(WindowHandle window, std::intptr_t lParam);

// The receiving end of a modal dialog: gets every message of the dialog
// window from WM_INITDIALOG on.
class DialogProcedure {
 public:
  // True when the message was handled; `result` is then what the dialog
  // procedure answers (the direct return value for WM_INITDIALOG and
  // WM_QUERYDRAGICON, the message result otherwise).
  virtual bool HandleDialogMessage(WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::intptr_t& result) = 0;

 protected:
  ~DialogProcedure() = default;
};

class Ui {
 public:
  virtual ~Ui() = default;

  virtual int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t type) = 0;

  virtual WindowHandle FindWindow(const char* className, const char* windowName) = 0;
  virtual bool EnumWindows(EnumWindowsCallback callback, std::intptr_t lParam) = 0;
  virtual int GetWindowText(WindowHandle window, char* buffer, int size) = 0;
  virtual int GetWindowTextLength(WindowHandle window) = 0;
  virtual int GetClassName(WindowHandle window, char* buffer, int size) = 0;

  // DialogBoxParamA on a template of the program's own file; -1 when the
  // dialog could not be created.
  virtual std::intptr_t DialogBox(std::uint32_t templateId, WindowHandle parent, DialogProcedure& procedure) = 0;
  virtual bool EndDialog(WindowHandle dialog, std::intptr_t result) = 0;
  virtual WindowHandle GetDlgItem(WindowHandle dialog, int id) = 0;
  virtual bool EnableWindow(WindowHandle window, bool enable) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) = 0;
  virtual bool SetWindowText(WindowHandle window, const char* text) = 0;
  virtual std::uint32_t IsDlgButtonChecked(WindowHandle dialog, int id) = 0;
  virtual bool CheckDlgButton(WindowHandle dialog, int id, std::uint32_t check) = 0;
  virtual MenuHandle GetSystemMenu(WindowHandle window, bool revert) = 0;
  virtual bool AppendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id, const char* text) = 0;
  virtual std::intptr_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) = 0;

  // LoadIconA on an icon of the program's own file.
  virtual IconHandle LoadIcon(std::uint32_t resourceId) = 0;
  virtual bool IsIconic(WindowHandle window) = 0;
  // Moves the window, keeping its size, to the centre of `over` (its owner),
  // or of the work area of its monitor when there is none; never off that area.
  virtual void CenterWindow(WindowHandle window, WindowHandle over) = 0;
  virtual bool GetClientRect(WindowHandle window, Rect* rect) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual DcHandle BeginPaint(WindowHandle window) = 0;
  virtual void EndPaint(WindowHandle window) = 0;
  virtual bool DrawIcon(DcHandle dc, int x, int y, IconHandle icon) = 0;
};

}  // namespace platform
