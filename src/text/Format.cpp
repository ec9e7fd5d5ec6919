#include "text/Format.h"

#include <cstdio>
#include <vector>

std::string FormatText(const char* pattern, const std::string& argument) {
  const int length = std::snprintf(nullptr, 0, pattern, argument.c_str());
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), pattern, argument.c_str());
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}
