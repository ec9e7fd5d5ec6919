#pragma once
// The contract between the icon probe, which runs inside the program under
// test, and the driver, which reads what it published.
//
// The probe is a hook DLL: the driver sets its hooks on the program's main
// thread, and Wine loads the DLL into that program to run them. It answers
// three questions that cannot be answered from outside:
//
// - Which icon does a message box show? Icon handles are private to each
//   process under Wine, so only code inside the program can compare the box's
//   icon with the shared system icons. After each dialog's WM_INITDIALOG the
//   probe does so and stores the answer as a window property.
// - Has the program taken the input posted to it? The driver posts the sync
//   message after its input; the probe sees it leave the queue, which happens
//   only after everything posted before it was dispatched, and stores its
//   number as another window property.
// - What does a window's system menu hold? Menus, too, are private to each
//   process under Wine; the probe copies the items into memory the driver shares.

namespace bench {

constexpr char kProbeDll[] = "bench_probe.dll";
constexpr char kIconProbeHook[] = "ProbeAfterWindowProc";
constexpr char kSyncProbeHook[] = "ProbeGetMessage";
constexpr char kIconProperty[] = "RegOrvikBench.IconKind";
constexpr char kSyncMessage[] = "RegOrvikBench.Sync";  // registered; wParam: a number other than 0
constexpr char kSyncProperty[] = "RegOrvikBench.Sync";

// The system menu: the driver creates a shared mapping named kSystemMenuMapping
// followed by its process id in decimal, holding a PublishedMenu whose count is
// -1, and sends the registered message with that process id as wParam; the
// probe fills it in once the window procedure has returned.
constexpr char kSystemMenuMessage[] = "RegOrvikBench.SystemMenu";
constexpr char kSystemMenuMapping[] = "RegOrvikBench.SystemMenu.";

struct PublishedMenuItem {
  unsigned id;
  unsigned type;   // MFT_* of GetMenuItemInfo
  unsigned state;  // MFS_*
  char text[128];
};

struct PublishedMenu {
  int count;  // -1 until the probe has answered
  PublishedMenuItem items[32];
};

// The property's value; 0 means that the probe never saw the window.
enum class ProbedIcon : int {
  kNoIconControl = 1,  // a dialog without the icon control of a message box
  kNone = 2,           // the icon control holds no icon
  kHand = 3,
  kExclamation = 4,
  kQuestion = 5,
  kAsterisk = 6,
  kOther = 7,          // an icon that is none of the system's four
};

// The icon control of a message box: 1088 under Wine, 20 under Windows.
constexpr int kMessageBoxIconIds[] = {1088, 20};

}  // namespace bench
