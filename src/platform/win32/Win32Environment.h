#pragma once
// The environment seam on kernel32's ANSI functions.

#include "platform/Environment.h"

namespace win32 {

class Win32Environment final : public platform::Environment {
 public:
  std::uint32_t GetEnvironmentVariable(const char* name, char* buffer, std::uint32_t size) override;
  const char* GetCommandLine() override;
};

}  // namespace win32
