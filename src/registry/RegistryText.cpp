#include "registry/RegistryText.h"

#include <vector>

#include "platform/WinConstants.h"

namespace regtext {

long ScopedKey::Open(const std::string& path, std::uint32_t access, platform::KeyHandle parent) {
  Close();
  platform::KeyHandle key = nullptr;
  const long result =
      registry_.OpenKey(parent != nullptr ? parent : platform::LocalMachine(), path.c_str(), access, &key);
  if (result == win::kErrorSuccess) key_ = key;
  return result;
}

long ScopedKey::Create(const std::string& path) {
  Close();
  platform::KeyHandle key = nullptr;
  const long result = registry_.CreateKey(platform::LocalMachine(), path.c_str(), win::kKeyAllAccess, &key);
  if (result == win::kErrorSuccess) key_ = key;
  return result;
}

bool ScopedKey::Close() {
  if (key_ == nullptr) return true;
  platform::KeyHandle key = key_;
  key_ = nullptr;
  return registry_.CloseKey(key) == win::kErrorSuccess;
}

long ReadText(platform::Registry& registry, platform::KeyHandle key, const char* name, std::size_t capacity,
              std::string& text, std::uint32_t* type) {
  std::vector<char> buffer(capacity, '\0');
  std::uint32_t size = static_cast<std::uint32_t>(capacity);
  std::uint32_t valueType = win::kRegNone;
  const long result = registry.QueryValue(key, name, &valueType, buffer.data(), &size);
  if (result != win::kErrorSuccess) return result;
  if (size > capacity) size = static_cast<std::uint32_t>(capacity);
  std::size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  text.assign(buffer.data(), length);
  if (type != nullptr) *type = valueType;
  return result;
}

long WriteText(platform::Registry& registry, platform::KeyHandle key, const char* name, const std::string& text) {
  return registry.SetValue(key, name, win::kRegSz, text.data(), static_cast<std::uint32_t>(text.size()));
}

}  // namespace regtext
