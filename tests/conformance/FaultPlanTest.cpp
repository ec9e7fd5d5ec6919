#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "platform/memory/MemoryPlatform.h"

namespace {

using memory::Call;
using ::testing::ElementsAre;

// A little of everything: open, read, close, copy, run.
bool RunSteps(memory::MemoryPlatform& machine) {
  platform::KeyHandle key = nullptr;
  if (machine.registry.OpenKey(platform::LocalMachine(), "Software", win::kKeyRead, &key) != 0) return false;
  std::uint32_t size = 4;
  char data[4];
  const bool read = machine.registry.QueryValue(key, "v", nullptr, data, &size) == 0;
  const bool closed = machine.registry.CloseKey(key) == 0;
  return read && closed && machine.files.CopyFile("C:\\a.txt", "C:\\b.txt", false);
}

memory::MemoryPlatform& Prepared(memory::MemoryPlatform& machine) {
  machine.registry.SetDword("Software", "v", 1);
  machine.files.WriteFile("C:\\a.txt", "a");
  return machine;
}

TEST(FaultPlan, CountsEveryFallibleCallInOneSequence) {
  memory::MemoryPlatform machine;
  ASSERT_TRUE(RunSteps(Prepared(machine)));
  EXPECT_THAT(machine.faults.Calls(),
              ElementsAre(Call::RegOpenKey, Call::RegQueryValue, Call::RegCloseKey, Call::CopyFile));
  EXPECT_EQ(1u, machine.faults.CallCount(Call::CopyFile));
}

TEST(FaultPlan, WalkingEveryCallFailsEachOnceAndLeaksNothing) {
  memory::MemoryPlatform reference;
  RunSteps(Prepared(reference));
  const std::uint64_t total = reference.faults.CallCount();
  for (std::uint64_t n = 1; n <= total; ++n) {
    memory::MemoryPlatform machine;
    Prepared(machine).faults.FailNth(n, win::kErrorAccessDenied);
    EXPECT_FALSE(RunSteps(machine)) << n;
    EXPECT_EQ(1, machine.faults.InjectedCount()) << n;
    EXPECT_EQ("", machine.Leaks()) << machine.faults.LastInjected();
  }
}

TEST(FaultPlan, FailsTheNthCallOfOneKindWithTheChosenError) {
  memory::MemoryPlatform machine;
  machine.files.WriteFile("C:\\a.txt", "a");
  machine.faults.FailNthOf(Call::CopyFile, 2, win::kErrorAccessDenied);
  EXPECT_TRUE(machine.files.CopyFile("C:\\a.txt", "C:\\b.txt", false));
  EXPECT_FALSE(machine.files.CopyFile("C:\\a.txt", "C:\\c.txt", false));
  EXPECT_EQ(static_cast<std::uint32_t>(win::kErrorAccessDenied), machine.files.LastError());
  EXPECT_FALSE(machine.files.Exists("C:\\c.txt"));
  EXPECT_TRUE(machine.files.CopyFile("C:\\a.txt", "C:\\c.txt", false));
  EXPECT_EQ("CopyFile #2 (call 2)", machine.faults.LastInjected());
}

TEST(FaultPlan, AFailedCloseStillReleasesTheHandle) {
  memory::MemoryPlatform machine;
  platform::KeyHandle key = nullptr;
  ASSERT_EQ(0, machine.registry.CreateKey(platform::LocalMachine(), "Software", win::kKeyAllAccess, &key));
  machine.faults.FailNthOf(Call::RegCloseKey, 1, win::kErrorInvalidHandle);
  EXPECT_EQ(win::kErrorInvalidHandle, machine.registry.CloseKey(key));
  EXPECT_EQ(0, machine.registry.OpenHandleCount());

  machine.files.WriteFile("C:\\windows\\system32\\tool.exe", memory::MakeImage({}));
  platform::ProcessInformation child;
  ASSERT_TRUE(machine.processes.CreateProcess("tool.exe", false, 0, nullptr, {}, &child));
  machine.faults.FailNthOf(Call::CloseHandle, 1, win::kErrorInvalidHandle);
  EXPECT_FALSE(machine.processes.CloseHandle(child.thread));
  EXPECT_TRUE(machine.processes.CloseHandle(child.process));
  EXPECT_EQ("", machine.Leaks());
}

TEST(FaultPlan, EachStandInFailsLikeItsWindowsFunction) {
  memory::MemoryPlatform machine;
  machine.environment.SetVariable("NAME", "value");
  const struct {
    Call kind;
    std::function<bool()> failed;
  } cases[] = {
      {Call::GetEnvironmentVariable, [&] { return machine.environment.GetEnvironmentVariable("NAME", nullptr, 0) == 0; }},
      {Call::LoadModule, [&] { return machine.modules.LoadForResources(memory::MemoryPlatform::kDefaultProgramPath) == nullptr; }},
      {Call::VersionInfoSize, [&] { return machine.modules.GetFileVersionInfoSize("RegOrvikPkg.exe", nullptr) == 0; }},
      {Call::GetCurrentDirectory, [&] { return machine.files.GetCurrentDirectory(0, nullptr) == 0; }},
      {Call::MessageBox, [&] { return machine.ui.MessageBox(nullptr, "t", "c", win::kMbOk) == 0; }},
      {Call::Wait, [&] { return machine.processes.WaitForSingleObject(nullptr, 0) == win::kWaitFailed; }},
  };
  for (const auto& c : cases) {
    machine.faults.FailNthOf(c.kind, machine.faults.CallCount(c.kind) + 1, win::kErrorAccessDenied);
    EXPECT_TRUE(c.failed()) << memory::CallName(c.kind);
  }
}

}  // namespace
