#pragma once
// Child processes of the in-memory Windows. CreateProcessA finds the program
// the way Windows does for a command line without an application name:
// - a first token in double quotes names the program; otherwise each prefix
//   of the line that ends before a blank or tab is tried, shortest first, so
//   "C:\Program Files\x.exe" runs C:\Program.exe when that exists;
// - ".exe" is appended to a name whose last part has no extension;
// - a name with a directory is taken from the current directory; a bare name
//   is searched in the program's own directory, the current directory,
//   C:\windows\system32, C:\windows\system and C:\windows.
// The program must be a file holding an image (MakeImage), else the call
// fails with ERROR_FILE_NOT_FOUND, or ERROR_BAD_EXE_FORMAT for another file; a
// current directory that is not an existing directory fails with
// ERROR_DIRECTORY.
//
// What a started program does is a function the test registers: it gets the
// command line and the child's current directory, may change the in-memory
// machine, and returns the exit code. It runs inside CreateProcess; its end is
// seen through WaitForSingleObject. A test may script the results of the next
// waits (WAIT_TIMEOUT, WAIT_ABANDONED, WAIT_FAILED); after such a wait the
// child counts as still running and its exit code reads STILL_ACTIVE.
//
// Every call of CreateProcess is recorded exactly, failed ones included.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace memory {

class FaultPlan;
class MemoryFiles;
class MemoryModules;

struct ChildRun {
  std::string program;                            // the full path of the file started
  std::string commandLine;                        // exactly as given to CreateProcess
  std::optional<std::string> requestedDirectory;  // as given; none when the child inherits
  std::string currentDirectory;                   // the child's current directory, a full path
};

using Program = std::function<std::uint32_t(const ChildRun& run)>;

struct ProcessLaunch {
  std::string commandLine;
  bool inheritHandles = false;
  std::uint32_t creationFlags = 0;
  std::optional<std::string> currentDirectory;
  std::uint32_t startupFlags = 0;
  std::uint16_t showWindow = 0;
  std::string program;  // the file started; empty when none was
  bool started = false;
  std::uint32_t error = 0;  // why it was not started
  std::uint32_t exitCode = 0;
};

class MemoryProcesses final : public platform::Processes {
 public:
  MemoryProcesses(MemoryFiles& files, MemoryModules& modules);

  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }
  // What runs when a file of this name (a bare file name) or at this full
  // path is started; a full path wins over a name.
  void RegisterProgram(const std::string& nameOrPath, Program program);
  // Writes an image at `fullPath` and registers the program there.
  void InstallProgram(const std::string& fullPath, Program program);
  // The exit code of an image started without a registered program.
  void SetDefaultExitCode(std::uint32_t exitCode) { defaultExitCode_ = exitCode; }
  // Results of the next waits, in order; once used up, waits succeed.
  void ScriptWaitResult(std::uint32_t result) { scriptedWaits_.push_back(result); }

  bool CreateProcess(const char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                     const char* currentDirectory, const platform::StartupInfo& startup,
                     platform::ProcessInformation* information) override;
  std::uint32_t WaitForSingleObject(platform::ObjectHandle handle, std::uint32_t milliseconds) override;
  bool GetExitCodeProcess(platform::ObjectHandle process, std::uint32_t* exitCode) override;
  bool CloseHandle(platform::ObjectHandle handle) override;

  const std::vector<ProcessLaunch>& Launches() const { return launches_; }
  // The command lines of the processes that were started, in order.
  std::vector<std::string> StartedCommandLines() const;
  int OpenHandleCount() const { return static_cast<int>(handles_.size()); }

 private:
  struct Child {
    std::uint32_t exitCode = 0;
    bool running = false;
  };
  struct Handle {
    std::size_t child;
    bool isThread;
  };

  std::optional<std::string> FindProgram(const std::string& commandLine, long* error) const;
  std::optional<std::string> ResolveCandidate(const std::string& name) const;
  const Program* ProgramFor(const std::string& path) const;
  platform::ObjectHandle NewHandle(std::size_t child, bool isThread);
  const Handle* Lookup(platform::ObjectHandle handle) const;

  MemoryFiles& files_;
  MemoryModules& modules_;
  FaultPlan* faults_ = nullptr;
  std::vector<std::pair<std::string, Program>> programs_;
  std::uint32_t defaultExitCode_ = 0;
  std::deque<std::uint32_t> scriptedWaits_;
  std::vector<ProcessLaunch> launches_;
  std::vector<Child> children_;
  std::map<std::uintptr_t, Handle> handles_;
  std::uintptr_t nextHandle_ = 0x2000;
  std::uint32_t nextId_ = 1000;
};

}  // namespace memory
