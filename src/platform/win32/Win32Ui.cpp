#include "platform/win32/Win32Ui.h"

#include <map>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/WindowsApi.h"

#include <commctrl.h>  // needs <windows.h> first

namespace win32 {

namespace {

struct EnumWindowsContext {
  platform::EnumWindowsCallback callback;
  std::intptr_t lParam;
};

// The seam's callback has the default calling convention; the system calls
// back with its own (__stdcall on i686), so a trampoline sits between them.
BOOL CALLBACK EnumWindowsTrampoline(HWND window, LPARAM lParam) {
  const auto* context = reinterpret_cast<const EnumWindowsContext*>(lParam);
  return context->callback(FromSystem(window), context->lParam) != 0 ? TRUE : FALSE;
}

// The messages whose dialog-procedure return value is the message result
// itself; every other handled message answers through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

// One dialog procedure for every dialog of the program: it finds the
// receiving object in DWLP_USER, put there from DialogBoxParamA's lParam at
// WM_INITDIALOG. Messages sent before that (WM_SETFONT) go unhandled.
INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* procedure = reinterpret_cast<platform::DialogProcedure*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (procedure == nullptr) return FALSE;

  std::intptr_t result = 0;
  if (!procedure->HandleDialogMessage(FromSystem(dialog), message, wParam, lParam, result)) return FALSE;
  if (ReturnsResultDirectly(message)) return result;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

HMODULE OwnModule() { return GetModuleHandleA(nullptr); }

}  // namespace

struct Win32Ui::OpenPaints {
  std::map<HWND, PAINTSTRUCT> byWindow;
};

Win32Ui::Win32Ui() : paints_(std::make_unique<OpenPaints>()) {}

Win32Ui::~Win32Ui() = default;

// The common control classes give the program's windows the visual styles
// its manifest asks for. The library is loaded before the first window
// only (the manifest makes that the version 6 library): a run that shows
// nothing never loads it, which keeps a quiet command-line run as quick to
// start as the system allows. It stays loaded for the rest of the process.
void Win32Ui::RegisterCommonControls() {
  if (commonControlsRegistered_) return;
  commonControlsRegistered_ = true;
  HMODULE library = LoadLibraryA("comctl32.dll");
  if (library == nullptr) return;
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
  if (init == nullptr) return;
  INITCOMMONCONTROLSEX classes;
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES;
  init(&classes);
}

int Win32Ui::MessageBox(platform::WindowHandle owner, const char* text, const char* caption, std::uint32_t type) {
  RegisterCommonControls();
  return MessageBoxA(ToSystem(owner), text, caption, type);
}

platform::WindowHandle Win32Ui::FindWindow(const char* className, const char* windowName) {
  return FromSystem(FindWindowA(className, windowName));
}

bool Win32Ui::EnumWindows(platform::EnumWindowsCallback callback, std::intptr_t lParam) {
  EnumWindowsContext context{callback, lParam};
  return ::EnumWindows(&EnumWindowsTrampoline, reinterpret_cast<LPARAM>(&context)) != FALSE;
}

int Win32Ui::GetWindowText(platform::WindowHandle window, char* buffer, int size) {
  return GetWindowTextA(ToSystem(window), buffer, size);
}

int Win32Ui::GetWindowTextLength(platform::WindowHandle window) { return GetWindowTextLengthA(ToSystem(window)); }

int Win32Ui::GetClassName(platform::WindowHandle window, char* buffer, int size) {
  return GetClassNameA(ToSystem(window), buffer, size);
}

void Win32Ui::CenterWindow(platform::WindowHandle window, platform::WindowHandle over) {
  HWND hwnd = ToSystem(window);
  HWND owner = ToSystem(over);
  RECT own = {};
  if (!GetWindowRect(hwnd, &own)) return;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT area = monitor.rcWork;
  RECT target = area;
  if (owner != nullptr && IsWindowVisible(owner) && !::IsIconic(owner)) GetWindowRect(owner, &target);

  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  LONG x = target.left + (target.right - target.left - width) / 2;
  LONG y = target.top + (target.bottom - target.top - height) / 2;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::intptr_t Win32Ui::DialogBox(std::uint32_t templateId, platform::WindowHandle parent,
                                 platform::DialogProcedure& procedure) {
  RegisterCommonControls();
  return DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(templateId), ToSystem(parent), &DialogTrampoline,
                         reinterpret_cast<LPARAM>(&procedure));
}

bool Win32Ui::EndDialog(platform::WindowHandle dialog, std::intptr_t result) {
  return ::EndDialog(ToSystem(dialog), result) != FALSE;
}

platform::WindowHandle Win32Ui::GetDlgItem(platform::WindowHandle dialog, int id) {
  return FromSystem(::GetDlgItem(ToSystem(dialog), id));
}

bool Win32Ui::EnableWindow(platform::WindowHandle window, bool enable) {
  return ::EnableWindow(ToSystem(window), enable ? TRUE : FALSE) != FALSE;
}

bool Win32Ui::IsWindowEnabled(platform::WindowHandle window) { return ::IsWindowEnabled(ToSystem(window)) != FALSE; }

bool Win32Ui::SetWindowText(platform::WindowHandle window, const char* text) {
  return SetWindowTextA(ToSystem(window), text) != FALSE;
}

std::uint32_t Win32Ui::IsDlgButtonChecked(platform::WindowHandle dialog, int id) {
  return ::IsDlgButtonChecked(ToSystem(dialog), id);
}

bool Win32Ui::CheckDlgButton(platform::WindowHandle dialog, int id, std::uint32_t check) {
  return ::CheckDlgButton(ToSystem(dialog), id, check) != FALSE;
}

platform::MenuHandle Win32Ui::GetSystemMenu(platform::WindowHandle window, bool revert) {
  return FromSystem(::GetSystemMenu(ToSystem(window), revert ? TRUE : FALSE));
}

bool Win32Ui::AppendMenu(platform::MenuHandle menu, std::uint32_t flags, std::uintptr_t id, const char* text) {
  return AppendMenuA(ToSystem(menu), flags, id, text) != FALSE;
}

std::intptr_t Win32Ui::SendMessage(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  return SendMessageA(ToSystem(window), message, wParam, lParam);
}

platform::IconHandle Win32Ui::LoadIcon(std::uint32_t resourceId) {
  return FromSystem(LoadIconA(OwnModule(), MAKEINTRESOURCEA(resourceId)));
}

bool Win32Ui::IsIconic(platform::WindowHandle window) { return ::IsIconic(ToSystem(window)) != FALSE; }

bool Win32Ui::GetClientRect(platform::WindowHandle window, platform::Rect* rect) {
  RECT client;
  if (::GetClientRect(ToSystem(window), &client) == FALSE) return false;
  rect->left = client.left;
  rect->top = client.top;
  rect->right = client.right;
  rect->bottom = client.bottom;
  return true;
}

int Win32Ui::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

platform::DcHandle Win32Ui::BeginPaint(platform::WindowHandle window) {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(ToSystem(window), &paint);
  if (dc != nullptr) paints_->byWindow[ToSystem(window)] = paint;
  return FromSystem(dc);
}

void Win32Ui::EndPaint(platform::WindowHandle window) {
  const auto open = paints_->byWindow.find(ToSystem(window));
  if (open == paints_->byWindow.end()) return;
  ::EndPaint(open->first, &open->second);
  paints_->byWindow.erase(open);
}

bool Win32Ui::DrawIcon(platform::DcHandle dc, int x, int y, platform::IconHandle icon) {
  return ::DrawIcon(ToSystem(dc), x, y, ToSystem(icon)) != FALSE;
}

}  // namespace win32
