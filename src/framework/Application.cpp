#include "framework/Application.h"

#include "framework/Dialog.h"

namespace framework {

namespace {
Application* g_current = nullptr;
}

Application::Application(platform::Platform& platform) : platform_(platform) { g_current = this; }

Application::~Application() {
  if (g_current == this) g_current = nullptr;
}

Application* Application::Current() { return g_current; }

int Application::Run() {
  InitInstance();
  return ExitInstance();
}

bool Application::InitInstance() { return true; }

int Application::ExitInstance() { return 0; }

platform::WindowHandle Application::MainWindow() const {
  return mainDialog_ != nullptr ? mainDialog_->Window() : nullptr;
}

const std::string& Application::AppName() {
  if (!appNameKnown_) {
    appName_ = AppNameFromPath(platform_.modules.OwnFileName());
    appNameKnown_ = true;
  }
  return appName_;
}

int Application::MessageBox(const std::string& text, std::uint32_t type, std::uint32_t /*helpContext*/) {
  if ((type & win::kMbIconMask) == 0) type |= win::kMbIconExclamation;
  return platform_.ui.MessageBox(MainWindow(), text.c_str(), AppName().c_str(), type);
}

std::string AppNameFromPath(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace framework
