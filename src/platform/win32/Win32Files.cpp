#include "platform/win32/Win32Files.h"

#include "platform/win32/WindowsApi.h"

namespace win32 {

bool Win32Files::CopyFile(const char* existing, const char* target, bool failIfExists) {
  return CopyFileA(existing, target, failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32Files::MoveFile(const char* existing, const char* target, std::uint32_t flags) {
  return MoveFileExA(existing, target, flags) != FALSE;
}

std::uint32_t Win32Files::LastError() { return GetLastError(); }

std::uint32_t Win32Files::GetCurrentDirectory(std::uint32_t size, char* buffer) {
  return GetCurrentDirectoryA(size, buffer);
}

bool Win32Files::SetCurrentDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }

}  // namespace win32
