#include "platform/memory/MemoryEnvironment.h"

#include <cstring>

#include "platform/memory/FaultPlan.h"

namespace memory {

std::string MemoryEnvironment::Folded(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
  }
  return folded;
}

void MemoryEnvironment::SetVariable(const std::string& name, const std::string& value) {
  variables_[Folded(name)] = value;
}

void MemoryEnvironment::RemoveVariable(const std::string& name) { variables_.erase(Folded(name)); }

std::uint32_t MemoryEnvironment::GetEnvironmentVariable(const char* name, char* buffer, std::uint32_t size) {
  if (faults_ != nullptr && faults_->Enter(Call::GetEnvironmentVariable)) return 0;
  if (name == nullptr) return 0;
  const auto found = variables_.find(Folded(name));
  if (found == variables_.end() || found->second.empty()) return 0;
  const auto length = static_cast<std::uint32_t>(found->second.size());
  if (buffer == nullptr || size < length + 1) return length + 1;
  std::memcpy(buffer, found->second.c_str(), length + 1);
  return length;
}

}  // namespace memory
