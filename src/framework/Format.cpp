#include "framework/Format.h"

#include <cstdio>
#include <vector>

namespace framework {

std::string FormatText(const char* pattern, const std::string& argument) {
  const int length = std::snprintf(nullptr, 0, pattern, argument.c_str());
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), pattern, argument.c_str());
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string LoadResourceString(platform::Modules& modules, std::uint32_t id) {
  // A string-table entry holds at most 4097 bytes in the ANSI code page.
  std::vector<char> buffer(8192, '\0');
  const int length = modules.LoadString(nullptr, id, buffer.data(), static_cast<int>(buffer.size()));
  if (length <= 0) return std::string();
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace framework
