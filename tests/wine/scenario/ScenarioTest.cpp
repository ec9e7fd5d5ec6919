#include "ScenarioTest.h"

#include <fstream>
#include <iterator>

namespace bench {
namespace {

std::string Describe(const RunResult& result) { return "\n" + FormatTranscript(result); }

std::string ReadFileBytes(const std::string& path, bool& found) {
  std::ifstream file(path, std::ios::binary);
  found = static_cast<bool>(file);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM context) {
  auto* wanted = reinterpret_cast<std::pair<DWORD, HWND>*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != wanted->first) return TRUE;
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, "IME") == 0) return TRUE;
  wanted->second = window;
  return FALSE;
}

}  // namespace

void ScenarioTest::SetUp() {
  buildDir_ = BuildDirectoryFromEnvironment();
  ASSERT_FALSE(buildDir_.empty()) << "REGORVIK_BUILD_DIR must name the build directory (a Windows path)";
  ASSERT_TRUE(RunningUnderWine() || GetEnvironmentVariableA("REGORVIK_ALLOW_REAL_MACHINE", nullptr, 0))
      << "the scenario tests rebuild parts of HKEY_LOCAL_MACHINE and Program Files; outside Wine set "
         "REGORVIK_ALLOW_REAL_MACHINE=1 to allow that";
  Provision(MachineSpec{});
}

void ScenarioTest::Provision(const MachineSpec& spec) {
  spec_ = spec;
  std::string error = ProvisionMachine(spec_, buildDir_);
  ASSERT_TRUE(error.empty()) << error;
}

RunOptions ScenarioTest::ToolRun(const std::string& commandLine, std::vector<Answer> answers) const {
  RunOptions options;
  options.commandLine = commandLine;
  options.currentDirectory = layout::kPackageDir;
  options.answers = std::move(answers);
  options.environment = {{"TESTBED_LOG", std::string(layout::kRunLog)},
                         {"ENVSDK_ROOTSUFFIX", std::nullopt},
                         {"TESTBED_DEVENV_EXIT", std::nullopt},
                         {"TESTBED_ORVIKPKG_FAIL", std::nullopt},
                         {"TESTBED_VELPKG_FAIL", std::nullopt}};
  return options;
}

RunResult ScenarioTest::RunCommandLine(const std::string& commandLine, std::vector<Answer> answers) {
  return RunProgram(ToolRun(commandLine, std::move(answers)));
}

RunResult ScenarioTest::RunTool(const std::string& arguments, std::vector<Answer> answers) {
  std::string commandLine = "\"" + ToolPath() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  return RunCommandLine(commandLine, std::move(answers));
}

std::vector<LogLine> ScenarioTest::RunLog() const {
  bool found = false;
  std::string log = ReadFileBytes(layout::kRunLog, found);
  std::vector<LogLine> lines;
  for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = log.substr(start, end - start);
    std::size_t first = line.find('\t');
    std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) continue;
    lines.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
  }
  return lines;
}

IdeWindow::IdeWindow(const std::string& program, const std::string& className, const std::string& title) {
  std::string commandLine = "\"" + program + "\" \"" + className + "\" \"" + title + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
    return;
  // Its window, not its start, is what counts: wait until it exists.
  for (int attempt = 0; attempt < 1000 && !window_; ++attempt) {
    std::pair<DWORD, HWND> wanted{process_.dwProcessId, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&wanted));
    window_ = wanted.second;
    if (!window_ && WaitForSingleObject(process_.hProcess, 5) == WAIT_OBJECT_0) break;
  }
}

IdeWindow::~IdeWindow() {
  if (!process_.hProcess) return;
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

::testing::AssertionResult EndedWith(const RunResult& result, std::uint32_t exitCode) {
  if (!result.Succeeded()) return ::testing::AssertionFailure() << "the run failed:" << Describe(result);
  if (!result.exited || result.exitCode != exitCode) {
    char expected[32];
    wsprintfA(expected, "0x%08X", exitCode);
    return ::testing::AssertionFailure() << "expected exit code " << expected << ", got:" << Describe(result);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ShowedBoxes(const RunResult& result, const std::vector<ExpectedBox>& boxes) {
  if (result.windows.size() != boxes.size())
    return ::testing::AssertionFailure() << "expected " << boxes.size() << " message box(es), got "
                                         << result.windows.size() << ":" << Describe(result);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const WindowRecord& shown = result.windows[i];
    const ExpectedBox& expected = boxes[i];
    std::vector<int> buttons;
    for (const ControlRecord& button : shown.buttons) buttons.push_back(button.id);
    if (!shown.isMessageBox || shown.caption != expected.caption || shown.text != expected.text ||
        shown.icon != expected.icon || buttons != expected.buttons || shown.shownByChild)
      return ::testing::AssertionFailure() << "window " << i + 1 << " should be the message box \""
                                           << MakeVisible(expected.caption) << "\" with \""
                                           << MakeVisible(expected.text) << "\", icon "
                                           << IconKindName(expected.icon) << ":" << Describe(result);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ValueIs(const std::string& key, const char* name, DWORD type, const std::string& bytes) {
  HKEY handle;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle);
  if (status != ERROR_SUCCESS) return ::testing::AssertionFailure() << "HKLM\\" << key << " cannot be opened: " << status;
  DWORD storedType = 0;
  DWORD size = 0;
  status = RegQueryValueExA(handle, name, nullptr, &storedType, nullptr, &size);
  std::string stored(size, '\0');
  if (status == ERROR_SUCCESS)
    status = RegQueryValueExA(handle, name, nullptr, &storedType, reinterpret_cast<BYTE*>(&stored[0]), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS)
    return ::testing::AssertionFailure() << "HKLM\\" << key << " has no value " << (name ? name : "@") << ": " << status;
  stored.resize(size);
  if (storedType != type || stored != bytes)
    return ::testing::AssertionFailure() << "HKLM\\" << key << " " << (name ? name : "@") << " holds type " << storedType
                                         << " \"" << MakeVisible(stored) << "\", expected type " << type << " \""
                                         << MakeVisible(bytes) << "\"";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult KeyAbsent(const std::string& key) {
  HKEY handle;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle);
  if (status == ERROR_FILE_NOT_FOUND) return ::testing::AssertionSuccess();
  if (status == ERROR_SUCCESS) RegCloseKey(handle);
  return ::testing::AssertionFailure() << "HKLM\\" << key << " exists (open gave " << status << ")";
}

::testing::AssertionResult FileEquals(const std::string& path, const std::string& knownPath) {
  bool found = false;
  bool knownFound = false;
  std::string bytes = ReadFileBytes(path, found);
  std::string known = ReadFileBytes(knownPath, knownFound);
  if (!found) return ::testing::AssertionFailure() << path << " does not exist";
  if (!knownFound) return ::testing::AssertionFailure() << "the reference " << knownPath << " does not exist";
  if (bytes != known) return ::testing::AssertionFailure() << path << " differs from " << knownPath;
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult FileAbsent(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << path << " exists";
}

}  // namespace bench
