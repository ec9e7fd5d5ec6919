// Fault injection: the program's own import table is patched so that chosen
// calls of a named function fail, as a full disk, a locked file or an account
// without rights would make them fail, or succeed with another answer than
// the system gives here (a session Wine never reports). BENCH_FAULTS holds
// faults joined by ';':
//
//   FUNCTION[(TEXT)][#N[+]]=CODE       the call fails
//   FUNCTION[(TEXT)][#N[+]]=ok:VALUE   the call succeeds, answering VALUE
//
// A call matches when TEXT, letter case aside, is part of its text (kFunctions);
// #N takes the N-th matching call, #N+ every one from there on, neither every
// matching call. A failing Reg* function returns CODE; any other returns 0
// after SetLastError(CODE). An answering function stores VALUE where it
// reports its answer and returns TRUE. Other calls go through with all their
// arguments.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Probe.h"

namespace {

using Arg = UINT_PTR;

// The functions a fault may name, with the number of their arguments: on
// i686 the called function takes its arguments off the stack, so the
// stand-in must take exactly as many as the function it replaces. A call's
// text is its path-like argument `first`, and `second` after a blank (the
// access mask of a registry function, in upper-case hex); -1 for none.
// `answer` is the argument that points to where the function stores its
// answer, for the faults that make it succeed; -1 for none.
struct Function {
  const char* name;
  std::size_t arguments;
  int first, second;
  int answer = -1;
};
constexpr Function kFunctions[] = {
    {"RegOpenKeyExA", 5, 1, 3},          {"RegCreateKeyExA", 9, 1, 5},        {"RegQueryValueExA", 6, 1, -1},
    {"RegSetValueExA", 6, 1, -1},        {"RegDeleteKeyA", 2, 1, -1},         {"RegEnumKeyExA", 8, -1, -1},
    {"RegCloseKey", 1, -1, -1},          {"CopyFileA", 3, 0, 1},              {"MoveFileExA", 3, 0, 1},
    {"SetFileAttributesA", 2, 0, -1},    {"CreateProcessA", 10, 1, -1},       {"LoadLibraryExA", 3, 0, -1},
    {"LoadLibraryA", 1, 0, -1},          {"SetCurrentDirectoryA", 1, 0, -1},  {"GetCurrentDirectoryA", 2, -1, -1},
    {"ProcessIdToSessionId", 2, -1, -1, 1}};
constexpr std::size_t kFunctionCount = sizeof kFunctions / sizeof kFunctions[0];

struct Fault {
  std::string text;  // lower case
  long from = 0;     // 0: every matching call
  bool onward = false;
  bool answers = false;  // succeeds with `code` as its answer
  DWORD code = 0;
  long matched = 0;
};

// Per function of kFunctions: its faults and the import it replaced.
std::vector<Fault> faults[kFunctionCount];
Arg original[kFunctionCount];

std::string Lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

std::string CallText(const Function& function, const Arg* args) {
  auto text = [&](int i) { return i < 0 || !args[i] ? std::string() : reinterpret_cast<const char*>(args[i]); };
  if (function.second < 0) return text(function.first);
  char mask[16];
  wsprintfA(mask, "%lX", static_cast<unsigned long>(args[function.second]));
  return text(function.first) + " " + (std::string(function.name).compare(0, 3, "Reg") == 0 ? mask : text(function.second));
}

// The fault that makes this call fail, if any; every fault whose text matches counts the call.
const Fault* Failing(std::size_t index, const Arg* args) {
  const std::string text = Lower(CallText(kFunctions[index], args));
  const Fault* failing = nullptr;
  for (Fault& fault : faults[index]) {
    if (text.find(fault.text) == std::string::npos) continue;
    ++fault.matched;
    if (!failing && (!fault.from || fault.matched == fault.from || (fault.onward && fault.matched > fault.from)))
      failing = &fault;
  }
  return failing;
}

template <std::size_t>
using ArgumentSlot = Arg;

// The stand-in for kFunctions[F], of exactly its arguments.
template <std::size_t F, std::size_t... I>
Arg WINAPI Stub(ArgumentSlot<I>... arguments) {
  const Arg args[] = {arguments..., 0};
  const Fault* failing = Failing(F, args);
  if (!failing) return reinterpret_cast<Arg(WINAPI*)(ArgumentSlot<I>...)>(original[F])(arguments...);
  if constexpr (kFunctions[F].answer >= 0) {
    if (failing->answers) {
      if (DWORD* answer = reinterpret_cast<DWORD*>(args[kFunctions[F].answer])) *answer = failing->code;
      return TRUE;
    }
  }
  if (std::string(kFunctions[F].name).compare(0, 3, "Reg") == 0) return failing->code;
  SetLastError(failing->code);
  return 0;
}

template <std::size_t F, std::size_t... I>
Arg StubOf(std::index_sequence<I...>) {
  return reinterpret_cast<Arg>(&Stub<F, I...>);
}

template <std::size_t... F>
std::vector<Arg> Stubs(std::index_sequence<F...>) {
  return {StubOf<F>(std::make_index_sequence<kFunctions[F].arguments>())...};
}

// FUNCTION[(TEXT)][#N[+]]=CODE or =ok:VALUE, read left to right.
bool Parse(const std::string& written, std::string& function, Fault& fault) {
  std::size_t at = written.find_first_of("(#=");
  function = written.substr(0, at);
  if (at != std::string::npos && written[at] == '(') {
    std::size_t close = written.find(')', at);
    if (close == std::string::npos) return false;
    fault.text = Lower(written.substr(at + 1, close - at - 1));
    at = close + 1;
  }
  const char* rest = written.c_str() + std::min(at, written.size());
  char* end = const_cast<char*>(rest);
  if (*rest == '#') fault.from = std::strtol(rest + 1, &end, 10);
  fault.onward = *end == '+';
  if ((*rest == '#' && fault.from < 1) || end[fault.onward] != '=') return false;
  const char* value = end + fault.onward + 1;
  fault.answers = std::string(value).compare(0, 3, "ok:") == 0;
  if (fault.answers) value += 3;
  if (!*value) return false;
  fault.code = std::strtoul(value, &end, 0);
  return !function.empty() && !*end;
}

// The import slot of a function among the main module's import descriptors.
Arg* ImportSlot(const std::string& function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports && d->Name; ++d) {
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    for (auto* slot = reinterpret_cast<Arg*>(base + d->FirstThunk); name->u1.AddressOfData; ++name, ++slot)
      if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) &&
          function == reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name)
        return slot;
  }
  return nullptr;
}

}  // namespace

