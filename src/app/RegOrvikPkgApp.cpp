#include "app/RegOrvikPkgApp.h"

#include <windows.h>

#include <string>
#include <vector>

#include "operations/CompilerList.h"
#include "operations/IdeDetection.h"
#include "operations/Install.h"
#include "operations/PackageSwitch.h"
#include "resource.h"
#include "text/Messages.h"
#include "text/Paths.h"
#include "ui/RegOrvikPkgDlg.h"
#include "ui/UsageDlg.h"
#include "win/Log.h"
#include "win/SystemCodePage.h"
#include "win/SystemFiles.h"

int CRegOrvikPkgApp::Run() {
  TrustOnlySystemDlls();
  const char* nobodySees = Speaker::WhyNobodySees();
  Unattended = nobodySees != nullptr;
  OpenLog(Unattended);
  if (Unattended) LogStep(std::string("nobody can see this program's windows: ") + nobodySees);
  InitInstance();
  const int exitCode = ExitInstance();
  SetLogOption("end");
  LogStep("exit code " + std::to_string(exitCode));
  CloseLog();
  return exitCode;
}

// Always false: every window is modal, so there is no message loop to run.
bool CRegOrvikPkgApp::InitInstance() {
  // Refused before anything else is looked at, so "/s" cannot hide it.
  if (IsIdeRunning()) {
    ShowError(kCloseIde);
    ExitCode = -1;
    return false;
  }
  ReadRootSuffix();
  const char* raw = GetCommandLineA();
  const std::string commandLine = raw != nullptr ? raw : "";
  LogStart(commandLine, RootSuffix);
  bool showDialog = false;
  if (!ProcessCommandLine(commandLine, &showDialog)) {
    ExitCode = -1;
  } else if (showDialog) {
    SetLogOption("dialog");
    const Speaker speaker = Voice();
    if (speaker.MayOpenWindow(DIALOG_CAPTION)) CRegOrvikPkgDlg(RootSuffix, speaker).Run(nullptr);
  }
  return false;
}

int CRegOrvikPkgApp::ExitInstance() { return ExitCode; }

bool CRegOrvikPkgApp::ProcessCommandLine(const std::string& commandLine, bool* showDialog) {
  if (showDialog == nullptr) return false;
  const CommandPlan plan = PlanCommandLine(commandLine);
  if (plan.showDialog) {
    *showDialog = true;
    return true;
  }
  QuietMode = false;
  if (plan.showUsage) {
    SetLogOption("usage");
    if (Voice().MayOpenWindow(USAGE_CAPTION, kUsage)) CUsageDlg().Run(nullptr);
    return true;
  }
  QuietMode = plan.quiet;
  for (const Step& step : plan.steps) {
    SetLogOption(step.option);
    if (!RunStep(step)) {
      ShowError(step.failure);
      return false;
    }
  }
  return true;
}

bool CRegOrvikPkgApp::RunStep(const Step& step) {
  const Speaker speaker = Voice();
  switch (step.action) {
    case Action::Install:
      return InstallTool(RootSuffix, speaker);
    case Action::Uninstall:
      return UninstallTool(RootSuffix, speaker);
    case Action::Enable:
      return EnablePackage(RootSuffix, speaker);
    case Action::Disable:
      return DisablePackage(RootSuffix, speaker);
    case Action::RegisterCompiler:
      return RegisterCompiler(step.compiler, speaker);
    case Action::UnregisterCompiler:
      return UnregisterCompiler(step.compiler.Name);
    case Action::SetDefaultCompiler:
      return SetDefaultCompiler(step.compiler.Name);
    case Action::UnregisterAllCompilers:
      return UnregisterAllCompilers();
    case Action::Fail:
      break;
  }
  return false;
}

void CRegOrvikPkgApp::ShowError(const std::string& text) { Voice().ShowError(text); }

void CRegOrvikPkgApp::ReadRootSuffix() {
  static const char kName[] = "ENVSDK_ROOTSUFFIX";
  RootSuffix.clear();
  const DWORD size = GetEnvironmentVariableA(kName, nullptr, 0);
  if (size == 0) return;
  std::vector<char> buffer(size, '\0');
  const DWORD length = GetEnvironmentVariableA(kName, buffer.data(), size);
  // A value that grew between the two calls does not fit: taken as not set.
  if (length < size) RootSuffix.assign(buffer.data(), length);
}

// The caption of the application's boxes is the executable's file name
// without its extension, read once: when the first step, window or failure
// needs a voice.
Speaker CRegOrvikPkgApp::Voice() {
  if (appName_.empty()) appName_ = AppNameFromPath(SystemCodePage(), ProgramPath());
  return Speaker(appName_, QuietMode, Unattended);
}
