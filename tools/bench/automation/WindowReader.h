#pragma once
// Reading another program's windows from outside: texts through WM_GETTEXT
// (with a time limit, so that a busy program cannot hang the driver), states
// through the window manager, the icon from what the probe published.

#include <windows.h>

#include <string>
#include <vector>

#include "Automation.h"

namespace bench {

std::string ReadWindowText(HWND window);
ControlRecord ReadControl(HWND control);
std::vector<ControlRecord> ReadControls(HWND dialog);
WindowRecord ReadWindow(HWND window);
std::string ReadClassName(HWND window);

// The id of the button that Enter would press; 0 when there is none.
int DefaultButtonId(HWND dialog);

}  // namespace bench
