#include "framework/MultibyteText.h"

#include <cstddef>

namespace mbtext {

namespace {

// Calls visit(start, end, ch) for every character of the value in order.
template <typename Visit>
void ForEachCharacter(platform::Text& text, const std::string& value, Visit visit) {
  std::size_t i = 0;
  while (i < value.size()) {
    const unsigned char lead = static_cast<unsigned char>(value[i]);
    const bool doubleByte = text.IsLeadByte(lead) && i + 1 < value.size();
    const unsigned int ch = doubleByte ? (static_cast<unsigned int>(lead) << 8) |
                                             static_cast<unsigned char>(value[i + 1])
                                       : lead;
    const std::size_t next = i + (doubleByte ? 2 : 1);
    visit(i, next, ch);
    i = next;
  }
}

}  // namespace

bool EndsWithBackslash(platform::Text& text, const std::string& value) {
  unsigned int last = 0;
  ForEachCharacter(text, value, [&last](std::size_t, std::size_t, unsigned int ch) { last = ch; });
  return last == '\\';
}

void CutAtLastBackslash(platform::Text& text, std::string& value) {
  const char* start = value.c_str();
  const char* backslash = text.FindLast(start, '\\');
  if (backslash != nullptr) value.erase(static_cast<std::size_t>(backslash - start));
}

std::string TrimWhiteSpace(platform::Text& text, const std::string& value) {
  std::size_t firstKept = std::string::npos;
  std::size_t endKept = 0;
  ForEachCharacter(text, value, [&](std::size_t start, std::size_t end, unsigned int ch) {
    if (text.IsSpace(ch)) return;
    if (firstKept == std::string::npos) firstKept = start;
    endKept = end;
  });
  if (firstKept == std::string::npos) return std::string();
  return value.substr(firstKept, endKept - firstKept);
}

}  // namespace mbtext
