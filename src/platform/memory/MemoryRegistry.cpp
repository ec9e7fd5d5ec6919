#include "platform/memory/MemoryRegistry.h"

#include <cstring>
#include <sstream>

#include "platform/WinConstants.h"
#include "platform/memory/FaultPlan.h"

namespace memory {

namespace {

using NameKey = std::vector<std::uint32_t>;

constexpr std::size_t kMaxPathChars = 260;
constexpr std::size_t kMaxKeyNameChars = 256;
constexpr std::size_t kMaxValueNameChars = 16383;

// Every right that changes a key or what it holds.
constexpr std::uint32_t kWriteRights = win::kKeySetValue | win::kKeyCreateSubKey | win::kKeyCreateLink |
                                       win::kDelete | win::kWriteDac | win::kWriteOwner;

std::uint32_t MapGenericRights(std::uint32_t access) {
  if ((access & (win::kGenericAll | win::kMaximumAllowed)) != 0) access |= win::kKeyAllAccess;
  if ((access & win::kGenericRead) != 0) access |= win::kKeyRead;
  if ((access & win::kGenericWrite) != 0) access |= win::kKeyWrite;
  if ((access & win::kGenericExecute) != 0) access |= win::kKeyRead;
  return access;
}

bool IsStringType(std::uint32_t type) {
  return type == win::kRegSz || type == win::kRegExpandSz || type == win::kRegMultiSz;
}

std::uintptr_t HandleValue(platform::KeyHandle handle) { return reinterpret_cast<std::uintptr_t>(handle); }

bool IsLocalMachine(platform::KeyHandle handle) { return handle == platform::LocalMachine(); }

std::optional<long> Injected(FaultPlan* faults, Call call) {
  return faults != nullptr ? faults->Enter(call) : std::nullopt;
}

std::string TypeName(std::uint32_t type) {
  switch (type) {
    case win::kRegNone: return "REG_NONE";
    case win::kRegSz: return "REG_SZ";
    case win::kRegExpandSz: return "REG_EXPAND_SZ";
    case win::kRegBinary: return "REG_BINARY";
    case win::kRegDword: return "REG_DWORD";
    case win::kRegMultiSz: return "REG_MULTI_SZ";
    default: return "type " + std::to_string(type);
  }
}

std::string Quoted(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string text = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      text += "\\x";
      text += kHex[c >> 4];
      text += kHex[c & 0xF];
    }
  }
  return text + "\"";
}

std::string HexBytes(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (unsigned char c : bytes) {
    if (!text.empty()) text += ' ';
    text += kHex[c >> 4];
    text += kHex[c & 0xF];
  }
  return text;
}

std::string DescribeValue(const RegistryValue& value) {
  if (IsStringType(value.type)) return TypeName(value.type) + " " + Quoted(value.data);
  if (value.type == win::kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    std::memcpy(&number, value.data.data(), 4);
    return "REG_DWORD " + std::to_string(number);
  }
  return TypeName(value.type) + " [" + HexBytes(value.data) + "]";
}

}  // namespace

struct MemoryRegistry::Key {
  std::string name;
  Key* parent = nullptr;
  std::map<NameKey, std::shared_ptr<Key>> subkeys;
  std::map<NameKey, std::pair<std::string, RegistryValue>> values;
  bool readOnly = false;
  bool deleted = false;
};

MemoryRegistry::MemoryRegistry() : root_(std::make_shared<Key>()) { root_->name = "HKEY_LOCAL_MACHINE"; }

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::SetCodePage(const CodePage& codePage) {
  codePage_ = codePage;
  Rekey(*root_);
}

void MemoryRegistry::Rekey(Key& key) {
  std::map<NameKey, std::shared_ptr<Key>> subkeys;
  for (auto& entry : key.subkeys) {
    Rekey(*entry.second);
    subkeys[codePage_.NameKey(entry.second->name)] = entry.second;
  }
  key.subkeys = std::move(subkeys);
  std::map<NameKey, std::pair<std::string, RegistryValue>> values;
  for (auto& entry : key.values) values[codePage_.NameKey(entry.second.first)] = entry.second;
  key.values = std::move(values);
}

