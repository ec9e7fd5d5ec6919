#pragma once
// The process seam on kernel32.

#include "platform/Processes.h"

namespace win32 {

class Win32Processes final : public platform::Processes {
 public:
  bool CreateProcess(const char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                     const char* currentDirectory, const platform::StartupInfo& startup,
                     platform::ProcessInformation* information) override;
  std::uint32_t WaitForSingleObject(platform::ObjectHandle handle, std::uint32_t milliseconds) override;
  bool GetExitCodeProcess(platform::ObjectHandle process, std::uint32_t* exitCode) override;
  bool CloseHandle(platform::ObjectHandle handle) override;
};

}  // namespace win32
