#include "win/SystemCodePage.h"

#include <mbctype.h>
#include <mbstring.h>

namespace {

bool IsLeadByte(unsigned char byte) { return _ismbblead(byte) != 0; }

bool IsSpace(unsigned int character) { return _ismbcspace(character) != 0; }

}  // namespace

const CodePage& SystemCodePage() {
  static const CodePage codePage = {&IsLeadByte, &IsSpace};
  return codePage;
}

int CompareNoCase(const char* a, const char* b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}
