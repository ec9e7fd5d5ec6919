#pragma once
// File and directory calls of kernel32. Like Windows, they return success and
// leave the reason of a failure to LastError().

#include <cstdint>

namespace platform {

class Files {
 public:
  virtual ~Files() = default;

  virtual bool CopyFile(const char* existing, const char* target, bool failIfExists) = 0;  // CopyFileA
  virtual bool MoveFile(const char* existing, const char* target, std::uint32_t flags) = 0;  // MoveFileExA
  virtual std::uint32_t LastError() = 0;                                                      // GetLastError
  // GetCurrentDirectoryA: the length written, or the size needed when the buffer is too small, 0 on failure.
  virtual std::uint32_t GetCurrentDirectory(std::uint32_t size, char* buffer) = 0;
  virtual bool SetCurrentDirectory(const char* path) = 0;  // SetCurrentDirectoryA
};

}  // namespace platform
