#pragma once
// Text in the system's ANSI (multibyte) code page: the C runtime's multibyte
// functions. A double-byte character's second byte is never taken for a
// character of its own.

#include <cstdint>

namespace platform {

class Text {
 public:
  virtual ~Text() = default;

  virtual int CompareNoCase(const char* a, const char* b) = 0;             // _mbsicmp
  virtual int Compare(const char* a, const char* b) = 0;                   // _mbscmp
  virtual const char* Find(const char* text, const char* fragment) = 0;    // _mbsstr
  virtual const char* FindLast(const char* text, unsigned int ch) = 0;     // _mbsrchr
  virtual bool IsLeadByte(unsigned char byte) = 0;                         // _ismbblead
  virtual bool IsSpace(unsigned int ch) = 0;                               // _ismbcspace
};

}  // namespace platform
