#include "platform/win32/Win32Text.h"

#include <mbctype.h>
#include <mbstring.h>

namespace win32 {

namespace {

const unsigned char* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }
const char* Chars(const unsigned char* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

int Win32Text::CompareNoCase(const char* a, const char* b) { return _mbsicmp(Bytes(a), Bytes(b)); }

int Win32Text::Compare(const char* a, const char* b) { return _mbscmp(Bytes(a), Bytes(b)); }

const char* Win32Text::Find(const char* text, const char* fragment) { return Chars(_mbsstr(Bytes(text), Bytes(fragment))); }

const char* Win32Text::FindLast(const char* text, unsigned int ch) { return Chars(_mbsrchr(Bytes(text), ch)); }

bool Win32Text::IsLeadByte(unsigned char byte) { return _ismbblead(byte) != 0; }

bool Win32Text::IsSpace(unsigned int ch) { return _ismbcspace(ch) != 0; }

}  // namespace win32
