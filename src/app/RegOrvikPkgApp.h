#pragma once
// The application object: start-up, the command line and every operation on
// the IDE, the registry and the package.

#include <cstdint>
#include <string>

#include "framework/Application.h"
#include "platform/Platform.h"

// One compiler of the compiler list.
struct CompilerInfo {
  std::string Name;
  std::string Executable;
  std::string Include;
  std::string Library;
  std::string Documentation;
  std::string TargetPlatform;
  std::string DefaultOptions;
};

// How the installed package's version relates to the program's own.
enum VersionState {
  NotInstalled = 0,
  OlderInstalled = 1,
  SameInstalled = 2,
  LaterInstalled = 3,
  VersionUnknown = 4,
};

class CRegOrvikPkgApp : public framework::Application {
 public:
  explicit CRegOrvikPkgApp(platform::Platform& platform);
  ~CRegOrvikPkgApp() override;

  // The running application object (the one the dialog works on).
  static CRegOrvikPkgApp* Current();

  bool QuietMode = false;
  std::string RootSuffix;
  std::int32_t ExitCode = 0;

  bool InitInstance() override;
  int ExitInstance() override;

  // Command line
  bool ProcessCommandLine(const std::string& commandLine, bool* showDialog);
  void ShowError(const std::string& text);

  // Registry locations and host paths
  std::string GetIdeInstallRoot();
  bool GetPackageInstallPath(std::string& out);
  bool PackageKeyExists();
  bool RequireIdeRootKey();

  // The compiler list
  virtual bool RegisterCompiler(const CompilerInfo& info);
  virtual bool UnregisterCompiler(const std::string& name);
  virtual bool SetDefaultCompiler(const std::string& name);
  // Without a key: deletes CompilersKey with everything below it. With an
  // open key: deletes everything below that key.
  virtual bool UnregisterAllCompilers(platform::KeyHandle key = nullptr);
  bool DeleteSubkeyTree(platform::KeyHandle key);

  // The package switch
  virtual bool EnablePackage();
  virtual bool DisablePackage();
  virtual bool QueryPackageEnabled();
  bool SetPackageEnabled(bool enabled);
  bool IsVendorSpawner(const std::string& path, bool& loaded);

  // Version check, install and uninstall
  bool GetOwnVersion(float& version);
  bool GetInstalledVersion(float& version);
  VersionState CompareVersions();
  virtual bool InstallTool();
  void RemovePreviousVersion();
  virtual bool UninstallTool();

  // IDE detection
  virtual bool IsIdeRunning();
  static int FindIdeWindowProc(platform::WindowHandle window, std::intptr_t lParam);

 protected:
  // The modal windows of start-up and of the command line.
  virtual void RunMainDialog();
  virtual void RunUsageDialog();

 private:
  void ReadRootSuffix();
  // The IDE's set-up run that install and uninstall end with.
  bool RunIdeSetup();
};
