#include "operations/Install.h"

#include <windows.h>

#include "operations/HostPaths.h"
#include "operations/PackageSwitch.h"
#include "operations/RunCommand.h"
#include "operations/VersionCheck.h"
#include "resource.h"
#include "text/Commands.h"
#include "text/Messages.h"
#include "text/RegistryLocations.h"
#include "win/Log.h"
#include "win/RegKey.h"
#include "win/SystemFiles.h"
#include "win/UserInterface.h"

namespace {

constexpr DWORD kCurrentDirectorySize = 260;

bool ChangeDirectory(const char* directory) {
  const BOOL changed = SetCurrentDirectoryA(directory);
  LogResult(std::string("make ") + directory + " the current directory", "SetCurrentDirectoryA",
            changed ? ERROR_SUCCESS : GetLastError());
  return changed != FALSE;
}

// Lets the IDE rebuild its configuration after the package changed.
bool RunIdeSetup(const std::string& rootSuffix, const Speaker& speaker) {
  return RunCommand(IdeSetup(IdeExeDir(GetIdeInstallRoot(rootSuffix)), rootSuffix), nullptr, INFINITE, speaker) == 0;
}

// Deletes ToolKey when it has no subkey; its values go with it. An absent
// ToolKey is nothing to remove; its parent always stays.
bool RemoveToolKeyIfEmpty() {
  RegKey tool;
  const LONG opened = tool.Open(ToolKey(), KEY_ALL_ACCESS);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  std::string first;
  if (tool.EnumKey(0, first) == ERROR_SUCCESS) return true;  // compilers remain
  if (tool.Close() != ERROR_SUCCESS) return false;

  RegKey parent;
  if (parent.Open(ToolKeyParent(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  if (parent.DeleteKey(ToolKeyLeafName()) != ERROR_SUCCESS) return false;
  return parent.Close() == ERROR_SUCCESS;
}

}  // namespace

bool InstallTool(const std::string& rootSuffix, const Speaker& speaker) {
  if (!RequireIdeRootKey(rootSuffix, speaker)) return false;

  switch (CompareVersions(rootSuffix)) {
    case NotInstalled:
      break;
    case OlderInstalled:
    case SameInstalled:
      // Unasked (quiet mode, or nobody to answer) the new copy goes in over
      // the installed one as it is.
      if (!speaker.MayAsk()) break;
      if (!speaker.AskYesNo(kReinstallCaption, LoadResourceString(IDS_ALREADY_INSTALLED), 0)) return false;
      RemovePreviousVersion(rootSuffix, speaker);
      break;
    case LaterInstalled:
      speaker.Notice(kLaterVersion);
      return true;
    case VersionUnknown:
      return false;
  }

  if (RunCommand(RegisterServer(SystemDirectory(), kSecondPackageDll), nullptr, INFINITE, speaker) != 0) return false;
  if (!EnablePackage(rootSuffix, speaker)) return false;
  return RunIdeSetup(rootSuffix, speaker);
}

// Whatever happens, the current directory is put back as it was.
void RemovePreviousVersion(const std::string& rootSuffix, const Speaker& speaker) {
  const VersionState state = CompareVersions(rootSuffix);
  if (state != OlderInstalled && state != SameInstalled) return;

  char saved[kCurrentDirectorySize] = {};
  const DWORD savedLength = GetCurrentDirectoryA(kCurrentDirectorySize, saved);
  if (savedLength == 0 || savedLength >= kCurrentDirectorySize) {
    LogResult("read the current directory", "GetCurrentDirectoryA",
              savedLength == 0 ? GetLastError() : ERROR_BUFFER_OVERFLOW);
    return;
  }

  std::string installPath;
  {
    RegKey key;
    if (key.Open(BasePackageKey(), KEY_READ) != ERROR_SUCCESS) return;
    if (key.ReadText(kInstallPath, kValueBufferSize, installPath) != ERROR_SUCCESS) return;
  }
  if (!ChangeDirectory(installPath.c_str())) return;
  RunCommand(UninstallCopy(installPath), installPath.c_str(), INFINITE, speaker);
  ChangeDirectory(saved);
}

bool UninstallTool(const std::string& rootSuffix, const Speaker& speaker) {
  if (!RequireIdeRootKey(rootSuffix, speaker)) return false;
  if (QueryPackageEnabled(rootSuffix) && !DisablePackage(rootSuffix, speaker)) return false;
  if (RunCommand(UnregisterServer(SystemDirectory(), kSecondPackageDll), nullptr, INFINITE, speaker) != 0) return false;
  if (!RunIdeSetup(rootSuffix, speaker)) return false;
  return RemoveToolKeyIfEmpty();
}
