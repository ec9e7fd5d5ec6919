// The probe DLL inside the program under test: its hooks publish what the
// driver cannot see from outside (Probe.h); its DllMain places the faults.
#include <windows.h>

#include <string>

#include "Probe.h"

bool PlaceFaults();  // Faults.cpp

namespace {

using namespace bench::probe;

int IconOf(HWND dialog) {
  for (int id : kMessageBoxIconIds) {
    char className[16] = "";
    HWND control = GetDlgItem(dialog, id);
    if (!control || !GetClassNameA(control, className, sizeof className) || lstrcmpiA(className, "Static")) continue;
    auto icon = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
    if (!icon) return kNoIcon;
    // The system icons are shared within one process: LoadIcon hands out the
    // handle the message box put into its control.
    const LPCSTR known[] = {IDI_HAND, IDI_EXCLAMATION, IDI_QUESTION, IDI_ASTERISK};
    for (int i = 0; i < 4; ++i)
      if (LoadIconA(nullptr, known[i]) == icon) return kError + i;
    return kOther;
  }
  return kNoIcon;
}

// The items after the last of the system's own commands (ids from 0xF000 on).
std::string OwnMenuItems(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  int count = menu ? GetMenuItemCount(menu) : 0;
  int first = 0;
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) >= 0xF000 && GetMenuItemID(menu, i) != UINT(-1)) first = i + 1;
  std::string items;
  for (int i = first; i < count; ++i) {
    char text[128] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    items += items.empty() ? "" : " | ";
    if (info.fType & MFT_SEPARATOR) items += "separator";
    else items += std::to_string(info.wID) + " \"" + text + "\"" + (info.fState & MFS_DISABLED ? " disabled" : "");
  }
  return items;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) { return reason != DLL_PROCESS_ATTACH || PlaceFaults(); }

extern "C" LRESULT CALLBACK ProbeAfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITDIALOG) {
    SetPropA(message->hwnd, kIconProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(IconOf(message->hwnd))));
    std::string items = OwnMenuItems(message->hwnd);
    if (!items.empty())
      SetPropA(message->hwnd, kMenuProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(GlobalAddAtomA(items.c_str()))));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK ProbeGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT sync = RegisterWindowMessageA(kSync);
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == sync && message->hwnd)
    SetPropA(message->hwnd, kSync, reinterpret_cast<HANDLE>(message->wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
