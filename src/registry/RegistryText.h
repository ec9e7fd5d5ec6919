#pragma once
// Owned registry keys and the program's rules for text values.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace regtext {

// An open key that is closed on every path. Where a failed close counts as
// a failure, the owner closes explicitly with Close() and checks its result.
class ScopedKey {
 public:
  explicit ScopedKey(platform::Registry& registry) : registry_(registry) {}
  ~ScopedKey() { Close(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  // RegOpenKeyExA of `path` below `parent` (HKEY_LOCAL_MACHINE when null).
  [[nodiscard]] long Open(const std::string& path, std::uint32_t access, platform::KeyHandle parent = nullptr);
  // RegCreateKeyExA of `path` below HKEY_LOCAL_MACHINE with full access.
  [[nodiscard]] long Create(const std::string& path);

  platform::KeyHandle Get() const { return key_; }
  bool IsOpen() const { return key_ != nullptr; }
  // Closes the key now: true when closing succeeded (or nothing was open).
  bool Close();

 private:
  platform::Registry& registry_;
  platform::KeyHandle key_ = nullptr;
};

// Reads a value of at most `capacity` bytes. The text is the data up to its
// first zero byte; data that does not fit is a failed read.
[[nodiscard]] long ReadText(platform::Registry& registry, platform::KeyHandle key, const char* name,
                            std::size_t capacity, std::string& text, std::uint32_t* type = nullptr);

// Writes a REG_SZ value holding exactly the text's bytes, with no terminator.
[[nodiscard]] long WriteText(platform::Registry& registry, platform::KeyHandle key, const char* name,
                             const std::string& text);

}  // namespace regtext
