// Child processes of the in-memory Windows, against what CreateProcessA (no
// application name) was seen to do under Wine.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "platform/memory/MemoryPlatform.h"

namespace {

using ::testing::ElementsAre;

class MemoryProcessesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* path : {"C:\\pp\\Program Files\\tool.exe", "C:\\pp\\cwd\\ctool.exe", "C:\\pp\\cwd\\sub\\stool.exe",
                             "C:\\pp\\cwd\\two words.exe", "C:\\pp\\cwd\\tool.dat", "C:\\windows\\system32\\regsvr32.exe"}) {
      machine_.files.WriteFile(path, memory::MakeImage({}));
    }
    machine_.files.WriteFile("C:\\pp\\cwd\\junk.exe", "not an image");
    machine_.files.MakeDirectory("C:\\pp\\cwd\\subdir.exe");
    ASSERT_TRUE(machine_.files.SetCurrentDirectory("C:\\pp\\cwd"));
  }

  // The program a command line starts, or the error when none starts.
  std::string Started(const char* commandLine, const char* directory = nullptr) {
    platform::ProcessInformation child;
    if (!machine_.processes.CreateProcess(commandLine, false, 0, directory, {}, &child)) {
      return "error " + std::to_string(machine_.processes.Launches().back().error);
    }
    machine_.processes.CloseHandle(child.process);
    machine_.processes.CloseHandle(child.thread);
    return machine_.processes.Launches().back().program;
  }

  memory::MemoryPlatform machine_;
};

