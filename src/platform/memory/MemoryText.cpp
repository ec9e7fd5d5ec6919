#include "platform/memory/MemoryText.h"

#include <cstring>

namespace memory {

int MemoryText::CompareFolded(const char* a, const char* b, bool fold) const {
  while (true) {
    if (*a == '\0') return *b == '\0' ? 0 : -1;
    if (*b == '\0') return 1;
    std::size_t lengthA = 0;
    std::size_t lengthB = 0;
    unsigned int charA = codePage_.CharAt(a, &lengthA);
    unsigned int charB = codePage_.CharAt(b, &lengthB);
    if (fold) {
      charA = codePage_.CrtLower(charA);
      charB = codePage_.CrtLower(charB);
    }
    if (charA != charB) return charA < charB ? -1 : 1;
    a += lengthA;
    b += lengthB;
  }
}

int MemoryText::CompareNoCase(const char* a, const char* b) { return CompareFolded(a, b, true); }

int MemoryText::Compare(const char* a, const char* b) { return CompareFolded(a, b, false); }

const char* MemoryText::Find(const char* text, const char* fragment) {
  const std::size_t fragmentLength = std::strlen(fragment);
  for (const char* p = text;;) {
    if (std::strncmp(p, fragment, fragmentLength) == 0) return p;
    if (*p == '\0') return nullptr;
    std::size_t length = 0;
    codePage_.CharAt(p, &length);
    p += length;
  }
}

const char* MemoryText::FindLast(const char* text, unsigned int ch) {
  const char* last = nullptr;
  for (const char* p = text;; ) {
    std::size_t length = 0;
    const unsigned int current = codePage_.CharAt(p, &length);
    if (current == ch) last = p;
    if (current == 0) return last;
    p += length;
  }
}

bool MemoryText::IsSpace(unsigned int ch) {
  if ((ch >= 0x09 && ch <= 0x0D) || ch == 0x20) return true;
  return codePage_.IsDoubleByte() ? ch == 0x8140 : ch == 0xA0;
}

}  // namespace memory