// False refuses the probe, and with it the run: a fault that cannot be
// placed (malformed, on a function not in kFunctions, or on one the program
// does not import) must not let a test pass.
bool PlaceFaults() {
  char list[4096];
  DWORD length = GetEnvironmentVariableA(bench::probe::kFaultsVariable, list, sizeof list);
  if (length >= sizeof list) return false;
  const std::string written(list, length);
  for (std::size_t start = 0, end = 0; length && end != std::string::npos; start = end + 1) {
    end = written.find(';', start);
    std::string function;
    Fault fault;
    if (!Parse(written.substr(start, end - start), function, fault)) return false;
    std::size_t i = 0;
    while (i < kFunctionCount && function != kFunctions[i].name) ++i;
    if (i == kFunctionCount || (fault.answers && kFunctions[i].answer < 0)) return false;
    faults[i].push_back(fault);
  }
  static const std::vector<Arg> stubs = Stubs(std::make_index_sequence<kFunctionCount>());
  for (std::size_t i = 0; i < kFunctionCount; ++i) {
    if (faults[i].empty()) continue;
    Arg* slot = ImportSlot(kFunctions[i].name);
    if (!slot) return false;
    DWORD old = 0;
    VirtualProtect(slot, sizeof(Arg), PAGE_READWRITE, &old);
    original[i] = *slot;
    *slot = stubs[i];
    VirtualProtect(slot, sizeof(Arg), old, &old);
  }
  return true;
}
