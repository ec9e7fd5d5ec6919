// Where the IDE and the package live, as the registry tells it.

#include <string>

#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "framework/Format.h"
#include "framework/MultibyteText.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "resource.h"

// An InstallDir with fewer than two backslashes (after a trailing one is
// dropped) has no two levels to climb: each cut that finds no backslash
// leaves the text unchanged, so "IDE" stays "IDE" and "C:\IDE" becomes "C:".
std::string CRegOrvikPkgApp::GetIdeInstallRoot() {
  platform::Registry& registry = Platform().registry;
  regtext::ScopedKey key(registry);
  if (key.Open(regkeys::IdeRootKey(RootSuffix), win::kKeyAllAccess) != win::kErrorSuccess) return std::string();

  std::string root;
  if (regtext::ReadText(registry, key.Get(), regkeys::kInstallDir, regkeys::kInstallDirBufferSize, root) !=
      win::kErrorSuccess) {
    return std::string();
  }
  if (mbtext::EndsWithBackslash(Platform().text, root)) root.pop_back();
  mbtext::CutAtLastBackslash(Platform().text, root);
  mbtext::CutAtLastBackslash(Platform().text, root);
  return root;
}

bool CRegOrvikPkgApp::GetPackageInstallPath(std::string& out) {
  out.clear();
  platform::Registry& registry = Platform().registry;
  regtext::ScopedKey key(registry);
  if (key.Open(regkeys::PackageKey(RootSuffix, false), win::kKeyRead) != win::kErrorSuccess) return false;

  std::string path;
  if (regtext::ReadText(registry, key.Get(), regkeys::kInstallPath, regkeys::kValueBufferSize, path) !=
      win::kErrorSuccess) {
    return false;
  }
  if (!key.Close()) return false;

  path = mbtext::TrimWhiteSpace(Platform().text, path);
  if (!mbtext::EndsWithBackslash(Platform().text, path)) path.push_back('\\');
  out = path;
  return true;
}

bool CRegOrvikPkgApp::PackageKeyExists() {
  regtext::ScopedKey key(Platform().registry);
  return key.Open(regkeys::PackageKey(RootSuffix, true), win::kKeyAllAccess) == win::kErrorSuccess;
}

bool CRegOrvikPkgApp::RequireIdeRootKey() {
  const std::string rootKey = regkeys::IdeRootKey(RootSuffix);
  regtext::ScopedKey key(Platform().registry);
  if (key.Open(rootKey, win::kKeyRead) == win::kErrorSuccess) return true;

  const std::string pattern = framework::LoadResourceString(Platform().modules, IDS_KEY_ABSENT);
  const std::string message = framework::FormatText(pattern.c_str(), rootKey);
  Platform().ui.MessageBox(nullptr, message.c_str(), text::kErrorCaption, win::kMbOk | win::kMbIconError);
  return false;
}
