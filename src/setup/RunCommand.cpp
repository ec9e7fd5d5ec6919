#include "setup/RunCommand.h"

#include <string>

#include "app/Messages.h"
#include "framework/Application.h"
#include "platform/WinConstants.h"

namespace {

// Exit code 1 is taken as success as well: the programs the tool runs use it
// for "nothing to do".
bool IsSuccessfulExit(std::uint32_t exitCode) { return exitCode == 0 || exitCode == 1; }

// Starts the child and waits for it; the exit code read, or 0xFFFFFFFF when
// the child could not be started or the wait gave up.
std::uint32_t StartAndWait(platform::Processes& processes, const char* commandLine, const char* workingDirectory,
                           std::uint32_t timeoutMs) {
  platform::StartupInfo startup;
  startup.flags = win::kStartfUseShowWindow;
  startup.showWindow = win::kSwHide;
  platform::ProcessInformation child;
  if (!processes.CreateProcess(commandLine, false, 0, workingDirectory, startup, &child)) return 0xFFFFFFFF;

  processes.CloseHandle(child.thread);
  const std::uint32_t waited = processes.WaitForSingleObject(child.process, timeoutMs);
  if (waited == win::kWaitTimeout || waited == win::kWaitAbandoned) {
    processes.CloseHandle(child.process);
    return 0xFFFFFFFF;
  }
  // After a failed wait the child may still run: its code then reads as
  // STILL_ACTIVE and counts as a failure.
  std::uint32_t exitCode = 0xFFFFFFFF;
  if (!processes.GetExitCodeProcess(child.process, &exitCode)) exitCode = 0xFFFFFFFF;
  processes.CloseHandle(child.process);
  return exitCode;
}

}  // namespace

std::uint32_t RunCommand(const char* commandLine, const char* workingDirectory, std::uint32_t timeoutMs) {
  framework::Application& app = *framework::Application::Current();
  const std::uint32_t exitCode = StartAndWait(app.Platform().processes, commandLine, workingDirectory, timeoutMs);
  if (IsSuccessfulExit(exitCode)) return 0;
  app.MessageBox(std::string(text::kErrorExecuting) + commandLine, win::kMbOk, 0);
  return exitCode;
}
