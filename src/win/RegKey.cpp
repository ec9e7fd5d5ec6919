#include "win/RegKey.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD kKeyNameBufferSize = 260;

}  // namespace

// The handle is taken only from a call that succeeded.
LONG RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

LONG RegKey::Create(const std::string& path) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

LONG RegKey::ReadText(const char* name, DWORD capacity, std::string& text, DWORD* type) const {
  std::vector<char> buffer(capacity, '\0');
  DWORD size = capacity;
  DWORD valueType = REG_NONE;
  const LONG result =
      RegQueryValueExA(key_, name, nullptr, &valueType, reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (result != ERROR_SUCCESS) return result;
  if (size > capacity) size = capacity;
  std::size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  text.assign(buffer.data(), length);
  if (type != nullptr) *type = valueType;
  return result;
}

LONG RegKey::ReadBytes(const char* name, void* data, DWORD size) const {
  DWORD type = REG_NONE;
  return RegQueryValueExA(key_, name, nullptr, &type, static_cast<BYTE*>(data), &size);
}

// RegSetValueExA counts a terminator the caller "forgot" when the byte right
// after the data is zero, and stores one byte more than asked. A copy whose
// byte after the text is not zero keeps the stored length at exactly the
// text's.
LONG RegKey::WriteText(const char* name, const std::string& text) {
  std::vector<BYTE> copy(text.size() + 1, 0xFF);
  if (!text.empty()) std::memcpy(copy.data(), text.data(), text.size());
  return RegSetValueExA(key_, name, 0, REG_SZ, copy.data(), static_cast<DWORD>(text.size()));
}

LONG RegKey::WriteDword(const char* name, DWORD value) {
  const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                        static_cast<BYTE>(value >> 24)};
  return RegSetValueExA(key_, name, 0, REG_DWORD, data, sizeof data);
}

LONG RegKey::EnumKey(DWORD index, std::string& name) const {
  char buffer[kKeyNameBufferSize] = {};
  DWORD size = kKeyNameBufferSize;
  const LONG result = RegEnumKeyExA(key_, index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) name.assign(buffer, size < kKeyNameBufferSize ? size : kKeyNameBufferSize);
  return result;
}

LONG RegKey::DeleteKey(const std::string& subkey) const { return RegDeleteKeyA(key_, subkey.c_str()); }

LONG RegKey::Close() {
  if (key_ == nullptr) return ERROR_SUCCESS;
  HKEY key = key_;
  key_ = nullptr;
  return RegCloseKey(key);
}
