#pragma once
// What the testbed's programs and DLLs share: the run log every one of them
// appends to, the registry writes of a self-registering COM server, and the
// switches that make them fail.

#include <windows.h>

#include <string>

// The image this code is linked into, as the linker names it.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace testbed {

// The DLL or program this code is linked into.
inline HMODULE ThisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

inline std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, sizeof path);
  return path;
}

// The value of an environment variable; empty when it is not set.
inline std::string Variable(const char* name) {
  char value[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? value : "";
}

// One line per run, appended to the file TESTBED_LOG names (nothing when it
// is unset): <module path> TAB <current directory> TAB <command line, or the
// DLL entry called>. The first two fields never hold a tab, so a reader
// splits at the first two and keeps the rest, tabs and blanks included. The
// line goes in one write on a handle opened for appending, so that lines of
// programs that run one inside another never interleave.
inline void AppendRunLog(HMODULE module, const std::string& what) {
  const std::string log = Variable("TESTBED_LOG");
  if (log.empty()) return;
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);
  const std::string line = ModulePath(module) + '\t' + directory + '\t' + what + "\r\n";
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

// A REG_SZ value stored with its terminating zero, as regedit and every
// installer write it. A null name is the key's default value.
inline LONG WriteText(const std::string& key, const char* name, const std::string& text) {
  HKEY handle;
  LONG status =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
  return status;
}

// Removes the key only when it holds neither values nor subkeys: what other
// programs keep there outlives our unregistration.
inline void DeleteKeyIfEmpty(const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, values = 0;
  LONG status = RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                 nullptr, nullptr, nullptr);
  RegCloseKey(handle);
  if (status == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

// HKLM\Software\Classes\CLSID\{clsid}\InprocServer32 naming the DLL: all of
// a class registration that the tool and the bench look at.
inline LONG RegisterInprocServer(const std::string& clsid, const std::string& dll) {
  return WriteText("Software\\Classes\\CLSID\\" + clsid + "\\InprocServer32", nullptr, dll);
}

inline void UnregisterInprocServer(const std::string& clsid) {
  const std::string key = "Software\\Classes\\CLSID\\" + clsid;
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (key + "\\InprocServer32").c_str());
  DeleteKeyIfEmpty(key);
}

// What a package DLL's entry point does first: logs the call, then says
// whether its failure switch TESTBED_<NAME>_FAIL refuses it: "1" refuses
// both entry points, "register" or "unregister" the one named.
inline bool EntryRefused(const char* entry, const char* failVariable) {
  AppendRunLog(ThisModule(), entry);
  const std::string value = Variable(failVariable);
  const bool registering = lstrcmpA(entry, "DllRegisterServer") == 0;
  return value == "1" || lstrcmpiA(value.c_str(), registering ? "register" : "unregister") == 0;
}

}  // namespace testbed
