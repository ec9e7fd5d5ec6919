#include "platform/win32/Win32Processes.h"

#include <cstring>
#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/WindowsApi.h"

namespace win32 {

bool Win32Processes::CreateProcess(const char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                                   const char* currentDirectory, const platform::StartupInfo& startup,
                                   platform::ProcessInformation* information) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> writableCommandLine(commandLine, commandLine + std::strlen(commandLine) + 1);

  STARTUPINFOA startupInfo;
  std::memset(&startupInfo, 0, sizeof startupInfo);
  startupInfo.cb = sizeof startupInfo;
  startupInfo.dwFlags = startup.flags;
  startupInfo.wShowWindow = startup.showWindow;

  PROCESS_INFORMATION created;
  std::memset(&created, 0, sizeof created);
  const BOOL ok = CreateProcessA(nullptr, writableCommandLine.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                                 creationFlags, nullptr, currentDirectory, &startupInfo, &created);
  if (information != nullptr) {
    information->process = FromSystem(created.hProcess);
    information->thread = FromSystem(created.hThread);
    information->processId = created.dwProcessId;
    information->threadId = created.dwThreadId;
  }
  return ok != FALSE;
}

std::uint32_t Win32Processes::WaitForSingleObject(platform::ObjectHandle handle, std::uint32_t milliseconds) {
  return ::WaitForSingleObject(ToSystem(handle), milliseconds);
}

bool Win32Processes::GetExitCodeProcess(platform::ObjectHandle process, std::uint32_t* exitCode) {
  DWORD code = 0;
  const BOOL ok = ::GetExitCodeProcess(ToSystem(process), &code);
  if (ok != FALSE) *exitCode = code;
  return ok != FALSE;
}

bool Win32Processes::CloseHandle(platform::ObjectHandle handle) { return ::CloseHandle(ToSystem(handle)) != FALSE; }

}  // namespace win32
