#pragma once
// Fault injection for the in-memory Windows. Every call of the seam that can
// fail on a real system is counted, in one sequence across all stand-ins, and
// the plan can make the N-th of them fail (counting from 1), either among all
// calls or only among calls of one kind. A test learns from CallCount() how
// many calls a run made, so it can walk N = 1 .. total and prove that every
// failure path is handled.
//
// How a failure shows: registry calls return the planned error code; file
// calls return false and LastError() gives the code; module, process, window
// and environment calls fail the way their Windows function does (a null
// handle, 0, false, -1 or WAIT_FAILED). A failing RegCloseKey or CloseHandle
// still releases the handle, since the caller did its part, and only reports
// the error.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace memory {

enum class Call {
  RegOpenKey,
  RegCreateKey,
  RegQueryValue,
  RegSetValue,
  RegEnumKey,
  RegDeleteKey,
  RegCloseKey,
  CopyFile,
  MoveFile,
  GetCurrentDirectory,
  SetCurrentDirectory,
  LoadModule,
  LoadString,
  FreeModule,
  VersionInfoSize,
  VersionInfo,
  VerQueryValue,
  CreateProcess,
  Wait,
  GetExitCode,
  CloseHandle,
  GetEnvironmentVariable,
  MessageBox,
  DialogBox,
};

constexpr std::size_t kCallKinds = static_cast<std::size_t>(Call::DialogBox) + 1;

const char* CallName(Call call);

class FaultPlan {
 public:
  // Makes the n-th counted call fail with `error` (n counts from 1).
  void FailNth(std::uint64_t n, long error);
  // Makes the n-th call of `kind` fail with `error`.
  void FailNthOf(Call kind, std::uint64_t n, long error);
  // Drops every planned failure; the counts go on.
  void ClearFailures();
  // Forgets the counts and the planned failures.
  void Reset();

  // Counts one call and answers whether it must fail: the planned error, or
  // nothing. Called by the stand-ins at the start of every counted call.
  std::optional<long> Enter(Call kind);

  std::uint64_t CallCount() const { return calls_.size(); }
  std::uint64_t CallCount(Call kind) const { return perKind_[static_cast<std::size_t>(kind)]; }
  // The kinds of all counted calls, in order.
  const std::vector<Call>& Calls() const { return calls_; }
  // How many planned failures have been injected so far.
  int InjectedCount() const { return injected_; }
  // The call that failed last, as "RegOpenKey #3 (call 17)", for messages.
  const std::string& LastInjected() const { return lastInjected_; }

 private:
  struct Rule {
    std::optional<Call> kind;
    std::uint64_t n;
    long error;
  };

  std::vector<Rule> rules_;
  std::vector<Call> calls_;
  std::array<std::uint64_t, kCallKinds> perKind_{};
  int injected_ = 0;
  std::string lastInjected_;
};

}  // namespace memory
