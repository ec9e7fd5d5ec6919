// Fault injection: the program's own import table is patched so that chosen
// calls of a named function fail, as a full disk, a locked file or an account
// without rights would make them fail. BENCH_FAULTS holds faults joined by ';':
//
//   FUNCTION[(TEXT)][#N[+]]=CODE
//
// A call matches when TEXT, letter case aside, is part of its text (kTexts);
// #N fails the N-th matching call, #N+ every one from there on, neither every
// matching call. A failing Reg* function returns CODE; any other returns 0
// after SetLastError(CODE). Other calls go through with all their arguments.
// x86_64 only: there every argument takes one pointer-sized slot, so one stub
// of twelve such parameters forwards any of these functions.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Probe.h"

namespace {

using Arg = UINT_PTR;
using Forward = Arg(WINAPI*)(Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg, Arg);

// A call's text: a path-like argument, and a second one after a blank (the
// access mask of a registry function, in upper-case hex).
struct TextArgs {
  const char* function;
  int first, second;
};
constexpr TextArgs kTexts[] = {
    {"RegOpenKeyExA", 1, 3},               {"RegCreateKeyExA", 1, 5},                {"RegQueryValueExA", 1, -1},
    {"RegSetValueExA", 1, -1},             {"RegDeleteKeyA", 1, -1},                 {"CopyFileA", 0, 1},
    {"MoveFileExA", 0, 1},                 {"CreateProcessA", 1, -1},                {"LoadLibraryExA", 0, -1},
    {"LoadLibraryA", 0, -1},               {"SetCurrentDirectoryA", 0, -1},          {"GetFileVersionInfoSizeA", 0, -1},
    {"GetFileVersionInfoA", 0, -1}};

struct Fault {
  std::string text;  // lower case
  long from = 0;     // 0: every matching call
  bool onward = false;
  DWORD code = 0;
  long matched = 0;
};

struct Patched {
  std::string function;
  Arg* slot;
  std::vector<Fault> faults;
  Forward original = nullptr;
};

constexpr std::size_t kMaxFunctions = 16;
std::vector<Patched> patched;

std::string Lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

std::string CallText(const std::string& function, const Arg* args) {
  auto text = [&](int i) { return i < 0 || !args[i] ? std::string() : reinterpret_cast<const char*>(args[i]); };
  for (const TextArgs& t : kTexts) {
    if (function != t.function) continue;
    if (t.second < 0) return text(t.first);
    char mask[16];
    wsprintfA(mask, "%lX", static_cast<unsigned long>(args[t.second]));
    return text(t.first) + " " + (function.compare(0, 3, "Reg") == 0 ? std::string(mask) : text(t.second));
  }
  return {};
}

Arg Dispatch(std::size_t index, const Arg* a) {
  Patched& p = patched[index];
  const std::string text = Lower(CallText(p.function, a));
  const Fault* failing = nullptr;
  for (Fault& fault : p.faults) {
    if (text.find(fault.text) == std::string::npos) continue;
    ++fault.matched;
    if (!failing && (!fault.from || fault.matched == fault.from || (fault.onward && fault.matched > fault.from)))
      failing = &fault;
  }
  if (!failing) return p.original(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11]);
  if (p.function.compare(0, 3, "Reg") == 0) return failing->code;
  SetLastError(failing->code);
  return 0;
}

template <std::size_t N>
Arg WINAPI Stub(Arg a0, Arg a1, Arg a2, Arg a3, Arg a4, Arg a5, Arg a6, Arg a7, Arg a8, Arg a9, Arg a10, Arg a11) {
  const Arg args[] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11};
  return Dispatch(N, args);
}

template <std::size_t... N>
std::vector<Forward> Stubs(std::index_sequence<N...>) {
  return {&Stub<N>...};
}

// FUNCTION[(TEXT)][#N[+]]=CODE, read left to right.
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
  if ((*rest == '#' && fault.from < 1) || end[fault.onward] != '=' || !end[fault.onward + 1]) return false;
  fault.code = std::strtoul(end + fault.onward + 1, &end, 0);
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
// placed must not let a test pass.
bool PlaceFaults() {
  char list[4096];
  DWORD length = GetEnvironmentVariableA(bench::probe::kFaultsVariable, list, sizeof list);
  if (length >= sizeof list || (length && sizeof(Arg) != 8)) return false;
  const std::string faults(list, length);
  for (std::size_t start = 0, end = 0; length && end != std::string::npos; start = end + 1) {
    end = faults.find(';', start);
    std::string function;
    Fault fault;
    if (!Parse(faults.substr(start, end - start), function, fault)) return false;
    std::size_t i = 0;
    while (i < patched.size() && patched[i].function != function) ++i;
    if (i == patched.size()) patched.push_back({function, ImportSlot(function), {}});
    if (!patched[i].slot || patched.size() > kMaxFunctions) return false;
    patched[i].faults.push_back(fault);
  }
  static const std::vector<Forward> stubs = Stubs(std::make_index_sequence<kMaxFunctions>());
  for (std::size_t i = 0; i < patched.size(); ++i) {
    DWORD old = 0;
    VirtualProtect(patched[i].slot, sizeof(Arg), PAGE_READWRITE, &old);
    patched[i].original = reinterpret_cast<Forward>(*patched[i].slot);
    *patched[i].slot = reinterpret_cast<Arg>(stubs[i]);
    VirtualProtect(patched[i].slot, sizeof(Arg), old, &old);
  }
  return true;
}
