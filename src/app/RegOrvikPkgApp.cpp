#include "app/RegOrvikPkgApp.h"

#include <vector>

#include "app/Messages.h"
#include "app/UsageDlg.h"
#include "ui/RegOrvikPkgDlg.h"

CRegOrvikPkgApp::CRegOrvikPkgApp(platform::Platform& platform) : Application(platform) {}

CRegOrvikPkgApp::~CRegOrvikPkgApp() = default;

CRegOrvikPkgApp* CRegOrvikPkgApp::Current() { return static_cast<CRegOrvikPkgApp*>(Application::Current()); }

bool CRegOrvikPkgApp::InitInstance() {
  Application::InitInstance();

  // Refused before anything else is looked at, so "/s" cannot hide it.
  if (IsIdeRunning()) {
    ShowError(text::kCloseIde);
    ExitCode = -1;
    return false;
  }

  ReadRootSuffix();

  const char* commandLine = Platform().environment.GetCommandLine();
  bool showDialog = false;
  if (!ProcessCommandLine(commandLine != nullptr ? commandLine : "", &showDialog)) {
    ExitCode = -1;
  } else if (showDialog) {
    RunMainDialog();
  }
  return false;
}

int CRegOrvikPkgApp::ExitInstance() {
  const int frameworkCode = Application::ExitInstance();
  if (frameworkCode != 0) ExitCode = frameworkCode;
  return ExitCode;
}

void CRegOrvikPkgApp::ShowError(const std::string& message) {
  if (QuietMode) return;
  MessageBox(message, win::kMbOk | win::kMbIconError);
}

void CRegOrvikPkgApp::ReadRootSuffix() {
  static const char kName[] = "ENVSDK_ROOTSUFFIX";
  platform::Environment& environment = Platform().environment;
  RootSuffix.clear();
  const std::uint32_t size = environment.GetEnvironmentVariable(kName, nullptr, 0);
  if (size == 0) return;
  std::vector<char> buffer(size, '\0');
  const std::uint32_t length = environment.GetEnvironmentVariable(kName, buffer.data(), size);
  // A value that grew between the two calls does not fit: taken as not set.
  if (length < size) RootSuffix.assign(buffer.data(), length);
}

void CRegOrvikPkgApp::RunMainDialog() {
  CRegOrvikPkgDlg dialog(Platform(), nullptr);
  SetMainWindow(&dialog);
  dialog.DoModal();
  SetMainWindow(nullptr);
}

void CRegOrvikPkgApp::RunUsageDialog() {
  CUsageDlg dialog(Platform().ui, nullptr);
  dialog.DoModal();
}