TEST_F(MemoryProcessesTest, TheProgramIsFoundLikeCreateProcessFindsIt) {
  const struct {
    const char* commandLine;
    const char* program;
  } cases[] = {
      {"C:\\pp\\Program Files\\tool.exe arg", "C:\\pp\\Program Files\\tool.exe"},
      {"\"C:\\pp\\Program Files\\tool.exe\" arg", "C:\\pp\\Program Files\\tool.exe"},
      {"\"C:\\pp\\Program Files\\tool\" arg", "C:\\pp\\Program Files\\tool.exe"},
      {"ctool arg", "C:\\pp\\cwd\\ctool.exe"},
      {"CTOOL.EXE", "C:\\pp\\cwd\\ctool.exe"},
      {"ctool.exe\targ", "C:\\pp\\cwd\\ctool.exe"},
      {"sub\\stool x", "C:\\pp\\cwd\\sub\\stool.exe"},
      {"tool.dat y", "C:\\pp\\cwd\\tool.dat"},
      {"two words.exe q", "C:\\pp\\cwd\\two words.exe"},
      {"regsvr32.exe /s x.dll", "C:\\windows\\system32\\regsvr32.exe"},
      {"nothere.exe", "error 2"},
      {"C:\\pp\\nodir\\x.exe", "error 2"},
      {"tool y", "error 2"},
      {"ctool. arg", "error 2"},
      {"subdir.exe", "error 2"},
      {"", "error 2"},
      {" ctool.exe", "error 2"},
      {"\"ctool.exe arg", "error 2"},
      {"junk.exe", "error 193"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.program, Started(c.commandLine)) << c.commandLine;
  EXPECT_EQ("", machine_.Leaks());
}

TEST_F(MemoryProcessesTest, TheShortestPrefixThatNamesAProgramWinsAndShadowsLaterOnes) {
  machine_.files.WriteFile("C:\\pp\\Program.exe", memory::MakeImage({}));
  EXPECT_EQ("C:\\pp\\Program.exe", Started("C:\\pp\\Program Files\\tool.exe arg"));
  // The program's own directory comes before the current one and the system's.
  machine_.files.WriteFile("C:\\Program Files\\Orvik\\regsvr32.exe", memory::MakeImage({}));
  EXPECT_EQ("C:\\Program Files\\Orvik\\regsvr32.exe", Started("regsvr32.exe /s"));
}

TEST_F(MemoryProcessesTest, TheChildsCurrentDirectoryMustBeAnExistingDirectory) {
  const struct {
    const char* directory;
    const char* result;
  } cases[] = {{"C:\\pp\\nodir", "error 267"},
               {"C:\\pp\\cwd\\junk.exe", "error 267"},
               {"", "error 267"},
               {"sub", "C:\\pp\\cwd\\ctool.exe"},
               {"stool.exe", "error 267"}};
  for (const auto& c : cases) EXPECT_EQ(c.result, Started("ctool.exe", c.directory)) << c.directory;
  // The program is searched from the parent's directory, not the child's.
  EXPECT_EQ("error 2", Started("stool.exe", "C:\\pp\\cwd\\sub"));
}

TEST_F(MemoryProcessesTest, ARegisteredProgramRunsWithItsLineAndDirectoryAndIsRecordedExactly) {
  std::vector<std::string> seen;
  machine_.processes.RegisterProgram("regsvr32.exe", [&](const memory::ChildRun& run) {
    seen.push_back(run.program + "|" + run.commandLine + "|" + run.currentDirectory + "|" +
                   (run.requestedDirectory ? *run.requestedDirectory : "inherited"));
    machine_.registry.CreateKeyPath("Software\\Registered");
    return 5u;
  });
  platform::StartupInfo startup;
  startup.flags = win::kStartfUseShowWindow;
  startup.showWindow = win::kSwHide;
  platform::ProcessInformation child;
  ASSERT_TRUE(machine_.processes.CreateProcess("regsvr32.exe /c /s x.dll ", false, 0, "sub\\", startup, &child));
  EXPECT_THAT(seen, ElementsAre("C:\\windows\\system32\\regsvr32.exe|regsvr32.exe /c /s x.dll |C:\\pp\\cwd\\sub|sub\\"));
  EXPECT_TRUE(machine_.registry.KeyExists("Software\\Registered"));
  EXPECT_EQ(win::kWaitObject0, machine_.processes.WaitForSingleObject(child.process, win::kInfinite));
  std::uint32_t code = 0;
  EXPECT_TRUE(machine_.processes.GetExitCodeProcess(child.process, &code));
  EXPECT_EQ(5u, code);
  EXPECT_FALSE(machine_.processes.GetExitCodeProcess(child.thread, &code));
  EXPECT_EQ(2, machine_.processes.OpenHandleCount());
  machine_.processes.CloseHandle(child.thread);
  machine_.processes.CloseHandle(child.process);
  EXPECT_FALSE(machine_.processes.CloseHandle(child.process));

  const memory::ProcessLaunch& launch = machine_.processes.Launches().back();
  EXPECT_EQ("regsvr32.exe /c /s x.dll ", launch.commandLine);
  EXPECT_FALSE(launch.inheritHandles);
  EXPECT_EQ("sub\\", launch.currentDirectory.value_or("none"));
  EXPECT_EQ(win::kStartfUseShowWindow, launch.startupFlags);
  EXPECT_EQ(win::kSwHide, launch.showWindow);
  EXPECT_EQ(5u, launch.exitCode);
}

TEST_F(MemoryProcessesTest, AScriptedWaitLeavesTheChildRunning) {
  machine_.processes.SetDefaultExitCode(0);
  for (std::uint32_t scripted : {win::kWaitTimeout, win::kWaitAbandoned, win::kWaitFailed}) {
    machine_.processes.ScriptWaitResult(scripted);
    platform::ProcessInformation child;
    ASSERT_TRUE(machine_.processes.CreateProcess("ctool.exe", false, 0, nullptr, {}, &child));
    EXPECT_EQ(scripted, machine_.processes.WaitForSingleObject(child.process, 1000));
    std::uint32_t code = 0;
    EXPECT_TRUE(machine_.processes.GetExitCodeProcess(child.process, &code));
    EXPECT_EQ(win::kStillActive, code);
    machine_.processes.CloseHandle(child.process);
    machine_.processes.CloseHandle(child.thread);
  }
  EXPECT_EQ(win::kWaitFailed, machine_.processes.WaitForSingleObject(nullptr, 0));
}

}  // namespace
