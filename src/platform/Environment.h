#pragma once
// What the process was started with (kernel32).

#include <cstdint>

namespace platform {

class Environment {
 public:
  virtual ~Environment() = default;

  // GetEnvironmentVariableA: the length of the value without its terminator
  // when it fits, the size needed (terminator included) when it does not, and
  // 0 when the variable is not set or is empty.
  virtual std::uint32_t GetEnvironmentVariable(const char* name, char* buffer, std::uint32_t size) = 0;
  virtual const char* GetCommandLine() = 0;  // GetCommandLineA
};

}  // namespace platform
