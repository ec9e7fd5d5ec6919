#include "platform/win32/Win32Registry.h"

#include "platform/win32/WindowsApi.h"

#include <cstring>
#include <vector>

#include "platform/win32/Win32Handles.h"

namespace win32 {

namespace {

bool IsStringType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// RegSetValueExA counts a terminator the caller "forgot" when the byte right
// after the data is zero, and stores one byte more than asked. A copy whose
// byte `size` is not zero keeps the stored length at exactly `size`.
std::vector<BYTE> WithoutTerminatorAfter(const void* data, std::uint32_t size) {
  std::vector<BYTE> copy(static_cast<std::size_t>(size) + 1, 0xFF);
  if (size != 0) std::memcpy(copy.data(), data, size);
  return copy;
}

}  // namespace

long Win32Registry::OpenKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                            platform::KeyHandle* result) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(ToSystem(parent), subKey, 0, access, &key);
  *result = FromSystem(key);
  return status;
}

long Win32Registry::CreateKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                              platform::KeyHandle* result) {
  HKEY key = nullptr;
  const LONG status =
      RegCreateKeyExA(ToSystem(parent), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
  *result = FromSystem(key);
  return status;
}

long Win32Registry::QueryValue(platform::KeyHandle key, const char* name, std::uint32_t* type, void* data,
                               std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD valueSize = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(ToSystem(key), name, nullptr, type != nullptr ? &valueType : nullptr,
                                       static_cast<BYTE*>(data), size != nullptr ? &valueSize : nullptr);
  if (type != nullptr) *type = valueType;
  if (size != nullptr) *size = valueSize;
  return status;
}

long Win32Registry::SetValue(platform::KeyHandle key, const char* name, std::uint32_t type, const void* data,
                             std::uint32_t size) {
  if (!IsStringType(type) || data == nullptr) {
    return RegSetValueExA(ToSystem(key), name, 0, type, static_cast<const BYTE*>(data), size);
  }
  const std::vector<BYTE> copy = WithoutTerminatorAfter(data, size);
  return RegSetValueExA(ToSystem(key), name, 0, type, copy.data(), size);
}

long Win32Registry::EnumKey(platform::KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) {
  DWORD size = *nameSize;
  const LONG status = RegEnumKeyExA(ToSystem(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
  *nameSize = size;
  return status;
}

long Win32Registry::DeleteKey(platform::KeyHandle parent, const char* subKey) {
  return RegDeleteKeyA(ToSystem(parent), subKey);
}

long Win32Registry::CloseKey(platform::KeyHandle key) { return RegCloseKey(ToSystem(key)); }

}  // namespace win32
