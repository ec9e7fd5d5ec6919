#include "text/Paths.h"

#include <cstddef>

namespace {

// Calls visit(start, end, character) for every character of the text in order.
template <typename Visit>
void ForEachCharacter(const CodePage& codePage, const std::string& text, Visit visit) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const bool doubleByte = codePage.isLeadByte(lead) && i + 1 < text.size();
    const unsigned int character =
        doubleByte ? (static_cast<unsigned int>(lead) << 8) | static_cast<unsigned char>(text[i + 1]) : lead;
    const std::size_t next = i + (doubleByte ? 2 : 1);
    visit(i, next, character);
    i = next;
  }
}

// Where the last backslash starts; npos when there is none.
std::size_t LastBackslash(const CodePage& codePage, const std::string& path) {
  std::size_t last = std::string::npos;
  ForEachCharacter(codePage, path, [&last](std::size_t start, std::size_t, unsigned int character) {
    if (character == '\\') last = start;
  });
  return last;
}

// Keeps what stands before the last backslash; a text without one stays as it is.
void CutAtLastBackslash(const CodePage& codePage, std::string& path) {
  const std::size_t cut = LastBackslash(codePage, path);
  if (cut != std::string::npos) path.erase(cut);
}

}  // namespace

bool EndsWithBackslash(const CodePage& codePage, const std::string& path) {
  unsigned int last = 0;
  ForEachCharacter(codePage, path, [&last](std::size_t, std::size_t, unsigned int character) { last = character; });
  return last == '\\';
}

std::string TwoLevelsUp(const CodePage& codePage, std::string path) {
  if (EndsWithBackslash(codePage, path)) path.pop_back();
  CutAtLastBackslash(codePage, path);
  CutAtLastBackslash(codePage, path);
  return path;
}

std::string TrimWhiteSpace(const CodePage& codePage, const std::string& text) {
  std::size_t firstKept = std::string::npos;
  std::size_t endKept = 0;
  ForEachCharacter(codePage, text, [&](std::size_t start, std::size_t end, unsigned int character) {
    if (codePage.isSpace(character)) return;
    if (firstKept == std::string::npos) firstKept = start;
    endKept = end;
  });
  if (firstKept == std::string::npos) return std::string();
  return text.substr(firstKept, endKept - firstKept);
}

std::string AppNameFromPath(const CodePage& codePage, const std::string& path) {
  std::size_t nameStart = 0;
  std::size_t dot = std::string::npos;
  ForEachCharacter(codePage, path, [&](std::size_t start, std::size_t end, unsigned int character) {
    if (character == '\\' || character == '/' || character == ':') {
      nameStart = end;
      dot = std::string::npos;
    } else if (character == '.') {
      dot = start;
    }
  });
  return path.substr(nameStart, (dot == std::string::npos ? path.size() : dot) - nameStart);
}

std::string FolderOf(const CodePage& codePage, const std::string& path) {
  const std::size_t last = LastBackslash(codePage, path);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}
