#include "operations/RunCommand.h"

#include <cstring>
#include <string>
#include <vector>

#include "text/Messages.h"
#include "win/Handles.h"
#include "win/Log.h"

namespace {

constexpr DWORD kNoExitCode = 0xFFFFFFFF;

// Exit code 1 is taken as success as well: the programs the tool runs use it
// for "nothing to do".
bool IsSuccessfulExit(DWORD exitCode) { return exitCode == 0 || exitCode == 1; }

// Starts the child and waits for it; the exit code read, or 0xFFFFFFFF when
// the child could not be started or the wait gave up.
DWORD StartAndWait(const Command& command, const char* workingDirectory, DWORD timeoutMs) {
  const char* commandLine = command.line.c_str();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  // CreateProcessA may write into the command line it is given.
  std::vector<char> writable(commandLine, commandLine + std::strlen(commandLine) + 1);
  PROCESS_INFORMATION child = {};
  const bool startable = command.searched || !command.application.empty();
  const BOOL started =
      startable && CreateProcessA(command.searched ? nullptr : command.application.c_str(), writable.data(), nullptr,
                                  nullptr, FALSE, 0, nullptr, workingDirectory, &startup, &child);
  const DWORD error = started ? ERROR_SUCCESS : startable ? GetLastError() : ERROR_FILE_NOT_FOUND;
  LogResult("start " + Quote(commandLine) + " in " + LoggedDirectory(workingDirectory), "CreateProcessA", error);
  if (!started) return kNoExitCode;
  CloseHandle(child.hThread);
  const UniqueHandle process(child.hProcess);

  const DWORD waited = WaitForSingleObject(process.Get(), timeoutMs);
  if (waited == WAIT_TIMEOUT || waited == WAIT_ABANDONED) {
    LogStep("stop waiting for " + Quote(commandLine) + ": wait result " + std::to_string(waited));
    return kNoExitCode;
  }
  // After a failed wait the child may still run: its code then reads as
  // STILL_ACTIVE and counts as a failure.
  DWORD exitCode = kNoExitCode;
  if (!GetExitCodeProcess(process.Get(), &exitCode)) {
    LogResult("read the exit code of " + Quote(commandLine), "GetExitCodeProcess", GetLastError());
    return kNoExitCode;
  }
  LogStep(Quote(commandLine) + " ended with exit code " + std::to_string(static_cast<int>(exitCode)));
  return exitCode;
}

}  // namespace

DWORD RunCommand(const Command& command, const char* workingDirectory, DWORD timeoutMs, const Speaker& speaker) {
  const DWORD exitCode = StartAndWait(command, workingDirectory, timeoutMs);
  if (IsSuccessfulExit(exitCode)) return 0;
  speaker.Notice(kErrorExecuting + command.line);
  return exitCode;
}
