#include "platform/win32/Win32Environment.h"

#include "platform/win32/WindowsApi.h"

namespace win32 {

std::uint32_t Win32Environment::GetEnvironmentVariable(const char* name, char* buffer, std::uint32_t size) {
  return GetEnvironmentVariableA(name, buffer, size);
}

const char* Win32Environment::GetCommandLine() { return GetCommandLineA(); }

}  // namespace win32
