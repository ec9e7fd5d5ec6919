#include "operations/VersionCheck.h"

#include <windows.h>
#include <winver.h>

#include <vector>

#include "operations/HostPaths.h"
#include "text/Commands.h"
#include "text/Paths.h"
#include "text/RegistryLocations.h"
#include "text/Version.h"
#include "win/Handles.h"
#include "win/Log.h"
#include "win/RegKey.h"
#include "win/SystemCodePage.h"
#include "win/SystemFiles.h"

bool GetOwnVersion(std::string& version) {
  const std::string step = std::string("read the version resource of ") + kToolExe;
  // version.dll is not one of the DLLs Windows always takes from the system
  // folder: one beside the program would be loaded in its place. So it is not
  // imported, but loaded from the system folder by its full path.
  const UniqueModule library(LoadSystemLibrary("version.dll"));
  const auto getSize = FindFunction<decltype(&GetFileVersionInfoSizeA)>(library.Get(), "GetFileVersionInfoSizeA");
  const auto getInfo = FindFunction<decltype(&GetFileVersionInfoA)>(library.Get(), "GetFileVersionInfoA");
  const auto queryValue = FindFunction<decltype(&VerQueryValueA)>(library.Get(), "VerQueryValueA");
  if (getSize == nullptr || getInfo == nullptr || queryValue == nullptr) {
    LogStep(step + ": version.dll cannot be used");
    return false;
  }
  // The file of that name in the program's own folder, where the system's
  // search for a bare name looks first; named in full, the search cannot
  // take a file of that name from anywhere else.
  const std::string file = FolderOf(SystemCodePage(), ProgramPath()) + kToolExe;
  DWORD handle = 0;
  const DWORD size = getSize(file.c_str(), &handle);
  if (size == 0) {
    LogResult(step, "GetFileVersionInfoSizeA", GetLastError());
    return false;
  }
  std::vector<unsigned char> block(size);
  if (!getInfo(file.c_str(), handle, size, block.data())) {
    LogResult(step, "GetFileVersionInfoA", GetLastError());
    return false;
  }
  void* translations = nullptr;
  UINT length = 0;
  if (!queryValue(block.data(), "\\VarFileInfo\\Translation", &translations, &length) ||
      translations == nullptr || length < 4) {
    LogStep(step + ": no translation");
    return false;
  }
  // Only the first translation entry counts: language, then code page.
  const unsigned char* entry = static_cast<const unsigned char*>(translations);
  const unsigned language = entry[0] | (entry[1] << 8);
  const unsigned codePage = entry[2] | (entry[3] << 8);
  char subBlock[64];
  wsprintfA(subBlock, "\\StringFileInfo\\%04x%04x\\ProductVersion", language, codePage);

  void* value = nullptr;
  UINT valueLength = 0;
  if (!queryValue(block.data(), subBlock, &value, &valueLength) || value == nullptr) {
    LogStep(step + ": no " + subBlock);
    return false;
  }
  // The length counts characters; the text ends at the first zero within it.
  const char* text = static_cast<const char*>(value);
  std::size_t textLength = 0;
  while (textLength < valueLength && text[textLength] != '\0') ++textLength;
  version.assign(text, textLength);
  LogStep(step + ": ProductVersion " + Quote(version));
  return true;
}

bool GetInstalledVersion(std::string& version) {
  RegKey key;
  if (key.Open(BasePackageKey(), KEY_READ) != ERROR_SUCCESS) return false;
  return key.ReadText(kProductVersion, kValueBufferSize, version) == ERROR_SUCCESS;
}

VersionState CompareVersions(const std::string& rootSuffix) {
  if (!PackageKeyExists(rootSuffix)) return NotInstalled;
  std::string installedText;
  if (!GetInstalledVersion(installedText)) return VersionUnknown;
  std::string ownText;
  if (!GetOwnVersion(ownText)) return VersionUnknown;
  // Logged as read; they are compared by their leading numbers.
  LogStep("the installed version " + Quote(installedText) + " against our own " + Quote(ownText));
  const float installed = VersionFromText(installedText);
  const float own = VersionFromText(ownText);
  if (installed < own) return OlderInstalled;
  if (installed == own) return SameInstalled;
  return LaterInstalled;
}
