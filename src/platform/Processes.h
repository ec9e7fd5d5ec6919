#pragma once
// Child processes (kernel32).

#include <cstdint>

#include "platform/Handles.h"

namespace platform {

// The parts of STARTUPINFOA the program sets; the rest stays zero.
struct StartupInfo {
  std::uint32_t flags = 0;       // dwFlags
  std::uint16_t showWindow = 0;  // wShowWindow
};

struct ProcessInformation {
  ObjectHandle process = nullptr;
  ObjectHandle thread = nullptr;
  std::uint32_t processId = 0;
  std::uint32_t threadId = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateProcessA with no application name, no security attributes and no
  // environment of its own (the child inherits the program's).
  virtual bool CreateProcess(const char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                             const char* currentDirectory, const StartupInfo& startup,
                             ProcessInformation* information) = 0;
  virtual std::uint32_t WaitForSingleObject(ObjectHandle handle, std::uint32_t milliseconds) = 0;
  virtual bool GetExitCodeProcess(ObjectHandle process, std::uint32_t* exitCode) = 0;
  virtual bool CloseHandle(ObjectHandle handle) = 0;
};

}  // namespace platform
