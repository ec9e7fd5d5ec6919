// timing.exe: times programs from inside Wine, for the benchmark scripts.
// Each program is started with CreateProcessA and waited for, so the start-up
// of wine itself stays out of the figures and every program pays the same.
//
//   timing.exe [--reps R] [--fill N] COMMANDLINE...
//
// Each repetition runs every command line once, in the order given, so that
// slow drifts of the machine hit all of them alike. With --fill the compiler
// list below the tool's key is first rebuilt with N compilers (untimed), and
// after each run it must be gone. One line per run: index, milliseconds,
// exit code.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kToolKey[] = "Software\\Orvik\\Compiler Integration Tool";
constexpr char kCompilersKey[] = "Software\\Orvik\\Compiler Integration Tool\\Compilers";
constexpr DWORD kPauseMs = 50;

LONG DeleteTree(HKEY parent, const char* name) {
  HKEY key;
  LONG status = RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  char child[MAX_PATH];
  for (DWORD size = sizeof child; status == ERROR_SUCCESS &&
                                  RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       size = sizeof child)
    status = DeleteTree(key, child);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? RegDeleteKeyA(parent, name) : status;
}

// A text value of exactly the text's bytes, as the tool writes it.
LONG SetText(HKEY key, const char* name, const std::string& text) {
  std::string data = text + '\xFF';
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(text.size()));
}

// N compilers as /RegCompiler leaves them, and a default among them.
bool FillCompilers(int count) {
  if (DeleteTree(HKEY_LOCAL_MACHINE, kCompilersKey) != ERROR_SUCCESS) return false;
  HKEY compilers;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCompilersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &compilers,
                      nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = SetText(compilers, "DefaultCompiler", "Orvik C++ 00001") == ERROR_SUCCESS;
  for (int i = 1; ok && i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Orvik C++ %05d", i);
    HKEY compiler;
    if (RegCreateKeyExA(compilers, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &compiler, nullptr) != ERROR_SUCCESS) {
      ok = false;
      break;
    }
    const std::string root = std::string("C:\\Program Files\\Orvik\\") + name;
    const std::pair<const char*, std::string> values[] = {
        {"Executable", root + "\\bin"}, {"Include", root + "\\include"}, {"Library", root + "\\lib"},
        {"Documentation", root + "\\doc"}, {"TargetPlatform", "WIN32"}, {"DefaultOptions", "/O2 /W3"}};
    for (const auto& [value, text] : values) ok = ok && SetText(compiler, value, text) == ERROR_SUCCESS;
    RegCloseKey(compiler);
  }
  RegCloseKey(compilers);
  return ok;
}

bool CompilersGone() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCompilersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
  RegCloseKey(key);
  return false;
}

// Milliseconds from CreateProcessA to the end of the process; negative when
// it could not be started.
// Their output goes nowhere: only ours is read.
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
  const BOOL started =
      CreateProcessA(nullptr, &writable[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(nowhere);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int Usage() {
  std::fprintf(stderr, "usage: timing.exe [--reps R] [--fill N] COMMANDLINE...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 1;
  int fill = -1;
  std::vector<std::string> commandLines;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--reps") && i + 1 < argc) {
      reps = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--fill") && i + 1 < argc) {
      fill = std::atoi(argv[++i]);
    } else {
      commandLines.emplace_back(argv[i]);
    }
  }
  if (commandLines.empty() || reps < 1) return Usage();
  // Windows always has a desktop; Wine starts one for the first program
  // that needs it and ends it a moment after the last one has gone. Held
  // here, it is not started again and again within the figures.
  GetDesktopWindow();

  for (int rep = 0; rep < reps; ++rep) {
    for (std::size_t index = 0; index < commandLines.size(); ++index) {
      if (fill >= 0 && !FillCompilers(fill)) {
        std::fprintf(stderr, "timing.exe: could not fill HKLM\\%s\n", kCompilersKey);
        return 1;
      }
      // What the last program left to clean up (its desktop connection, the
      // server's bookkeeping) is done before the next one is timed.
      Sleep(kPauseMs);
      DWORD exitCode = 0;
      const double ms = TimeRun(commandLines[index], exitCode);
      if (ms < 0) {
        std::fprintf(stderr, "timing.exe: could not start %s (error %lu)\n", commandLines[index].c_str(),
                     GetLastError());
        return 1;
      }
      std::printf("%u %.3f %lu\n", static_cast<unsigned>(index), ms, exitCode);
      std::fflush(stdout);
      if (fill >= 0 && !CompilersGone()) {
        std::fprintf(stderr, "timing.exe: %s left HKLM\\%s behind\n", commandLines[index].c_str(), kCompilersKey);
        return 1;
      }
    }
  }
  if (fill >= 0) DeleteTree(HKEY_LOCAL_MACHINE, kToolKey);
  return 0;
}
