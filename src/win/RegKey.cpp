#include "win/RegKey.h"

#include <cstring>
#include <vector>

#include "win/Log.h"

namespace {

constexpr DWORD kKeyNameBufferSize = 260;

std::string AccessName(REGSAM access) {
  if (access == KEY_READ) return "KEY_READ";
  if (access == KEY_ALL_ACCESS) return "KEY_ALL_ACCESS";
  return "access " + std::to_string(access);
}

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_SZ:
      return "REG_SZ";
    case REG_EXPAND_SZ:
      return "REG_EXPAND_SZ";
    case REG_BINARY:
      return "REG_BINARY";
    case REG_DWORD:
      return "REG_DWORD";
    case REG_MULTI_SZ:
      return "REG_MULTI_SZ";
  }
  return "type " + std::to_string(type);
}

}  // namespace

LONG RegKey::Open(const std::string& path, REGSAM access) {
  return OpenBelow(HKEY_LOCAL_MACHINE, "HKLM", path, access);
}

LONG RegKey::Open(const RegKey& parent, const std::string& name, REGSAM access) {
  return OpenBelow(parent.key_, parent.path_, name, access);
}

// The handle is taken only from a call that succeeded.
LONG RegKey::OpenBelow(HKEY parent, const std::string& parentPath, const std::string& name, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(parent, name.c_str(), 0, access, &key);
  path_ = parentPath + "\\" + name;
  if (Logging()) {
    LogResult("open key " + path_ + " with " + AccessName(access), "RegOpenKeyExA", static_cast<DWORD>(result));
  }
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

LONG RegKey::Create(const std::string& path) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  path_ = "HKLM\\" + path;
  LogResult("create key " + path_ + " with KEY_ALL_ACCESS", "RegCreateKeyExA", static_cast<DWORD>(result));
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

LONG RegKey::ReadText(const char* name, DWORD capacity, std::string& text, DWORD* type) const {
  std::vector<char> buffer(capacity, '\0');
  DWORD size = capacity;
  DWORD valueType = REG_NONE;
  const LONG result = Query(name, buffer.data(), size, valueType);
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
  return Query(name, data, size, type);
}

LONG RegKey::Query(const char* name, void* data, DWORD& size, DWORD& type) const {
  const DWORD capacity = size;
  const LONG result = RegQueryValueExA(key_, name, nullptr, &type, static_cast<BYTE*>(data), &size);
  const std::string step = "read value " + std::string(name) + " of " + path_;
  if (result == ERROR_SUCCESS) {
    LogStep(step + ": " + TypeName(type) + ", " + std::to_string(size) + " bytes");
  } else {
    LogResult(step + " into " + std::to_string(capacity) + " bytes", "RegQueryValueExA", static_cast<DWORD>(result));
  }
  return result;
}

// RegSetValueExA counts a terminator the caller "forgot" when the byte right
// after the data is zero, and stores one byte more than asked. A copy whose
// byte after the text is not zero keeps the stored length at exactly the
// text's.
LONG RegKey::WriteText(const char* name, const std::string& text) {
  std::vector<BYTE> copy(text.size() + 1, 0xFF);
  if (!text.empty()) std::memcpy(copy.data(), text.data(), text.size());
  return Write(name, REG_SZ, copy.data(), static_cast<DWORD>(text.size()));
}

LONG RegKey::WriteDword(const char* name, DWORD value) {
  const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                        static_cast<BYTE>(value >> 24)};
  return Write(name, REG_DWORD, data, sizeof data);
}

LONG RegKey::Write(const char* name, DWORD type, const BYTE* data, DWORD size) {
  const LONG result = RegSetValueExA(key_, name, 0, type, data, size);
  LogResult("write value " + std::string(name) + " of " + path_ + ": " + TypeName(type) + ", " +
                std::to_string(size) + " bytes",
            "RegSetValueExA", static_cast<DWORD>(result));
  return result;
}

LONG RegKey::EnumKey(DWORD index, std::string& name) const {
  char buffer[kKeyNameBufferSize] = {};
  DWORD size = kKeyNameBufferSize;
  const LONG result = RegEnumKeyExA(key_, index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) name.assign(buffer, size < kKeyNameBufferSize ? size : kKeyNameBufferSize);
  if (!Logging()) return result;
  const std::string step = "subkey " + std::to_string(index) + " of " + path_;
  if (result == ERROR_SUCCESS) {
    LogStep(step + ": " + Quote(name));
  } else if (result == ERROR_NO_MORE_ITEMS) {
    LogStep(step + ": none");
  } else {
    LogResult(step, "RegEnumKeyExA", static_cast<DWORD>(result));
  }
  return result;
}

LONG RegKey::DeleteKey(const std::string& subkey) const {
  const LONG result = RegDeleteKeyA(key_, subkey.c_str());
  if (Logging()) LogResult("delete key " + path_ + "\\" + subkey, "RegDeleteKeyA", static_cast<DWORD>(result));
  return result;
}

// Only a failed close is worth a line of the log.
LONG RegKey::Close() {
  if (key_ == nullptr) return ERROR_SUCCESS;
  HKEY key = key_;
  key_ = nullptr;
  const LONG result = RegCloseKey(key);
  if (result != ERROR_SUCCESS) LogResult("close key " + path_, "RegCloseKey", static_cast<DWORD>(result));
  return result;
}
