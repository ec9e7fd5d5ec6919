#pragma once
// Every testbed program reports each run as one line appended to the file that
// TESTBED_LOG names (nothing is written when it is unset):
//
//   <module path> TAB <current directory> TAB <command line, or the DLL entry called>
//
// The first two fields never hold a tab, so a reader splits at the first two
// tabs and keeps the rest of the line, tabs and trailing blanks included.

#include <windows.h>

namespace testbed {

inline void AppendRunLog(HMODULE module, const char* what) {
  char logPath[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("TESTBED_LOG", logPath, sizeof logPath);
  if (length == 0 || length >= sizeof logPath) return;

  char modulePath[MAX_PATH] = "";
  GetModuleFileNameA(module, modulePath, sizeof modulePath);
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);

  // One WriteFile of the whole line on a handle opened for appending, so that
  // lines of programs that run one inside another never interleave.
  HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const char* fields[] = {modulePath, "\t", directory, "\t", what, "\r\n"};
  size_t size = 0;
  for (const char* field : fields) size += lstrlenA(field);
  char* line = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
  if (line) {
    char* end = line;
    for (const char* field : fields)
      for (const char* c = field; *c; ++c) *end++ = *c;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    HeapFree(GetProcessHeap(), 0, line);
  }
  CloseHandle(file);
}

// The value of a control variable such as TESTBED_DEVENV_EXIT; empty when unset.
inline bool ReadControl(const char* name, char* value, DWORD size) {
  DWORD length = GetEnvironmentVariableA(name, value, size);
  if (length == 0 || length >= size) {
    value[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace testbed