// Splits at backslashes that are characters of their own: the system splits
// the path after converting it to Unicode, so the second byte of a
// double-byte character never separates.
std::vector<std::string> MemoryRegistry::SplitPath(const std::string& path) const {
  std::vector<std::string> components;
  std::string current;
  for (const char* p = path.c_str(); *p != '\0';) {
    std::size_t length = 0;
    if (codePage_.CharAt(p, &length) == '\\') {
      if (!current.empty()) components.push_back(current);
      current.clear();
    } else {
      current.append(p, length);
    }
    p += length;
  }
  if (!current.empty()) components.push_back(current);
  return components;
}

// The checks in the order Windows makes them: the ANSI path must fit the
// conversion buffer, must not start at the root, and no name may be too long.
MemoryRegistry::Path MemoryRegistry::ParsePath(const char* subKey) const {
  Path path;
  const std::string text = subKey != nullptr ? subKey : "";
  if (codePage_.CharCount(text) > kMaxPathChars) {
    path.error = win::kErrorMoreData;
    return path;
  }
  if (!text.empty() && text[0] == '\\') {
    path.error = win::kErrorBadPathname;
    return path;
  }
  path.components = SplitPath(text);
  for (const std::string& component : path.components) {
    if (codePage_.CharCount(component) > kMaxKeyNameChars) path.error = win::kErrorInvalidParameter;
  }
  return path;
}

