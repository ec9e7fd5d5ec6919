// Compares the installed package's product version with the tool's own.
// Versions are single-precision numbers made of the leading decimal number
// of their text, so 7.0.270 reads as 7.0 and 7.10 as 7.1.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/RegOrvikPkgApp.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "setup/Commands.h"

namespace {

float VersionFromText(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }

}  // namespace

bool CRegOrvikPkgApp::GetOwnVersion(float& version) {
  platform::Modules& modules = Platform().modules;
  // The bare name goes through the system's module search, which looks in
  // the program's own directory first.
  std::uint32_t handle = 0;
  const std::uint32_t size = modules.GetFileVersionInfoSize(commands::kToolExe, &handle);
  if (size == 0) return false;
  std::vector<unsigned char> block(size);
  if (!modules.GetFileVersionInfo(commands::kToolExe, handle, size, block.data())) return false;

  const void* translations = nullptr;
  std::uint32_t length = 0;
  if (!modules.VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &translations, &length) ||
      translations == nullptr || length < 4) {
    return false;
  }
  // Only the first translation entry counts: language, then code page.
  const unsigned char* entry = static_cast<const unsigned char*>(translations);
  const unsigned language = entry[0] | (entry[1] << 8);
  const unsigned codePage = entry[2] | (entry[3] << 8);
  char subBlock[64];
  std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\ProductVersion", language, codePage);

  const void* value = nullptr;
  std::uint32_t valueLength = 0;
  if (!modules.VerQueryValue(block.data(), subBlock, &value, &valueLength) || value == nullptr) return false;
  // The length counts characters; the text ends at the first zero within it.
  const char* text = static_cast<const char*>(value);
  std::size_t textLength = 0;
  while (textLength < valueLength && text[textLength] != '\0') ++textLength;
  version = VersionFromText(std::string(text, textLength));
  return true;
}

bool CRegOrvikPkgApp::GetInstalledVersion(float& version) {
  platform::Registry& registry = Platform().registry;
  regtext::ScopedKey key(registry);
  if (key.Open(regkeys::BasePackageKey(), win::kKeyRead) != win::kErrorSuccess) return false;
  std::string text;
  if (regtext::ReadText(registry, key.Get(), regkeys::kProductVersion, regkeys::kValueBufferSize, text) !=
      win::kErrorSuccess) {
    return false;
  }
  version = VersionFromText(text);
  return true;
}

VersionState CRegOrvikPkgApp::CompareVersions() {
  if (!PackageKeyExists()) return NotInstalled;
  float installed = 0.0f;
  if (!GetInstalledVersion(installed)) return VersionUnknown;
  float own = 0.0f;
  if (!GetOwnVersion(own)) return VersionUnknown;
  if (installed < own) return OlderInstalled;
  if (installed == own) return SameInstalled;
  return LaterInstalled;
}
