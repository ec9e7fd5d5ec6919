#include "win/SystemFiles.h"

#include <vector>

#include "win/Log.h"

void TrustOnlySystemDlls() {
  // Looked up, not imported: Windows XP lacks it, as do Vista and 7 without
  // their update KB2533623.
  const auto setDefault =
      FindFunction<BOOL(WINAPI*)(DWORD)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryA("");
}

std::string SystemDirectory() {
  char directory[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    LogResult("read the system folder", "GetSystemDirectoryA", length == 0 ? GetLastError() : ERROR_BUFFER_OVERFLOW);
    return std::string();
  }
  return std::string(directory, length) + "\\";
}

HMODULE LoadSystemLibrary(const char* name) {
  const std::string directory = SystemDirectory();
  if (directory.empty()) return nullptr;
  const std::string path = directory + name;
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) LogResult("load " + path, "LoadLibraryA", GetLastError());
  return library;
}

std::string ProgramPath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A full buffer means the name was cut: try again with more room.
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}
