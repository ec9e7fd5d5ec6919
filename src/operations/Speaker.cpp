#include "operations/Speaker.h"

#include <versionhelpers.h>

#include "text/Messages.h"
#include "win/Log.h"
#include "win/UserInterface.h"

const char* Speaker::WhyNobodySees() {
  USEROBJECTFLAGS flags = {};
  DWORD needed = 0;
  const HWINSTA station = GetProcessWindowStation();
  if (station != nullptr && GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, &needed) &&
      (flags.dwFlags & WSF_VISIBLE) == 0) {
    return "its window station is not visible";
  }
  // Before Windows Vista the user at the console works in session 0 too.
  DWORD session = 0;
  if (IsWindowsVistaOrGreater() && ProcessIdToSessionId(GetCurrentProcessId(), &session) && session == 0) {
    return "it runs in session 0";
  }
  return nullptr;
}

void Speaker::ShowError(const std::string& text) const { UnlessQuiet(text, MB_OK | MB_ICONERROR); }

void Speaker::FileTrouble(const std::string& text) const { UnlessQuiet(text, MB_OK); }

bool Speaker::MayAsk() const {
  if (quiet_) {
    LogStep("quiet mode asks no question");
  } else if (unattended_) {
    LogStep("nobody can answer a question: none is asked");
  }
  return !quiet_ && !unattended_;
}

bool Speaker::AskYesNo(const char* caption, const std::string& text, UINT icon) const {
  return Box(nullptr, text, caption, MB_YESNO | icon) == IDYES;
}

void Speaker::Error(const std::string& text) const { Box(nullptr, text, kErrorCaption, MB_OK | MB_ICONERROR); }

bool Speaker::MayOpenWindow(const char* caption, const char* text) const {
  if (!unattended_) return true;
  std::string step = "nobody can see the window " + Quote(caption);
  if (*text != '\0') step.append(" ").append(Quote(text));
  LogStep(step + ": it is not opened");
  return false;
}

int Speaker::AppBox(const std::string& text, UINT type) const {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return Box(owner_, text, appName_.c_str(), type);
}

// In quiet mode the log is the only place that says it.
void Speaker::UnlessQuiet(const std::string& text, UINT type) const {
  if (quiet_ && !unattended_) {
    LogStep("quiet mode hides " + Quote(text));
  } else {
    AppBox(text, type);
  }
}

int Speaker::Box(HWND owner, const std::string& text, const char* caption, UINT type) const {
  if (!unattended_) return ShowMessageBox(owner, text, caption, type);
  LogStep("nobody can see the message box " + Quote(caption) + " " + Quote(text) + ": taken as OK");
  return IDOK;
}
