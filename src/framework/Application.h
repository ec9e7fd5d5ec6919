#pragma once
// The application base: one object for the whole process that runs
// InitInstance and ExitInstance, knows its name and owns the application's
// message box. Every window of the program is modal, so there is no message
// loop of its own.

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "platform/WinConstants.h"

namespace framework {

class Dialog;

class Application {
 public:
  explicit Application(platform::Platform& platform);
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The running application object, or null when none exists.
  static Application* Current();

  // Runs InitInstance; as it never asks for a message loop, ExitInstance
  // follows at once and its result is the process exit code.
  int Run();

  virtual bool InitInstance();
  virtual int ExitInstance();

  // The executable's file name without its directory and extension.
  const std::string& AppName();

  // The application's message box: captioned with AppName(), owned by the
  // main window while one runs, and showing the exclamation icon when the
  // type names no icon of its own.
  int MessageBox(const std::string& text, std::uint32_t type = win::kMbOk, std::uint32_t helpContext = 0);

  // The dialog that serves as the main window while it runs, or null.
  platform::WindowHandle MainWindow() const;
  void SetMainWindow(const Dialog* dialog) { mainDialog_ = dialog; }

  platform::Platform& Platform() { return platform_; }

 private:
  platform::Platform& platform_;
  const Dialog* mainDialog_ = nullptr;
  std::string appName_;
  bool appNameKnown_ = false;
};

// The executable's file name without its directory and extension.
std::string AppNameFromPath(const std::string& path);

}  // namespace framework
