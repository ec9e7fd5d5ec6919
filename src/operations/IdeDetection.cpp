// The IDE's main window is recognised by its window class; the titles the
// IDE has carried serve as a cheap pre-filter before the exact class
// comparison.

#include "operations/IdeDetection.h"

#include <mbstring.h>

#include <string>

#include "win/Log.h"

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

const unsigned char* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

}  // namespace

bool IsIdeRunning() {
  if (FindWindowA(kIdeWindowClass, nullptr) != nullptr) {
    LogStep(std::string("look for a window of class ") + kIdeWindowClass + ": found");
    return true;
  }
  IdeFound = false;
  EnumWindows(&FindIdeWindowProc, 0);
  LogStep(std::string("look for a window of class ") + kIdeWindowClass + " with an IDE's title: " +
          (IdeFound ? "found" : "none"));
  return IdeFound;
}

BOOL CALLBACK FindIdeWindowProc(HWND window, LPARAM /*lParam*/) {
  char title[kWindowTextSize] = {};
  GetWindowTextA(window, title, kWindowTextSize);
  bool titleMatches = false;
  for (const char* fragment : kIdeTitleFragments) {
    if (_mbsstr(Bytes(title), Bytes(fragment)) != nullptr) {
      titleMatches = true;
      break;
    }
  }
  if (!titleMatches) return TRUE;

  char className[kWindowTextSize] = {};
  GetClassNameA(window, className, kWindowTextSize);
  if (_mbscmp(Bytes(className), Bytes(kIdeWindowClass)) != 0) return TRUE;
  IdeFound = true;
  return FALSE;
}
