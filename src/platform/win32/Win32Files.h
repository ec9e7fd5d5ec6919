#pragma once
// The file seam on kernel32's ANSI functions.

#include "platform/Files.h"

namespace win32 {

class Win32Files final : public platform::Files {
 public:
  bool CopyFile(const char* existing, const char* target, bool failIfExists) override;
  bool MoveFile(const char* existing, const char* target, std::uint32_t flags) override;
  std::uint32_t LastError() override;
  std::uint32_t GetCurrentDirectory(std::uint32_t size, char* buffer) override;
  bool SetCurrentDirectory(const char* path) override;
};

}  // namespace win32
