// The probe DLL; see Probe.h for what it is for.
#include <windows.h>

#include <iterator>
#include <string>

#include "Probe.h"

namespace {

bench::ProbedIcon ClassifyIcon(HICON icon) {
  if (!icon) return bench::ProbedIcon::kNone;
  struct Known {
    LPCSTR resource;
    bench::ProbedIcon kind;
  };
  const Known known[] = {{IDI_HAND, bench::ProbedIcon::kHand},
                         {IDI_EXCLAMATION, bench::ProbedIcon::kExclamation},
                         {IDI_QUESTION, bench::ProbedIcon::kQuestion},
                         {IDI_ASTERISK, bench::ProbedIcon::kAsterisk}};
  // The system icons are shared: within one process LoadIcon hands out the
  // same handle that the message box put into its icon control.
  for (const Known& candidate : known)
    if (LoadIconA(nullptr, candidate.resource) == icon) return candidate.kind;
  return bench::ProbedIcon::kOther;
}

bench::ProbedIcon ProbeDialog(HWND dialog) {
  for (int id : bench::kMessageBoxIconIds) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) continue;
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) continue;
    return ClassifyIcon(reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0)));
  }
  return bench::ProbedIcon::kNoIconControl;
}

void PublishSystemMenu(HWND window, WPARAM driverProcessId) {
  std::string name = bench::kSystemMenuMapping + std::to_string(driverProcessId);
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
  if (!mapping) return;
  if (auto* menu = static_cast<bench::PublishedMenu*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    int count = systemMenu ? GetMenuItemCount(systemMenu) : 0;
    if (count < 0) count = 0;
    if (count > static_cast<int>(std::size(menu->items))) count = static_cast<int>(std::size(menu->items));
    for (int i = 0; i < count; ++i) {
      bench::PublishedMenuItem& item = menu->items[i];
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
      info.dwTypeData = item.text;
      info.cch = sizeof item.text - 1;
      item.text[0] = '\0';
      GetMenuItemInfoA(systemMenu, static_cast<UINT>(i), TRUE, &info);
      item.id = info.wID;
      item.type = info.fType;
      item.state = info.fState;
    }
    // The count last: the driver reads the items once it is set.
    MemoryBarrier();
    *static_cast<volatile int*>(&menu->count) = count;
    UnmapViewOfFile(menu);
  }
  CloseHandle(mapping);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Wine loads a hook DLL for each call of the hook and frees it afterwards;
  // pinned, it is loaded once for the life of the program.
  if (reason == DLL_PROCESS_ATTACH) {
    HMODULE pinned;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(instance), &pinned);
  }
  return TRUE;
}

// WH_CALLWNDPROCRET: after a dialog has initialised itself, its icon is in
// place; and the driver's question about a system menu arrives here.
extern "C" LRESULT CALLBACK ProbeAfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT systemMenuMessage = RegisterWindowMessageA(bench::kSystemMenuMessage);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (message->message == systemMenuMessage) PublishSystemMenu(message->hwnd, message->wParam);
    if (message->message == WM_INITDIALOG) {
      auto kind = static_cast<INT_PTR>(ProbeDialog(message->hwnd));
      SetPropA(message->hwnd, bench::kIconProperty, reinterpret_cast<HANDLE>(kind));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// WH_GETMESSAGE: the sync message has been taken from the queue.
extern "C" LRESULT CALLBACK ProbeGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT syncMessage = RegisterWindowMessageA(bench::kSyncMessage);
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message->message == syncMessage && message->hwnd)
      SetPropA(message->hwnd, bench::kSyncProperty, reinterpret_cast<HANDLE>(message->wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
