#pragma once
// What the two package DLLs share: the registry writes of a self-registering
// COM server, the path of the DLL itself, and the switch that makes an entry
// point fail.

#include <windows.h>

namespace testbed {

// The path of this DLL and its directory with a trailing backslash.
struct ModuleLocation {
  char path[MAX_PATH] = "";
  char directory[MAX_PATH] = "";
};

inline bool LocateModule(HMODULE module, ModuleLocation& location) {
  DWORD length = GetModuleFileNameA(module, location.path, sizeof location.path);
  if (length == 0 || length >= sizeof location.path) return false;
  lstrcpyA(location.directory, location.path);
  char* lastSeparator = nullptr;
  for (char* c = location.directory; *c; ++c)
    if (*c == '\\' || *c == '/') lastSeparator = c;
  if (!lastSeparator) return false;
  lastSeparator[1] = '\0';
  return true;
}

// A REG_SZ value stored with its terminating zero, as regedit and every
// installer write it. A null name is the key's default value.
inline LONG WriteText(const char* keyPath, const char* name, const char* text) {
  HKEY key;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
  RegCloseKey(key);
  return status;
}

inline void DeleteValue(const char* keyPath, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name);
  RegCloseKey(key);
}

// Removes the key only when it holds neither values nor subkeys: what other
// programs keep there outlives our unregistration.
inline void DeleteKeyIfEmpty(const char* keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 0;
  DWORD values = 0;
  LONG status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                                 nullptr, nullptr);
  RegCloseKey(key);
  if (status == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath);
}

inline void JoinPath(char* out, const char* first, const char* second) {
  lstrcpyA(out, first);
  lstrcatA(out, second);
}

// HKLM\Software\Classes\CLSID\{clsid} with its InprocServer32 naming the DLL.
inline LONG RegisterInprocServer(const char* clsid, const char* description, const char* dllPath) {
  char classKey[MAX_PATH];
  JoinPath(classKey, "Software\\Classes\\CLSID\\", clsid);
  char serverKey[MAX_PATH];
  JoinPath(serverKey, classKey, "\\InprocServer32");
  LONG status = WriteText(classKey, nullptr, description);
  if (status == ERROR_SUCCESS) status = WriteText(serverKey, nullptr, dllPath);
  if (status == ERROR_SUCCESS) status = WriteText(serverKey, "ThreadingModel", "Apartment");
  return status;
}

inline void UnregisterInprocServer(const char* clsid) {
  char classKey[MAX_PATH];
  JoinPath(classKey, "Software\\Classes\\CLSID\\", clsid);
  char serverKey[MAX_PATH];
  JoinPath(serverKey, classKey, "\\InprocServer32");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, serverKey);
  DeleteValue(classKey, nullptr);
  DeleteKeyIfEmpty(classKey);
}

// TESTBED_<NAME>_FAIL: "1" makes both entry points fail, "register" or
// "unregister" only the one named.
inline bool FailureRequested(const char* variable, bool registering) {
  char value[32];
  DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
  if (length == 0 || length >= sizeof value) return false;
  if (lstrcmpA(value, "1") == 0) return true;
  return lstrcmpiA(value, registering ? "register" : "unregister") == 0;
}

}  // namespace testbed
