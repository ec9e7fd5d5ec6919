#pragma once
// The environment block and the command line of the program in memory.
// Variable names compare without regard to ASCII case, as on Windows.

#include <map>
#include <string>

#include "platform/Environment.h"

namespace memory {

class FaultPlan;

class MemoryEnvironment final : public platform::Environment {
 public:
  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }
  void SetVariable(const std::string& name, const std::string& value);
  void RemoveVariable(const std::string& name);
  void SetCommandLine(const std::string& commandLine) { commandLine_ = commandLine; }

  std::uint32_t GetEnvironmentVariable(const char* name, char* buffer, std::uint32_t size) override;
  const char* GetCommandLine() override { return commandLine_.c_str(); }

 private:
  static std::string Folded(const std::string& name);

  FaultPlan* faults_ = nullptr;
  std::map<std::string, std::string> variables_;
  std::string commandLine_ = "\"C:\\Program Files\\Orvik\\RegOrvikPkg.exe\"";
};

}  // namespace memory
