// Where nobody sees: a window station of its own, which no user's screen
// shows, as a service or an installer's action running as LocalSystem has
// one. A program started on its desktop sees none of the windows on the
// bench's, and the bench's own threads none of its windows: the bench keeps
// one thread on that desktop, which makes and reads the windows there.
#include "Session.h"

namespace bench {
namespace {

constexpr char kStation[] = "RegOrvikBenchUnseen";
constexpr UINT kCall = WM_APP;  // wParam: the event to set when done; lParam: the work

HWINSTA UnseenStation() {
  static const HWINSTA station = CreateWindowStationA(kStation, 0, WINSTA_ALL_ACCESS, nullptr);
  return station;
}

// Wine lets a desktop be made, and a thread onto it, only while the
// process's window station is the desktop's own: the bench takes it for that
// moment, while its other threads wait.
template <typename Work>
auto OnUnseenStation(Work work) {
  HWINSTA own = GetProcessWindowStation();
  SetProcessWindowStation(UnseenStation());
  auto result = work();
  SetProcessWindowStation(own);
  return result;
}

HDESK UnseenDesktop() {
  static const HDESK desktop = UnseenStation() ? OnUnseenStation([] {
    return CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  }) : nullptr;
  return desktop;
}

// The bench's thread on the unseen desktop: runs the work it is handed, and
// serves the windows it made, for the rest of the bench's life.
DWORD WINAPI UnseenThread(void* started) {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue the calls arrive in
  const bool placed = OnUnseenStation([] { return SetThreadDesktop(UnseenDesktop()) != FALSE; });
  SetEvent(started);
  if (!placed) return 1;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kCall) {
      (*reinterpret_cast<const std::function<void()>*>(message.lParam))();
      SetEvent(reinterpret_cast<HANDLE>(message.wParam));
    } else {
      DispatchMessageA(&message);
    }
  }
  return 0;
}

DWORD StartUnseenThread() {
  if (!UnseenDesktop()) return 0;
  DWORD id = 0;
  HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, UnseenThread, started, 0, &id);
  bool running = thread && WaitForSingleObject(started, 10000) == WAIT_OBJECT_0 &&
                 WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
  CloseHandle(started);
  if (thread) CloseHandle(thread);
  return running ? id : 0;
}

// Whether a window there is visible can only be told from that desktop.
BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::string UnseenDesktopName() { return std::string(kStation) + "\\Default"; }

bool OnUnseenDesktop(const std::function<void()>& work) {
  static const DWORD thread = StartUnseenThread();
  HANDLE done = thread ? CreateEventA(nullptr, FALSE, FALSE, nullptr) : nullptr;
  bool ran = done && PostThreadMessageA(thread, kCall, reinterpret_cast<WPARAM>(done), reinterpret_cast<LPARAM>(&work)) &&
             WaitForSingleObject(done, 10000) == WAIT_OBJECT_0;
  if (done) CloseHandle(done);
  return ran;
}

std::vector<HWND> VisibleUnseenWindows() {
  std::vector<HWND> windows;
  OnUnseenDesktop([&] { EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows)); });
  return windows;
}

}  // namespace bench
