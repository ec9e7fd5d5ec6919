#pragma once
// The window seam on user32, gdi32 and comctl32.

#include <memory>

#include "platform/Ui.h"

namespace win32 {

class Win32Ui final : public platform::Ui {
 public:
  Win32Ui();
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;


  int MessageBox(platform::WindowHandle owner, const char* text, const char* caption, std::uint32_t type) override;

  platform::WindowHandle FindWindow(const char* className, const char* windowName) override;
  bool EnumWindows(platform::EnumWindowsCallback callback, std::intptr_t lParam) override;
  int GetWindowText(platform::WindowHandle window, char* buffer, int size) override;
  int GetWindowTextLength(platform::WindowHandle window) override;
  int GetClassName(platform::WindowHandle window, char* buffer, int size) override;

  std::intptr_t DialogBox(std::uint32_t templateId, platform::WindowHandle parent,
                          platform::DialogProcedure& procedure) override;
  bool EndDialog(platform::WindowHandle dialog, std::intptr_t result) override;
  platform::WindowHandle GetDlgItem(platform::WindowHandle dialog, int id) override;
  bool EnableWindow(platform::WindowHandle window, bool enable) override;
  bool IsWindowEnabled(platform::WindowHandle window) override;
  bool SetWindowText(platform::WindowHandle window, const char* text) override;
  std::uint32_t IsDlgButtonChecked(platform::WindowHandle dialog, int id) override;
  bool CheckDlgButton(platform::WindowHandle dialog, int id, std::uint32_t check) override;
  platform::MenuHandle GetSystemMenu(platform::WindowHandle window, bool revert) override;
  bool AppendMenu(platform::MenuHandle menu, std::uint32_t flags, std::uintptr_t id, const char* text) override;
  std::intptr_t SendMessage(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) override;

  platform::IconHandle LoadIcon(std::uint32_t resourceId) override;
  bool IsIconic(platform::WindowHandle window) override;
  void CenterWindow(platform::WindowHandle window, platform::WindowHandle over) override;
  bool GetClientRect(platform::WindowHandle window, platform::Rect* rect) override;
  int GetSystemMetrics(int index) override;
  platform::DcHandle BeginPaint(platform::WindowHandle window) override;
  void EndPaint(platform::WindowHandle window) override;
  bool DrawIcon(platform::DcHandle dc, int x, int y, platform::IconHandle icon) override;

 private:
  void RegisterCommonControls();
  bool commonControlsRegistered_ = false;
  // The paint structure of each window between BeginPaint and EndPaint.
  struct OpenPaints;
  std::unique_ptr<OpenPaints> paints_;
};

}  // namespace win32
