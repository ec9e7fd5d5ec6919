#include "platform/memory/FaultPlan.h"

namespace memory {

const char* CallName(Call call) {
  switch (call) {
    case Call::RegOpenKey: return "RegOpenKey";
    case Call::RegCreateKey: return "RegCreateKey";
    case Call::RegQueryValue: return "RegQueryValue";
    case Call::RegSetValue: return "RegSetValue";
    case Call::RegEnumKey: return "RegEnumKey";
    case Call::RegDeleteKey: return "RegDeleteKey";
    case Call::RegCloseKey: return "RegCloseKey";
    case Call::CopyFile: return "CopyFile";
    case Call::MoveFile: return "MoveFile";
    case Call::GetCurrentDirectory: return "GetCurrentDirectory";
    case Call::SetCurrentDirectory: return "SetCurrentDirectory";
    case Call::LoadModule: return "LoadModule";
    case Call::LoadString: return "LoadString";
    case Call::FreeModule: return "FreeModule";
    case Call::VersionInfoSize: return "VersionInfoSize";
    case Call::VersionInfo: return "VersionInfo";
    case Call::VerQueryValue: return "VerQueryValue";
    case Call::CreateProcess: return "CreateProcess";
    case Call::Wait: return "Wait";
    case Call::GetExitCode: return "GetExitCode";
    case Call::CloseHandle: return "CloseHandle";
    case Call::GetEnvironmentVariable: return "GetEnvironmentVariable";
    case Call::MessageBox: return "MessageBox";
    case Call::DialogBox: return "DialogBox";
  }
  return "?";
}

void FaultPlan::FailNth(std::uint64_t n, long error) { rules_.push_back({std::nullopt, n, error}); }

void FaultPlan::FailNthOf(Call kind, std::uint64_t n, long error) { rules_.push_back({kind, n, error}); }

void FaultPlan::ClearFailures() { rules_.clear(); }

void FaultPlan::Reset() {
  rules_.clear();
  calls_.clear();
  perKind_.fill(0);
  injected_ = 0;
  lastInjected_.clear();
}

std::optional<long> FaultPlan::Enter(Call kind) {
  calls_.push_back(kind);
  const std::uint64_t overall = calls_.size();
  const std::uint64_t ofKind = ++perKind_[static_cast<std::size_t>(kind)];
  for (const Rule& rule : rules_) {
    const bool matches = rule.kind.has_value() ? (*rule.kind == kind && rule.n == ofKind) : rule.n == overall;
    if (!matches) continue;
    ++injected_;
    lastInjected_ = std::string(CallName(kind)) + " #" + std::to_string(ofKind) + " (call " +
                    std::to_string(overall) + ")";
    return rule.error;
  }
  return std::nullopt;
}

}  // namespace memory
