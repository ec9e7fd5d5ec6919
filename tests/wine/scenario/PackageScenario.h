#pragma once
// What the install and uninstall scenarios share: the tool run with the
// machine's root suffix in its environment, the testbed's run log as lines
// that a failed comparison prints readably, and the lines the package's
// programs leave in it.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ScenarioTest.h"

namespace bench {

using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

constexpr char kAppCaption[] = "RegOrvikPkg";
constexpr char kInstallFailed[] = "Failed to install Orvik C++ Integration Tool\n";
constexpr char kUninstallFailed[] = "Failed to uninstall Orvik C++ Integration Tool\n";

// A directory as GetCurrentDirectoryA reports it: without the trailing backslash.
inline std::string AsCurrentDirectory(std::string directory) {
  if (directory.size() > 3 && directory.back() == '\\') directory.pop_back();
  return directory;
}

inline std::string Show(const LogLine& line) { return line.module + " | " + line.directory + " | " + line.text; }

// What a package DLL in dllDirectory logs when regsvr32.exe calls one of its
// entries; regsvr32.exe inherits the tool's current directory.
inline std::string DllCall(const std::string& dllDirectory, const char* dll, const char* entry,
                           const std::string& currentDirectory = layout::kPackageDir) {
  return Show({dllDirectory + dll, AsCurrentDirectory(currentDirectory), entry});
}

// What devenv.exe logs when the tool runs the IDE's set-up.
inline std::string IdeSetupCall(const std::string& rootSuffix,
                                const std::string& currentDirectory = layout::kPackageDir) {
  std::string devenv = std::string(layout::kIdeExeDir) + "devenv.exe";
  std::string commandLine = "\"" + devenv + "\" /setup";
  if (!rootSuffix.empty()) commandLine += " /rootsuffix " + rootSuffix;
  return Show({devenv, AsCurrentDirectory(currentDirectory), commandLine});
}

// A REG_SZ below HKEY_LOCAL_MACHINE with its terminator, as installers write it.
inline ::testing::AssertionResult SetText(const std::string& keyPath, const char* name, const std::string& text) {
  HKEY key;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
  }
  if (status != ERROR_SUCCESS) return ::testing::AssertionFailure() << "writing HKLM\\" << keyPath << ": " << status;
  return ::testing::AssertionSuccess();
}

// The key exists and has no value of that name.
inline ::testing::AssertionResult ValueAbsent(const std::string& keyPath, const char* name) {
  HKEY key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key);
  if (status != ERROR_SUCCESS) return ::testing::AssertionFailure() << "HKLM\\" << keyPath << " cannot be opened: " << status;
  status = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (status == ERROR_FILE_NOT_FOUND) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "HKLM\\" << keyPath << " has a value " << name << " (query gave " << status
                                       << ")";
}

class PackageScenario : public ScenarioTest {
 protected:
  // The tool with ENVSDK_ROOTSUFFIX set as the machine was provisioned, then
  // the extra variables, which may override it.
  RunResult Run(const std::string& arguments, std::vector<Answer> answers = {}, const Environment& extra = {}) {
    RunOptions options = ToolRun("\"" + ToolPath() + "\" " + arguments, std::move(answers));
    if (!spec_.rootSuffix.empty()) options.environment.emplace_back("ENVSDK_ROOTSUFFIX", spec_.rootSuffix);
    options.environment.insert(options.environment.end(), extra.begin(), extra.end());
    return RunProgram(options);
  }

  // The run log's lines from line `from` on.
  std::vector<std::string> Log(std::size_t from = 0) const {
    std::vector<std::string> lines;
    std::vector<LogLine> log = RunLog();
    for (std::size_t i = from; i < log.size(); ++i) lines.push_back(Show(log[i]));
    return lines;
  }

  std::string PackageFile(const char* name) const { return std::string(layout::kPackageDir) + name; }
  std::string ToolsFile(const char* name) const { return std::string(layout::kIdeToolsDir) + name; }
};

}  // namespace bench
