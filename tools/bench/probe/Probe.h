#pragma once
// What the probe DLL and the driver agree on. The driver loads the probe into
// the program before its first instruction and hooks it into the main thread;
// inside the program it answers what cannot be seen from outside (icon
// handles and menus are private to each process under Wine) and places the
// faults named in BENCH_FAULTS.

namespace bench::probe {

constexpr char kDll[] = "bench_probe.dll";
constexpr char kFaultsVariable[] = "BENCH_FAULTS";  // faults joined by ';'
constexpr char kWindowHook[] = "ProbeAfterWindowProc";  // WH_CALLWNDPROCRET
constexpr char kSyncHook[] = "ProbeGetMessage";         // WH_GETMESSAGE

// Window properties the probe sets after a dialog's WM_INITDIALOG: the icon
// of a message box, and a global atom holding the program's own items of the
// system menu as the transcript shows them.
constexpr char kIconProperty[] = "Bench.Icon";
constexpr char kMenuProperty[] = "Bench.Menu";
// The driver posts the registered message kSync behind its input; the probe
// stores its wParam as the property kSync once the message leaves the queue,
// which happens only after everything posted before it was dispatched.
constexpr char kSync[] = "Bench.Sync";

// The icon property's values; 0 means the probe never saw the window.
enum Icon { kNoIcon = 1, kError, kExclamation, kQuestion, kInformation, kOther };
constexpr const char* kIconNames[] = {"unknown", "none", "error", "exclamation", "question", "information", "other"};

// The icon control of a message box: 1088 under Wine, 20 under Windows.
constexpr int kMessageBoxIconIds[] = {1088, 20};

}  // namespace bench::probe
