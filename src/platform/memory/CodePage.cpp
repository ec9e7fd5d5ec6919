#include "platform/memory/CodePage.h"

#include <stdexcept>

namespace memory {

namespace {

// Unicode of the bytes 0x80-0x9F in code page 1252; the rest of the code page
// is Latin-1, which Unicode shares.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::uint32_t Cp1252ToUnicode(unsigned int byte) {
  if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

// Lower case of the Unicode characters code page 1252 can hold.
std::uint32_t LowerLatin(std::uint32_t ch) {
  if (ch >= 'A' && ch <= 'Z') return ch + 0x20;
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;
  switch (ch) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return ch;
  }
}

// Capitals of code page 932 that have a lower-case partner there: full-width
// Latin, Greek and Cyrillic (whose small letters skip the trail byte 0x7F).
unsigned int LowerCp932DoubleByte(unsigned int ch) {
  if (ch >= 0x8260 && ch <= 0x8279) return ch + 0x21;
  if (ch >= 0x839F && ch <= 0x83B6) return ch + 0x20;
  if (ch >= 0x8440 && ch <= 0x8460) {
    const unsigned int index = ch - 0x8440;
    return index < 15 ? 0x8470 + index : 0x8471 + index;
  }
  return ch;
}

}  // namespace

CodePage::CodePage(unsigned int id) : id_(id) {
  if (id != 1252 && id != 932) throw std::invalid_argument("only code pages 1252 and 932 are modelled");
}

bool CodePage::IsLeadByte(unsigned char byte) const {
  return IsDoubleByte() && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

unsigned int CodePage::CharAt(const char* text, std::size_t* length) const {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead != 0 && IsLeadByte(lead) && text[1] != '\0') {
    *length = 2;
    return (static_cast<unsigned int>(lead) << 8) | static_cast<unsigned char>(text[1]);
  }
  *length = 1;
  return lead;
}

unsigned int CodePage::CrtLower(unsigned int ch) const {
  if (ch >= 'A' && ch <= 'Z') return ch + 0x20;
  if (ch > 0xFF && IsDoubleByte()) return LowerCp932DoubleByte(ch);
  return ch;
}

std::uint32_t CodePage::NameOrder(unsigned int ch) const {
  if (!IsDoubleByte()) return LowerLatin(Cp1252ToUnicode(ch));
  if (ch < 0x80) return LowerLatin(ch);
  if (ch >= 0xA1 && ch <= 0xDF) return 0xFF61 + (ch - 0xA1);  // half-width katakana
  if (ch <= 0xFF) return ch;
  const unsigned int lower = LowerCp932DoubleByte(ch);
  if (lower >= 0x8281 && lower <= 0x829A) return 0xFF41 + (lower - 0x8281);  // full-width a-z
  return 0x10000 + lower;
}

std::vector<std::uint32_t> CodePage::NameKey(const std::string& name) const {
  std::vector<std::uint32_t> key;
  key.reserve(name.size());
  const char* p = name.c_str();
  while (*p != '\0') {
    std::size_t length = 0;
    key.push_back(NameOrder(CharAt(p, &length)));
    p += length;
  }
  return key;
}

std::size_t CodePage::CharCount(const std::string& text) const {
  std::size_t count = 0;
  const char* p = text.c_str();
  while (*p != '\0') {
    std::size_t length = 0;
    CharAt(p, &length);
    p += length;
    ++count;
  }
  return count;
}

}  // namespace memory
