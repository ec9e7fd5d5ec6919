#pragma once
// The registry seam on advapi32's ANSI functions.

#include "platform/Registry.h"

namespace win32 {

class Win32Registry final : public platform::Registry {
 public:
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
};

}  // namespace win32
