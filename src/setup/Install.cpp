// "/install": registers the package with the IDE, after a look at what is
// installed already.

#include <string>

#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "framework/Format.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "resource.h"
#include "setup/Commands.h"
#include "setup/RunCommand.h"

namespace {

constexpr std::uint32_t kCurrentDirectorySize = 260;

}  // namespace

bool CRegOrvikPkgApp::InstallTool() {
  if (!RequireIdeRootKey()) return false;

  switch (CompareVersions()) {
    case NotInstalled:
      break;
    case OlderInstalled:
    case SameInstalled:
      // In quiet mode the new copy goes in over the installed one as it is.
      if (QuietMode) break;
      {
        const std::string question = framework::LoadResourceString(Platform().modules, IDS_ALREADY_INSTALLED);
        if (Platform().ui.MessageBox(nullptr, question.c_str(), text::kReinstallCaption, win::kMbYesNo) !=
            win::kIdYes) {
          return false;
        }
      }
      RemovePreviousVersion();
      break;
    case LaterInstalled:
      MessageBox(text::kLaterVersion, win::kMbOk);
      return true;
    case VersionUnknown:
      return false;
  }

  if (RunCommand(commands::RegisterServer(commands::kSecondPackageDll).c_str(), nullptr, win::kInfinite) != 0) {
    return false;
  }
  if (!EnablePackage()) return false;
  return RunIdeSetup();
}

// Lets the IDE rebuild its configuration after the package changed.
bool CRegOrvikPkgApp::RunIdeSetup() {
  const std::string setup = commands::IdeSetup(regkeys::IdeExeDir(GetIdeInstallRoot()), RootSuffix);
  return RunCommand(setup.c_str(), nullptr, win::kInfinite) == 0;
}

// Runs the installed copy's own "/uninstall" in its directory. Whatever
// happens, the current directory is put back as it was.
void CRegOrvikPkgApp::RemovePreviousVersion() {
  const VersionState state = CompareVersions();
  if (state != OlderInstalled && state != SameInstalled) return;

  platform::Files& files = Platform().files;
  char saved[kCurrentDirectorySize] = {};
  const std::uint32_t savedLength = files.GetCurrentDirectory(kCurrentDirectorySize, saved);
  if (savedLength == 0 || savedLength >= kCurrentDirectorySize) return;

  std::string installPath;
  {
    regtext::ScopedKey key(Platform().registry);
    if (key.Open(regkeys::BasePackageKey(), win::kKeyRead) != win::kErrorSuccess) return;
    if (regtext::ReadText(Platform().registry, key.Get(), regkeys::kInstallPath, regkeys::kValueBufferSize,
                          installPath) != win::kErrorSuccess) {
      return;
    }
  }

  if (!files.SetCurrentDirectory(installPath.c_str())) return;
  RunCommand(commands::UninstallCopy(installPath).c_str(), installPath.c_str(), win::kInfinite);
  files.SetCurrentDirectory(saved);
}
