// The benchmarks' stopwatch: `bench.exe time [--reps R] [--fill N] COMMANDLINE...`
// Each program is started with CreateProcessA and waited for, so the start-up
// of wine itself stays out of the figures. Each repetition runs every command
// line once, in the order given, so that slow drifts of the machine hit all
// alike. With --fill the compiler list is first rebuilt with N compilers
// (untimed), and after each run it must be gone. One line per run: index,
// milliseconds, exit code.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Bench.h"

namespace bench {
namespace {

constexpr char kCompilersKey[] = "Software\\Orvik\\Compiler Integration Tool\\Compilers";
constexpr DWORD kPauseMs = 50;

// N compilers as /RegCompiler leaves them (texts without terminator), one the default.
bool FillCompilers(int count) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kCompilersKey);
  auto setText = [](const std::string& key, const char* name, std::string text) {
    text += '\xFF';
    return !RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.data(), static_cast<DWORD>(text.size() - 1));
  };
  bool ok = setText(kCompilersKey, "DefaultCompiler", "Orvik C++ 00001");
  for (int i = 1; ok && i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Orvik C++ %05d", i);
    const std::string key = kCompilersKey + std::string("\\") + name, root = std::string("C:\\Program Files\\Orvik\\") + name;
    const std::pair<const char*, std::string> values[] = {
        {"Executable", root + "\\bin"}, {"Include", root + "\\include"}, {"Library", root + "\\lib"},
        {"Documentation", root + "\\doc"}, {"TargetPlatform", "WIN32"}, {"DefaultOptions", "/O2 /W3"}};
    for (const auto& [value, text] : values) ok = ok && setText(key, value, text);
  }
  return ok;
}

// Milliseconds from CreateProcessA to the end of the process; negative when
// it could not be started. Its output goes nowhere: only ours is read.
double TimeRun(const std::string& commandLine, DWORD& exitCode) {
  std::string writable = commandLine;
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE nowhere = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                               OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  BOOL started = CreateProcessA(nullptr, &writable[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(nowhere);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int Time(const std::vector<std::string>& arguments) {
  int reps = 1, fill = -1;
  std::vector<std::string> commandLines;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const bool valued = (arguments[i] == "--reps" || arguments[i] == "--fill") && i + 1 < arguments.size();
    if (valued) (arguments[i] == "--reps" ? reps : fill) = std::atoi(arguments[i + 1].c_str());
    if (!valued) commandLines.push_back(arguments[i]);
    i += valued;
  }
  if (commandLines.empty() || reps < 1) throw UsageError{"time wants at least one command line"};
  // Wine starts a desktop for the first program that needs one and ends it a
  // moment after the last one has gone; held here, it is not started again
  // and again within the figures.
  GetDesktopWindow();
  for (int rep = 0; rep < reps; ++rep) {
    for (std::size_t index = 0; index < commandLines.size(); ++index) {
      if (fill >= 0 && !FillCompilers(fill)) return std::fprintf(stderr, "bench.exe: could not fill HKLM\\%s\n", kCompilersKey), 1;
      // What the last program left to clean up is done before the next one is timed.
      Sleep(kPauseMs);
      DWORD exitCode = 0;
      const double ms = TimeRun(commandLines[index], exitCode);
      if (ms < 0) return std::fprintf(stderr, "bench.exe: could not start %s\n", commandLines[index].c_str()), 1;
      std::printf("%u %.3f %lu\n", static_cast<unsigned>(index), ms, exitCode);
      std::fflush(stdout);
      HKEY left;
      if (fill >= 0 && !RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCompilersKey, 0, KEY_READ, &left))
        return std::fprintf(stderr, "bench.exe: %s left HKLM\\%s behind\n", commandLines[index].c_str(), kCompilersKey), 1;
    }
  }
  if (fill >= 0) RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Orvik\\Compiler Integration Tool");
  return 0;
}

}  // namespace bench
