#pragma once
// The registry calls the program makes (advapi32, ANSI), with their Windows
// meanings: every call returns the Windows error code, 0 on success.

#include <cstdint>

#include "platform/Handles.h"

namespace platform {

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA with options 0.
  [[nodiscard]] virtual long OpenKey(KeyHandle parent, const char* subKey, std::uint32_t access,
                                     KeyHandle* result) = 0;
  // RegCreateKeyExA: no class, non-volatile, no security attributes; creates
  // every missing key on the way.
  [[nodiscard]] virtual long CreateKey(KeyHandle parent, const char* subKey, std::uint32_t access,
                                       KeyHandle* result) = 0;
  // RegQueryValueExA: *size is the capacity on entry and the data length on return.
  [[nodiscard]] virtual long QueryValue(KeyHandle key, const char* name, std::uint32_t* type, void* data,
                                        std::uint32_t* size) = 0;
  // RegSetValueExA storing exactly `size` bytes, also for string types (the
  // system is never allowed to add a terminator of its own).
  [[nodiscard]] virtual long SetValue(KeyHandle key, const char* name, std::uint32_t type, const void* data,
                                      std::uint32_t size) = 0;
  // RegEnumKeyExA: *nameSize is the capacity on entry and the name length on return.
  [[nodiscard]] virtual long EnumKey(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;
  // RegDeleteKeyA: refuses a key that still has subkeys.
  [[nodiscard]] virtual long DeleteKey(KeyHandle parent, const char* subKey) = 0;
  // RegCloseKey.
  virtual long CloseKey(KeyHandle key) = 0;
};

}  // namespace platform
