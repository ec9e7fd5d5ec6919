#include "win/UserInterface.h"

#include <commctrl.h>

#include "win/Log.h"
#include "win/SystemFiles.h"

#include <vector>

namespace {

// The common control classes give the program's windows the visual styles
// its manifest asks for. The library is loaded before the first window only:
// a quiet command-line run that shows nothing never loads it, which keeps it
// as quick to start as the system allows. It stays loaded for the rest of
// the process.
void LoadCommonControls() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  const auto init =
      FindFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx");
  if (init == nullptr) return;
  INITCOMMONCONTROLSEX classes;
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES;
  init(&classes);
}

}  // namespace

std::string LoadResourceString(UINT id) {
  // A string-table entry holds at most 4097 bytes in the ANSI code page.
  std::vector<char> buffer(8192, '\0');
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer.data(), static_cast<int>(buffer.size()));
  if (length <= 0) return std::string();
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type) {
  LoadCommonControls();
  const int pressed = MessageBoxA(owner, text.c_str(), caption, type);
  const char* names[] = {"failed", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  LogStep("message box " + Quote(caption) + " " + Quote(text) + ": " +
          (pressed >= 0 && pressed <= IDNO ? names[pressed] : std::to_string(pressed)));
  return pressed;
}

INT_PTR ShowModalDialog(UINT templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  LoadCommonControls();
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
}

void CenterWindow(HWND window, HWND owner) {
  RECT own = {};
  if (!GetWindowRect(window, &own)) return;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return;
  }
  const RECT area = monitor.rcWork;
  RECT target = area;
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &target);

  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  LONG x = target.left + (target.right - target.left - width) / 2;
  LONG y = target.top + (target.bottom - target.top - height) / 2;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
