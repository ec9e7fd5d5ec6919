#pragma once
// The C runtime's multibyte text functions as Windows gives them in code page
// 1252 or 932 (see CodePage):
// - comparisons go by whole characters (a double-byte character is one,
//   valued lead << 8 | trail) and give -1, 0 or 1; the case-blind one folds
//   ASCII letters, in 932 also full-width Latin, Greek and Cyrillic capitals,
//   never Latin-1 letters;
// - searches match only at character boundaries, so the second byte of a
//   double-byte character (which may be '\' or a letter) is never found. The
//   C runtime Wine ships searches substrings byte by byte (_mbsstr is strstr
//   there); this follows Windows;
// - white space is tab to carriage return and the blank, plus the no-break
//   space 0xA0 in 1252 and the ideographic space 0x8140 in 932, as Wine's C
//   runtime classifies them.

#include "platform/Text.h"
#include "platform/memory/CodePage.h"

namespace memory {

class MemoryText final : public platform::Text {
 public:
  void SetCodePage(const CodePage& codePage) { codePage_ = codePage; }
  const CodePage& GetCodePage() const { return codePage_; }

  int CompareNoCase(const char* a, const char* b) override;
  int Compare(const char* a, const char* b) override;
  const char* Find(const char* text, const char* fragment) override;
  const char* FindLast(const char* text, unsigned int ch) override;
  bool IsLeadByte(unsigned char byte) override { return codePage_.IsLeadByte(byte); }
  bool IsSpace(unsigned int ch) override;

 private:
  int CompareFolded(const char* a, const char* b, bool fold) const;

  CodePage codePage_;
};

}  // namespace memory
