#pragma once
// Direct edits of HKEY_LOCAL_MACHINE that set up what the tool itself would
// never write (values of another type or length, keys below a compiler),
// and a look at the subkey names with their stored letter case.

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Stores exactly these bytes: the copy handed to RegSetValueExA has a
// non-zero byte after the data, so that no terminator is added to a text.
inline LONG SetRawValue(const std::string& key, const char* name, DWORD type, const std::string& bytes) {
  HKEY handle;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                                nullptr);
  if (status != ERROR_SUCCESS) return status;
  std::string data = bytes + '\xFF';
  status = RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(bytes.size()));
  RegCloseKey(handle);
  return status;
}

inline LONG CreateKey(const std::string& key) {
  HKEY handle;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                                nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(handle);
  return status;
}

inline LONG DeleteValue(const std::string& key, const char* name) {
  HKEY handle;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle);
  if (status != ERROR_SUCCESS) return status;
  status = RegDeleteValueA(handle, name);
  RegCloseKey(handle);
  return status;
}

// The names of the key's subkeys as stored, in enumeration order; empty when
// the key does not exist.
inline std::vector<std::string> SubkeyNames(const std::string& key) {
  std::vector<std::string> names;
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return names;
  char name[MAX_PATH];
  for (DWORD index = 0, size = sizeof name;
       RegEnumKeyExA(handle, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++index, size = sizeof name)
    names.emplace_back(name, size);
  RegCloseKey(handle);
  return names;
}

inline bool KeyExists(const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

}  // namespace bench
