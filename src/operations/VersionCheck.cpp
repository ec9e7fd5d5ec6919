#include "operations/VersionCheck.h"

#include <windows.h>

#include <vector>

#include "operations/HostPaths.h"
#include "text/Commands.h"
#include "text/RegistryLocations.h"
#include "text/Version.h"
#include "win/Log.h"
#include "win/RegKey.h"

bool GetOwnVersion(float& version) {
  // The bare name goes through the system's module search, which looks in
  // the program's own directory first.
  const std::string step = std::string("read the version resource of ") + kToolExe;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(kToolExe, &handle);
  if (size == 0) {
    LogResult(step, "GetFileVersionInfoSizeA", GetLastError());
    return false;
  }
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(kToolExe, handle, size, block.data())) {
    LogResult(step, "GetFileVersionInfoA", GetLastError());
    return false;
  }

  void* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translations, &length) ||
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
  if (!VerQueryValueA(block.data(), subBlock, &value, &valueLength) || value == nullptr) {
    LogStep(step + ": no " + subBlock);
    return false;
  }
  // The length counts characters; the text ends at the first zero within it.
  const char* text = static_cast<const char*>(value);
  std::size_t textLength = 0;
  while (textLength < valueLength && text[textLength] != '\0') ++textLength;
  version = VersionFromText(std::string(text, textLength));
  LogStep(step + ": ProductVersion " + Quote(std::string(text, textLength)));
  return true;
}

bool GetInstalledVersion(float& version) {
  RegKey key;
  if (key.Open(BasePackageKey(), KEY_READ) != ERROR_SUCCESS) return false;
  std::string text;
  if (key.ReadText(kProductVersion, kValueBufferSize, text) != ERROR_SUCCESS) return false;
  version = VersionFromText(text);
  return true;
}

VersionState CompareVersions(const std::string& rootSuffix) {
  if (!PackageKeyExists(rootSuffix)) return NotInstalled;
  float installed = 0.0f;
  if (!GetInstalledVersion(installed)) return VersionUnknown;
  float own = 0.0f;
  if (!GetOwnVersion(own)) return VersionUnknown;
  LogStep("the installed version " + std::to_string(installed) + " against our own " + std::to_string(own));
  if (installed < own) return OlderInstalled;
  if (installed == own) return SameInstalled;
  return LaterInstalled;
}
