#include "text/Format.h"

std::string FormatText(const char* pattern, const std::string& argument) {
  std::string text = pattern;
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, argument);
  return text;
}
