#pragma once
// HKEY_LOCAL_MACHINE in memory, behaving like the registry of Windows as Wine
// shows it:
// - key and value names are compared without regard to case and keep the case
//   of their creation; subkeys enumerate sorted by their lower-cased names;
// - absent keys and values give ERROR_FILE_NOT_FOUND, the end of an
//   enumeration ERROR_NO_MORE_ITEMS, a buffer too small ERROR_MORE_DATA (with
//   the size needed for values; a name needs room for its terminator);
// - a REG_SZ holds exactly the bytes given; reading one whose data does not end
//   in a zero into a buffer with room to spare writes a zero after the data
//   but reports the stored length;
// - RegDeleteKeyA refuses a key with subkeys (ERROR_ACCESS_DENIED) and with an
//   empty name deletes the opened key itself; handles to a deleted key then
//   give ERROR_KEY_DELETED;
// - a path may hold several components; empty components (a trailing or a
//   doubled backslash) are skipped; a leading backslash is ERROR_BAD_PATHNAME;
//   a component longer than 256 characters is ERROR_INVALID_PARAMETER and a
//   path longer than 260 characters ERROR_MORE_DATA (the ANSI functions
//   convert the path in a buffer of that size);
// - a handle allows what it was opened for: reading values needs
//   KEY_QUERY_VALUE, writing KEY_SET_VALUE, enumerating KEY_ENUMERATE_SUB_KEYS;
//   opening, creating and deleting keys need no right of the handle they start
//   from; unknown handles give ERROR_INVALID_HANDLE.
// Beyond Wine, keys can be marked read-only for the account (MarkReadOnly), as
// an access control list would make them on Windows.
//
// Handles are never reused, so a stale handle is always ERROR_INVALID_HANDLE.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/memory/CodePage.h"

namespace memory {

class FaultPlan;

struct RegistryValue {
  std::uint32_t type = 0;
  std::string data;  // the stored bytes
  bool operator==(const RegistryValue& other) const { return type == other.type && data == other.data; }
};

class MemoryRegistry final : public platform::Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }
  // Name rules follow the code page; existing keys are re-sorted.
  void SetCodePage(const CodePage& codePage);

  [[nodiscard]] long OpenKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                             platform::KeyHandle* result) override;
  [[nodiscard]] long CreateKey(platform::KeyHandle parent, const char* subKey, std::uint32_t access,
                               platform::KeyHandle* result) override;
  [[nodiscard]] long QueryValue(platform::KeyHandle key, const char* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) override;
  [[nodiscard]] long SetValue(platform::KeyHandle key, const char* name, std::uint32_t type, const void* data,
                              std::uint32_t size) override;
  [[nodiscard]] long EnumKey(platform::KeyHandle key, std::uint32_t index, char* name,
                             std::uint32_t* nameSize) override;
  [[nodiscard]] long DeleteKey(platform::KeyHandle parent, const char* subKey) override;
  long CloseKey(platform::KeyHandle key) override;

  // Set-up and inspection. Paths are below HKEY_LOCAL_MACHINE; missing keys
  // on the way are created by the setters.
  void CreateKeyPath(const std::string& path);
  void SetRawValue(const std::string& keyPath, const std::string& name, std::uint32_t type, const std::string& bytes);
  void SetString(const std::string& keyPath, const std::string& name, const std::string& bytes);  // REG_SZ, no terminator added
  void SetDword(const std::string& keyPath, const std::string& name, std::uint32_t value);
  bool KeyExists(const std::string& path) const;
  std::optional<RegistryValue> GetValue(const std::string& keyPath, const std::string& name) const;
  // The subkeys in enumeration order, and the value names in name order.
  std::vector<std::string> SubkeyNames(const std::string& path) const;
  std::vector<std::string> ValueNames(const std::string& path) const;
  // Removes a key with everything below it; open handles to them see it deleted.
  void RemoveTree(const std::string& path);
  // The account may read the key and everything below it, but not write.
  void MarkReadOnly(const std::string& path);

  int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
  // The whole tree as stable text, one key or value a line, indented by depth.
  std::string Dump() const;

 private:
  struct Key;
  struct Handle {
    std::shared_ptr<Key> key;
    std::uint32_t access;
  };
  struct Path {
    long error = 0;
    std::vector<std::string> components;
  };

  std::vector<std::string> SplitPath(const std::string& path) const;
  Path ParsePath(const char* subKey) const;
  long Resolve(platform::KeyHandle handle, std::uint32_t needed, std::shared_ptr<Key>& key) const;
  std::shared_ptr<Key> Find(const std::shared_ptr<Key>& from, const std::vector<std::string>& components) const;
  std::shared_ptr<Key> FindPath(const std::string& path) const;
  std::shared_ptr<Key> MakePath(const std::string& path);
  std::shared_ptr<Key> AddSubkey(const std::shared_ptr<Key>& parent, const std::string& name);
  platform::KeyHandle NewHandle(const std::shared_ptr<Key>& key, std::uint32_t access);
  bool IsReadOnly(const Key& key) const;
  void Detach(const std::shared_ptr<Key>& key);
  void Rekey(Key& key);

  CodePage codePage_;
  FaultPlan* faults_ = nullptr;
  std::shared_ptr<Key> root_;
  std::map<std::uintptr_t, Handle> handles_;
  std::uintptr_t nextHandle_ = 0x1000;
};

}  // namespace memory
