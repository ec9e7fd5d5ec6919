#pragma once
// Paths and names in the system's ANSI code page. The functions walk the
// text by whole characters, so that the second byte of a double-byte
// character (which may be 0x5C, the backslash) is never taken for one.

#include <string>

// The character classes of the code page that the walk needs. The program
// takes them from the C runtime's multibyte functions; tests describe a code
// page of their own.
struct CodePage {
  bool (*isLeadByte)(unsigned char byte);
  // A double-byte character is passed as (lead << 8) | trail.
  bool (*isSpace)(unsigned int character);
};

// True when the last character is a single-byte backslash.
bool EndsWithBackslash(const CodePage& codePage, const std::string& path);

// The path two levels up, without a trailing backslash: a trailing one is
// dropped, then each level is cut at the last backslash. A cut that finds no
// backslash leaves the text unchanged, so "IDE" stays "IDE" and "C:\IDE"
// becomes "C:".
std::string TwoLevelsUp(const CodePage& codePage, std::string path);

// Removes white space from the end, then from the start.
std::string TrimWhiteSpace(const CodePage& codePage, const std::string& text);

// The executable's file name without its directory and extension.
std::string AppNameFromPath(const CodePage& codePage, const std::string& path);

// The directory of a file's path, up to and with its last backslash; empty
// when there is none.
std::string FolderOf(const CodePage& codePage, const std::string& path);
