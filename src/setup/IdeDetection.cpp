// Is an IDE main window open? Recognised by its window class; the titles
// the IDE has carried serve as a cheap pre-filter before the exact class
// comparison.

#include "app/RegOrvikPkgApp.h"

namespace {

constexpr char kIdeWindowClass[] = "wndclass_desked_gsk";
const char* const kIdeTitleFragments[] = {
    "Microsoft Visual C++",
    "Microsoft Visual Studio",
    "Microsoft Development Environment",
    "Visual Studio .NET",
};
constexpr int kWindowTextSize = 260;

// Set by the enumeration callback, which has no other way to answer.
bool IdeFound = false;

}  // namespace

bool CRegOrvikPkgApp::IsIdeRunning() {
  if (Platform().ui.FindWindow(kIdeWindowClass, nullptr) != nullptr) return true;
  IdeFound = false;
  Platform().ui.EnumWindows(&CRegOrvikPkgApp::FindIdeWindowProc, 0);
  return IdeFound;
}

int CRegOrvikPkgApp::FindIdeWindowProc(platform::WindowHandle window, std::intptr_t /*lParam*/) {
  platform::Platform& platform = Current()->Platform();
  char title[kWindowTextSize] = {};
  platform.ui.GetWindowText(window, title, kWindowTextSize);

  bool titleMatches = false;
  for (const char* fragment : kIdeTitleFragments) {
    if (platform.text.Find(title, fragment) != nullptr) {
      titleMatches = true;
      break;
    }
  }
  if (!titleMatches) return 1;

  char className[kWindowTextSize] = {};
  platform.ui.GetClassName(window, className, kWindowTextSize);
  if (platform.text.Compare(className, kIdeWindowClass) == 0) {
    IdeFound = true;
    return 0;
  }
  return 1;
}