long MemoryRegistry::Resolve(platform::KeyHandle handle, std::uint32_t needed, std::shared_ptr<Key>& key) const {
  if (IsLocalMachine(handle)) {
    key = root_;
    return win::kErrorSuccess;
  }
  const auto found = handles_.find(HandleValue(handle));
  if (found == handles_.end()) return win::kErrorInvalidHandle;
  if ((found->second.access & needed) != needed) return win::kErrorAccessDenied;
  if (found->second.key->deleted) return win::kErrorKeyDeleted;
  key = found->second.key;
  return win::kErrorSuccess;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::Find(const std::shared_ptr<Key>& from,
                                                          const std::vector<std::string>& components) const {
  std::shared_ptr<Key> key = from;
  for (const std::string& component : components) {
    const auto found = key->subkeys.find(codePage_.NameKey(component));
    if (found == key->subkeys.end()) return nullptr;
    key = found->second;
  }
  return key;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::FindPath(const std::string& path) const {
  return Find(root_, SplitPath(path));
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::AddSubkey(const std::shared_ptr<Key>& parent,
                                                               const std::string& name) {
  auto key = std::make_shared<Key>();
  key->name = name;
  key->parent = parent.get();
  parent->subkeys[codePage_.NameKey(name)] = key;
  return key;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::MakePath(const std::string& path) {
  std::shared_ptr<Key> key = root_;
  for (const std::string& component : SplitPath(path)) {
    const auto found = key->subkeys.find(codePage_.NameKey(component));
    key = found != key->subkeys.end() ? found->second : AddSubkey(key, component);
  }
  return key;
}

platform::KeyHandle MemoryRegistry::NewHandle(const std::shared_ptr<Key>& key, std::uint32_t access) {
  const std::uintptr_t value = nextHandle_;
  nextHandle_ += 4;
  handles_[value] = Handle{key, access};
  return reinterpret_cast<platform::KeyHandle>(value);
}

bool MemoryRegistry::IsReadOnly(const Key& key) const {
  for (const Key* k = &key; k != nullptr; k = k->parent) {
    if (k->readOnly) return true;
  }
  return false;
}

void MemoryRegistry::Detach(const std::shared_ptr<Key>& key) {
  for (auto& entry : key->subkeys) Detach(entry.second);
  key->deleted = true;
  key->parent = nullptr;
  key->subkeys.clear();
}

long MemoryRegistry::OpenKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                             platform::KeyHandle* result) {
  if (result != nullptr) *result = nullptr;
  if (auto error = Injected(faults_, Call::RegOpenKey)) return *error;
  if (result == nullptr) return win::kErrorInvalidParameter;
  std::shared_ptr<Key> from;
  if (long error = Resolve(parent, 0, from)) return error;
  const Path path = ParsePath(subKey);
  if (path.error != 0) return path.error;
  // An empty path of the predefined root gives the root back itself.
  if (path.components.empty() && IsLocalMachine(parent)) {
    *result = parent;
    return win::kErrorSuccess;
  }
  std::shared_ptr<Key> key = Find(from, path.components);
  if (key == nullptr) return win::kErrorFileNotFound;
  access = MapGenericRights(access);
  if ((access & kWriteRights) != 0 && IsReadOnly(*key)) return win::kErrorAccessDenied;
  *result = NewHandle(key, access);
  return win::kErrorSuccess;
}

long MemoryRegistry::CreateKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                               platform::KeyHandle* result) {
  if (result != nullptr) *result = nullptr;
  if (auto error = Injected(faults_, Call::RegCreateKey)) return *error;
  if (result == nullptr) return win::kErrorInvalidParameter;
  std::shared_ptr<Key> key;
  if (long error = Resolve(parent, 0, key)) return error;
  const Path path = ParsePath(subKey);
  if (path.error != 0) return path.error;
  access = MapGenericRights(access);

  std::size_t existing = 0;
  while (existing < path.components.size()) {
    const auto found = key->subkeys.find(codePage_.NameKey(path.components[existing]));
    if (found == key->subkeys.end()) break;
    key = found->second;
    ++existing;
  }
  const bool creates = existing < path.components.size();
  // A new key needs the right to create subkeys of its parent; an existing one
  // the rights asked for.
  if (IsReadOnly(*key) && (creates || (access & kWriteRights) != 0)) return win::kErrorAccessDenied;
  for (std::size_t i = existing; i < path.components.size(); ++i) key = AddSubkey(key, path.components[i]);
  *result = NewHandle(key, access);
  return win::kErrorSuccess;
}

long MemoryRegistry::QueryValue(platform::KeyHandle handle, const char* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) {
  if (auto error = Injected(faults_, Call::RegQueryValue)) return *error;
  std::shared_ptr<Key> key;
  if (long error = Resolve(handle, win::kKeyQueryValue, key)) return error;
  if (data != nullptr && size == nullptr) return win::kErrorInvalidParameter;
  const std::string valueName = name != nullptr ? name : "";
  if (codePage_.CharCount(valueName) > kMaxValueNameChars) return win::kErrorFileNotFound;
  const auto found = key->values.find(codePage_.NameKey(valueName));
  if (found == key->values.end()) return win::kErrorFileNotFound;

  const RegistryValue& value = found->second.second;
  const auto length = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    if (size != nullptr) *size = length;
    return win::kErrorSuccess;
  }
  const std::uint32_t capacity = *size;
  *size = length;
  if (length > capacity) return win::kErrorMoreData;
  auto* bytes = static_cast<char*>(data);
  if (length != 0) std::memcpy(bytes, value.data.data(), length);
  // Text that does not end in a zero gets one where the buffer has room; the
  // length reported stays the stored one.
  if (IsStringType(value.type) && length != 0 && length < capacity && bytes[length - 1] != '\0') {
    bytes[length] = '\0';
  }
  return win::kErrorSuccess;
}

long MemoryRegistry::SetValue(platform::KeyHandle handle, const char* name, std::uint32_t type, const void* data,
                              std::uint32_t size) {
  if (auto error = Injected(faults_, Call::RegSetValue)) return *error;
  std::shared_ptr<Key> key;
  if (long error = Resolve(handle, win::kKeySetValue, key)) return error;
  const std::string valueName = name != nullptr ? name : "";
  if (codePage_.CharCount(valueName) > kMaxValueNameChars) return win::kErrorInvalidParameter;
  if (data == nullptr && size != 0) return win::kErrorNoAccess;
  RegistryValue value;
  value.type = type;
  if (size != 0) value.data.assign(static_cast<const char*>(data), size);
  key->values[codePage_.NameKey(valueName)] = {valueName, value};
  return win::kErrorSuccess;
}

long MemoryRegistry::EnumKey(platform::KeyHandle handle, std::uint32_t index, char* name, std::uint32_t* nameSize) {
  if (auto error = Injected(faults_, Call::RegEnumKey)) return *error;
  std::shared_ptr<Key> key;
  if (long error = Resolve(handle, win::kKeyEnumerateSubKeys, key)) return error;
  if (name == nullptr || nameSize == nullptr) return win::kErrorInvalidParameter;
  if (index >= key->subkeys.size()) return win::kErrorNoMoreItems;
  auto entry = key->subkeys.begin();
  std::advance(entry, index);
  const std::string& subkeyName = entry->second->name;
  if (subkeyName.size() + 1 > *nameSize) return win::kErrorMoreData;
  std::memcpy(name, subkeyName.c_str(), subkeyName.size() + 1);
  *nameSize = static_cast<std::uint32_t>(subkeyName.size());
  return win::kErrorSuccess;
}

long MemoryRegistry::DeleteKey(platform::KeyHandle parent, const char* subKey) {
  if (auto error = Injected(faults_, Call::RegDeleteKey)) return *error;
  if (subKey == nullptr) return win::kErrorInvalidParameter;
  std::shared_ptr<Key> key;
  if (*subKey == '\0') {
    // The opened key itself. The system opens it anew for deletion, so the
    // rights of the handle do not matter.
    if (long error = Resolve(parent, 0, key)) return error;
  } else {
    std::shared_ptr<Key> from;
    if (long error = Resolve(parent, 0, from)) return error;
    const Path path = ParsePath(subKey);
    if (path.error != 0) return path.error;
    key = Find(from, path.components);
    if (key == nullptr) return win::kErrorFileNotFound;
  }
  if (key == root_ || IsReadOnly(*key) || !key->subkeys.empty()) return win::kErrorAccessDenied;
  key->parent->subkeys.erase(codePage_.NameKey(key->name));
  Detach(key);
  return win::kErrorSuccess;
}

long MemoryRegistry::CloseKey(platform::KeyHandle handle) {
  const std::optional<long> injected = Injected(faults_, Call::RegCloseKey);
  long result = win::kErrorSuccess;
  if (!IsLocalMachine(handle) && handles_.erase(HandleValue(handle)) == 0) result = win::kErrorInvalidHandle;
  return injected ? *injected : result;
}

void MemoryRegistry::CreateKeyPath(const std::string& path) { MakePath(path); }

void MemoryRegistry::SetRawValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                                 const std::string& bytes) {
  MakePath(keyPath)->values[codePage_.NameKey(name)] = {name, RegistryValue{type, bytes}};
}

