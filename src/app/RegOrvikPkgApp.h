#pragma once
// The application object: start-up, the state it owns, and the run of the
// steps the command line asks for.

#include <cstdint>
#include <string>

#include "operations/Speaker.h"
#include "text/CommandPlan.h"

class CRegOrvikPkgApp {
 public:
  // Runs InitInstance, then ExitInstance; the result is the process exit code.
  int Run();

  bool InitInstance();
  int ExitInstance();

  // Decides between the dialog, the usage window and a run of the options,
  // and reports the first failure.
  bool ProcessCommandLine(const std::string& commandLine, bool* showDialog);
  // The failure of a command-line run, unless QuietMode.
  void ShowError(const std::string& text);

  bool QuietMode = false;
  std::string RootSuffix;
  std::int32_t ExitCode = 0;
  // Nobody can see the program's windows: decided once, before anything
  // else. Such a run shows nothing and keeps to quiet mode's rules.
  bool Unattended = false;

 private:
  bool RunStep(const Step& step);
  void ReadRootSuffix();
  // How the program speaks while no window of its own is open.
  Speaker Voice();

  std::string appName_;
};
