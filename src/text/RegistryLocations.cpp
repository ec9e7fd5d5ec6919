#include "text/RegistryLocations.h"

namespace {
constexpr char kIdeRoot[] = "Software\\Microsoft\\VisualStudio\\7.0";
constexpr char kPackageBelowRoot[] = "\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kToolKey[] = "Software\\Orvik\\Compiler Integration Tool";
}  // namespace

std::string IdeRootKey(const std::string& rootSuffix) { return kIdeRoot + rootSuffix; }

std::string PackageKey(const std::string& rootSuffix, bool trailingBackslash) {
  return IdeRootKey(rootSuffix) + kPackageBelowRoot + (trailingBackslash ? "\\" : "");
}

std::string BasePackageKey() { return PackageKey(std::string(), true); }

std::string ToolKey() { return kToolKey; }

std::string ToolKeyParent() {
  const std::string key = ToolKey();
  return key.substr(0, key.rfind('\\'));
}

std::string ToolKeyLeafName() {
  const std::string key = ToolKey();
  return key.substr(key.rfind('\\') + 1);
}

std::string CompilersKey() { return ToolKey() + "\\" + kCompilersName; }

std::string CompilerKey(const std::string& name) { return CompilersKey() + "\\" + name; }

std::string IdeExeDir(const std::string& ideInstallRoot) { return ideInstallRoot + "\\Common7\\IDE\\"; }

std::string IdeToolsDir(const std::string& ideInstallRoot) { return ideInstallRoot + "\\Common7\\Tools\\"; }
