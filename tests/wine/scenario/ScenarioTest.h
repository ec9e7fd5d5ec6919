#pragma once
// The fixture of the scenario tests: a freshly provisioned machine before
// each test, the real RegOrvikPkg.exe started from its package directory
// under the automation library, and small checks of the registry and files
// (in the manner of Wine's own reg.exe tests).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Automation.h"
#include "Machine.h"
#include "MachineLayout.h"

namespace bench {

// One line of the testbed programs' run log.
struct LogLine {
  std::string module;     // full path of the program or DLL
  std::string directory;  // its current directory
  std::string text;       // its command line, or the DLL entry called
};

class ScenarioTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Wipes the machine and builds it anew from spec.
  void Provision(const MachineSpec& spec);

  // The tool started as the package's installer would: from the package
  // directory, by its quoted full path followed by arguments.
  RunResult RunTool(const std::string& arguments, std::vector<Answer> answers = {});
  // The tool started with exactly this command line.
  RunResult RunCommandLine(const std::string& commandLine, std::vector<Answer> answers = {});
  // The defaults of both: the package directory, the run log, and none of the
  // testbed's failure switches nor ENVSDK_ROOTSUFFIX from outside.
  RunOptions ToolRun(const std::string& commandLine, std::vector<Answer> answers = {}) const;

  std::string ToolPath() const { return std::string(layout::kPackageDir) + spec_.toolName; }
  std::string Built(const char* relativePath) const { return buildDir_ + "\\" + relativePath; }
  std::vector<LogLine> RunLog() const;

  MachineSpec spec_;
  std::string buildDir_;
};

// A program that plays a running IDE: a hidden top-level window of the given
// class and title, from ide_window.exe, for as long as the object lives.
class IdeWindow {
 public:
  IdeWindow(const std::string& program, const std::string& className, const std::string& title);
  ~IdeWindow();
  IdeWindow(const IdeWindow&) = delete;
  IdeWindow& operator=(const IdeWindow&) = delete;

  bool Exists() const { return window_ != nullptr; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// A message box as the tests expect it.
struct ExpectedBox {
  std::string caption;
  std::string text;
  IconKind icon = IconKind::kError;
  std::vector<int> buttons = {IDOK};
};

// The run showed exactly these message boxes, in this order, and no other window.
::testing::AssertionResult ShowedBoxes(const RunResult& result, const std::vector<ExpectedBox>& boxes);
// The run went as scripted and ended by itself with this exit code.
::testing::AssertionResult EndedWith(const RunResult& result, std::uint32_t exitCode);

// Registry checks below HKEY_LOCAL_MACHINE: the value's type and exact bytes.
::testing::AssertionResult ValueIs(const std::string& key, const char* name, DWORD type, const std::string& bytes);
::testing::AssertionResult KeyAbsent(const std::string& key);
::testing::AssertionResult FileEquals(const std::string& path, const std::string& knownPath);
::testing::AssertionResult FileAbsent(const std::string& path);

// A REG_SZ as regedit and installers write it: the text and its terminator.
inline std::string Terminated(const std::string& text) { return text + '\0'; }
inline std::string DwordBytes(std::uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

constexpr std::uint32_t kFailure = 0xFFFFFFFF;

}  // namespace bench
