#include "operations/Speaker.h"

#include "text/Messages.h"
#include "win/Log.h"
#include "win/UserInterface.h"

void Speaker::ShowError(const std::string& text) const { UnlessQuiet(text, MB_OK | MB_ICONERROR); }

void Speaker::FileTrouble(const std::string& text) const { UnlessQuiet(text, MB_OK); }

bool Speaker::MayAsk() const {
  if (quiet_) LogStep("quiet mode asks no question");
  return !quiet_;
}

bool Speaker::AskYesNo(const char* caption, const std::string& text, UINT icon) {
  return ShowMessageBox(nullptr, text, caption, MB_YESNO | icon) == IDYES;
}

void Speaker::Error(const std::string& text) { ShowMessageBox(nullptr, text, kErrorCaption, MB_OK | MB_ICONERROR); }

// In quiet mode the log is the only place that says it.
void Speaker::UnlessQuiet(const std::string& text, UINT type) const {
  if (quiet_) {
    LogStep("quiet mode hides " + Quote(text));
  } else {
    AppBox(text, type);
  }
}

int Speaker::AppBox(const std::string& text, UINT type) const {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return ShowMessageBox(owner_, text, appName_.c_str(), type);
}