void MemoryRegistry::SetString(const std::string& keyPath, const std::string& name, const std::string& bytes) {
  SetRawValue(keyPath, name, win::kRegSz, bytes);
}

void MemoryRegistry::SetDword(const std::string& keyPath, const std::string& name, std::uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(&bytes[0], &value, 4);
  SetRawValue(keyPath, name, win::kRegDword, bytes);
}

bool MemoryRegistry::KeyExists(const std::string& path) const { return FindPath(path) != nullptr; }

std::optional<RegistryValue> MemoryRegistry::GetValue(const std::string& keyPath, const std::string& name) const {
  const std::shared_ptr<Key> key = FindPath(keyPath);
  if (key == nullptr) return std::nullopt;
  const auto found = key->values.find(codePage_.NameKey(name));
  if (found == key->values.end()) return std::nullopt;
  return found->second.second;
}

std::vector<std::string> MemoryRegistry::SubkeyNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const std::shared_ptr<Key> key = FindPath(path)) {
    for (const auto& entry : key->subkeys) names.push_back(entry.second->name);
  }
  return names;
}

std::vector<std::string> MemoryRegistry::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const std::shared_ptr<Key> key = FindPath(path)) {
    for (const auto& entry : key->values) names.push_back(entry.second.first);
  }
  return names;
}

void MemoryRegistry::RemoveTree(const std::string& path) {
  const std::shared_ptr<Key> key = FindPath(path);
  if (key == nullptr || key == root_) return;
  key->parent->subkeys.erase(codePage_.NameKey(key->name));
  Detach(key);
}

void MemoryRegistry::MarkReadOnly(const std::string& path) { MakePath(path)->readOnly = true; }

std::string MemoryRegistry::Dump() const {
  std::ostringstream out;
  struct Walker {
    std::ostringstream& out;
    void Walk(const Key& key, int depth) {
      const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
      for (const auto& value : key.values) {
        const std::string& name = value.second.first;
        out << indent << (name.empty() ? "(default)" : Quoted(name)) << " = " << DescribeValue(value.second.second)
            << '\n';
      }
      for (const auto& entry : key.subkeys) {
        out << indent << entry.second->name << (entry.second->readOnly ? " [read-only]" : "") << '\n';
        Walk(*entry.second, depth + 1);
      }
    }
  };
  Walker{out}.Walk(*root_, 0);
  return out.str();
}

}  // namespace memory
