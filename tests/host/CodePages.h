#pragma once
// Code pages as the text functions see them: one without double-byte
// characters, and 932, whose second bytes include the backslash (0x5C) and
// whose double-byte blank is 0x81 0x40.

#include "text/Paths.h"

inline bool IsAsciiSpace(unsigned int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline const CodePage kSingleByte = {[](unsigned char) { return false; }, &IsAsciiSpace};

inline const CodePage kCodePage932 = {
    [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); },
    [](unsigned int c) { return IsAsciiSpace(c) || c == 0x8140; }};
