#pragma once
// Text operations that walk a string by whole characters of the system's
// ANSI code page, so that the second byte of a double-byte character (which
// may be 0x5C, the backslash) is never taken for a character of its own.

#include <string>

#include "platform/Text.h"

namespace mbtext {

// True when the last character is a single-byte backslash.
bool EndsWithBackslash(platform::Text& text, const std::string& value);

// Keeps what stands before the last backslash; a text without one stays as it is.
void CutAtLastBackslash(platform::Text& text, std::string& value);

// Removes white space from the end, then from the start.
std::string TrimWhiteSpace(platform::Text& text, const std::string& value);

}  // namespace mbtext
