#include "operations/PackageSwitch.h"

#include <windows.h>

#include "operations/HostPaths.h"
#include "operations/RunCommand.h"
#include "text/Commands.h"
#include "text/Messages.h"
#include "text/RegistryLocations.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/Log.h"
#include "win/RegKey.h"
#include "win/SystemCodePage.h"
#include "win/SystemFiles.h"

namespace {

constexpr UINT kVendorMarkerId = 101;
constexpr char kVendorMarker[] = "Orvik";
constexpr int kMarkerBufferSize = 260;

}  // namespace

bool EnablePackage(const std::string& rootSuffix, const Speaker& speaker) {
  std::string packageDir;
  if (!GetPackageInstallPath(rootSuffix, packageDir)) return false;
  const std::string toolsDir = IdeToolsDir(GetIdeInstallRoot(rootSuffix));
  const std::string spawner = toolsDir + kSpawner;
  const std::string backup = packageDir + kSpawnerBackup;
  const std::string toolsBackup = toolsDir + kSpawnerBackup;

  bool loaded = false;
  const bool vendorInPlace = IsVendorSpawner(spawner, loaded);
  if (!loaded) return false;

  // The IDE's own spawner is backed up once; a backup from an earlier
  // enable is never overwritten.
  if (!vendorInPlace && !CopyFileTo(spawner.c_str(), backup.c_str(), TRUE) && GetLastError() != ERROR_FILE_EXISTS) {
    speaker.FileTrouble(kCantFindFile + spawner);
    return false;
  }
  IsVendorSpawner(backup, loaded);
  if (!loaded) return false;

  // The vendor's spawner finds the IDE's own beside it under the backup
  // name. When the vendor's is already in place, copying it would leave the
  // vendor's spawner there instead, so the copy comes from the backup.
  CopyFileTo(vendorInPlace ? backup.c_str() : spawner.c_str(), toolsBackup.c_str(), FALSE);

  if (!CopyFileTo(kVendorSpawner, spawner.c_str(), FALSE)) {
    speaker.FileTrouble(kCantCopySpawner + spawner);
    return false;
  }
  if (RunCommand(RegisterServer(SystemDirectory(), kPackageDll), nullptr, INFINITE, speaker) != 0) return false;
  return SetPackageEnabled(rootSuffix, true);
}

bool DisablePackage(const std::string& rootSuffix, const Speaker& speaker) {
  if (RunCommand(UnregisterServer(SystemDirectory(), kPackageDll), nullptr, INFINITE, speaker) != 0) return false;
  std::string packageDir;
  if (!GetPackageInstallPath(rootSuffix, packageDir)) return false;
  const std::string backup = packageDir + kSpawnerBackup;
  const std::string spawner = IdeToolsDir(GetIdeInstallRoot(rootSuffix)) + kSpawner;

  if (!MoveFileTo(backup.c_str(), spawner.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    speaker.FileTrouble(kCantCopyFile + backup + kCopyTo + spawner);
    return false;
  }
  return SetPackageEnabled(rootSuffix, false);
}

bool QueryPackageEnabled(const std::string& rootSuffix) {
  RegKey key;
  if (key.Open(PackageKey(rootSuffix, true), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  unsigned char data[4] = {};
  if (key.ReadBytes(kEnabled, data, sizeof data) != ERROR_SUCCESS) return false;
  const DWORD value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
  return value == 1;
}

bool SetPackageEnabled(const std::string& rootSuffix, bool enabled) {
  RegKey key;
  if (key.Open(PackageKey(rootSuffix, true), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  return key.WriteDword(kEnabled, enabled ? 1 : 0) == ERROR_SUCCESS;
}

// A file is the vendor's spawner when entry 101 of its string table reads
// "Orvik", letter case aside. The file is only mapped as data to read it:
// none of its code runs.
bool IsVendorSpawner(const std::string& path, bool& loaded) {
  char marker[kMarkerBufferSize] = {};
  {
    const UniqueModule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    loaded = module.Get() != nullptr;
    if (!loaded) {
      LogResult("load " + path + " to read its string 101", "LoadLibraryExA", GetLastError());
      return false;
    }
    if (LoadStringA(module.Get(), kVendorMarkerId, marker, kMarkerBufferSize) <= 0) marker[0] = '\0';
  }
  LogStep("load " + path + " to read its string 101: " + Quote(marker));
  return CompareNoCase(marker, kVendorMarker) == 0;
}
