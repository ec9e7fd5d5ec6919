#include "operations/HostPaths.h"

#include "operations/Speaker.h"
#include "resource.h"
#include "text/Format.h"
#include "text/RegistryLocations.h"
#include "win/RegKey.h"
#include "win/SystemCodePage.h"
#include "win/UserInterface.h"

std::string GetIdeInstallRoot(const std::string& rootSuffix) {
  RegKey key;
  if (key.Open(IdeRootKey(rootSuffix), KEY_ALL_ACCESS) != ERROR_SUCCESS) return std::string();
  std::string installDir;
  if (key.ReadText(kInstallDir, kInstallDirBufferSize, installDir) != ERROR_SUCCESS) return std::string();
  return TwoLevelsUp(SystemCodePage(), installDir);
}

bool GetPackageInstallPath(const std::string& rootSuffix, std::string& out) {
  out.clear();
  RegKey key;
  if (key.Open(PackageKey(rootSuffix, false), KEY_READ) != ERROR_SUCCESS) return false;
  std::string path;
  if (key.ReadText(kInstallPath, kValueBufferSize, path) != ERROR_SUCCESS) return false;
  if (key.Close() != ERROR_SUCCESS) return false;

  const CodePage& codePage = SystemCodePage();
  path = TrimWhiteSpace(codePage, path);
  if (!EndsWithBackslash(codePage, path)) path.push_back('\\');
  out = path;
  return true;
}

bool PackageKeyExists(const std::string& rootSuffix) {
  RegKey key;
  return key.Open(PackageKey(rootSuffix, true), KEY_ALL_ACCESS) == ERROR_SUCCESS;
}

bool RequireIdeRootKey(const std::string& rootSuffix, const Speaker& speaker) {
  const std::string rootKey = IdeRootKey(rootSuffix);
  RegKey key;
  if (key.Open(rootKey, KEY_READ) == ERROR_SUCCESS) return true;
  speaker.Error(FormatText(LoadResourceString(IDS_KEY_ABSENT).c_str(), rootKey));
  return false;
}
