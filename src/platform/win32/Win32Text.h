#pragma once
// The text seam on the C runtime's multibyte functions, which follow the
// system's ANSI code page from start-up on.

#include "platform/Text.h"

namespace win32 {

class Win32Text final : public platform::Text {
 public:
  int CompareNoCase(const char* a, const char* b) override;
  int Compare(const char* a, const char* b) override;
  const char* Find(const char* text, const char* fragment) override;
  const char* FindLast(const char* text, unsigned int ch) override;
  bool IsLeadByte(unsigned char byte) override;
  bool IsSpace(unsigned int ch) override;
};

}  // namespace win32
