// Turning the package on and off: the IDE's build spawner swapped for the
// vendor's, the package DLL registered, and the state recorded in Enabled,
// always last.

#include <cstdint>
#include <string>

#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "setup/Commands.h"
#include "setup/RunCommand.h"

namespace {

constexpr std::uint32_t kVendorMarkerId = 101;
constexpr char kVendorMarker[] = "Orvik";
constexpr int kMarkerBufferSize = 260;

}  // namespace

bool CRegOrvikPkgApp::EnablePackage() {
  platform::Files& files = Platform().files;
  std::string packageDir;
  if (!GetPackageInstallPath(packageDir)) return false;
  const std::string toolsDir = regkeys::IdeToolsDir(GetIdeInstallRoot());
  const std::string spawner = toolsDir + commands::kSpawner;
  const std::string backup = packageDir + commands::kSpawnerBackup;
  const std::string toolsBackup = toolsDir + commands::kSpawnerBackup;

  bool loaded = false;
  const bool vendorInPlace = IsVendorSpawner(spawner, loaded);
  if (!loaded) return false;

  // The IDE's own spawner is backed up once; a backup from an earlier
  // enable is never overwritten.
  if (!vendorInPlace && !files.CopyFile(spawner.c_str(), backup.c_str(), true) &&
      files.LastError() != static_cast<std::uint32_t>(win::kErrorFileExists)) {
    if (!QuietMode) MessageBox(text::kCantFindFile + spawner, win::kMbOk);
    return false;
  }
  IsVendorSpawner(backup, loaded);
  if (!loaded) return false;

  // The vendor's spawner finds the IDE's own beside it under the backup
  // name. When the vendor's is already in place, copying it would leave the
  // vendor's spawner there instead, so the copy comes from the backup.
  files.CopyFile(vendorInPlace ? backup.c_str() : spawner.c_str(), toolsBackup.c_str(), false);

  if (!files.CopyFile(commands::kVendorSpawner, spawner.c_str(), false)) {
    if (!QuietMode) MessageBox(text::kCantCopySpawner + spawner, win::kMbOk);
    return false;
  }
  if (RunCommand(commands::RegisterServer(commands::kPackageDll).c_str(), nullptr, win::kInfinite) != 0) {
    return false;
  }
  return SetPackageEnabled(true);
}

bool CRegOrvikPkgApp::DisablePackage() {
  if (RunCommand(commands::UnregisterServer(commands::kPackageDll).c_str(), nullptr, win::kInfinite) != 0) {
    return false;
  }
  std::string packageDir;
  if (!GetPackageInstallPath(packageDir)) return false;
  const std::string toolsDir = regkeys::IdeToolsDir(GetIdeInstallRoot());
  const std::string backup = packageDir + commands::kSpawnerBackup;
  const std::string spawner = toolsDir + commands::kSpawner;

  if (!Platform().files.MoveFile(backup.c_str(), spawner.c_str(),
                                 win::kMoveFileReplaceExisting | win::kMoveFileCopyAllowed)) {
    if (!QuietMode) MessageBox(text::kCantCopyFile + backup + text::kCopyTo + spawner, win::kMbOk);
    return false;
  }
  return SetPackageEnabled(false);
}

bool CRegOrvikPkgApp::QueryPackageEnabled() {
  platform::Registry& registry = Platform().registry;
  regtext::ScopedKey key(registry);
  // Opened with full access even for reading: without the right to write,
  // the package counts as disabled.
  if (key.Open(regkeys::PackageKey(RootSuffix, true), win::kKeyAllAccess) != win::kErrorSuccess) return false;

  unsigned char data[4] = {};
  std::uint32_t size = sizeof data;
  std::uint32_t type = win::kRegNone;
  if (registry.QueryValue(key.Get(), regkeys::kEnabled, &type, data, &size) != win::kErrorSuccess) return false;
  const std::uint32_t value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
  return value == 1;
}

bool CRegOrvikPkgApp::SetPackageEnabled(bool enabled) {
  platform::Registry& registry = Platform().registry;
  regtext::ScopedKey key(registry);
  if (key.Open(regkeys::PackageKey(RootSuffix, true), win::kKeyAllAccess) != win::kErrorSuccess) return false;
  const unsigned char data[4] = {static_cast<unsigned char>(enabled ? 1 : 0), 0, 0, 0};
  return registry.SetValue(key.Get(), regkeys::kEnabled, win::kRegDword, data, sizeof data) == win::kErrorSuccess;
}

// A file is the vendor's spawner when entry 101 of its string table reads
// "Orvik", letter case aside. The file is only mapped to read it.
bool CRegOrvikPkgApp::IsVendorSpawner(const std::string& path, bool& loaded) {
  platform::Modules& modules = Platform().modules;
  platform::ModuleHandle module = modules.LoadForResources(path.c_str());
  loaded = module != nullptr;
  if (!loaded) return false;

  char marker[kMarkerBufferSize] = {};
  const int length = modules.LoadString(module, kVendorMarkerId, marker, kMarkerBufferSize);
  if (length <= 0) marker[0] = '\0';
  modules.Free(module);
  return Platform().text.CompareNoCase(marker, kVendorMarker) == 0;
}
