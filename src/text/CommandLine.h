#pragma once
// Splitting the command line into tokens and matching option names.

#include <cstddef>
#include <string>

// The delimiters between tokens: space and horizontal tab.
constexpr char kDelimiters[] = " \t";

// Reads the token that starts at *position (or at 0 when position is null),
// skipping delimiters first. A double quote opens a quoted section, in which
// delimiters are ordinary characters and \" stands for a quote; the quotes
// stay in the token. On success *position becomes the index of the
// character that ended the token. Never reads past the end of `text`.
bool GetNextToken(const char* text, const char* delimiters, std::string* token, std::size_t* position);

// Removes every double quote at the end of the token, then every one at its start.
void TrimQuotes(std::string& token);

// Removes the first and last character when the text both begins and ends
// with a double quote and is at least two characters long.
void StripEnclosingQuotes(std::string& value);

// True when the token names the option: "/" and "-" are the same prefix, and
// letter case does not count. Option names are plain ASCII, so no byte of a
// double-byte character can match one.
bool IsOption(const std::string& token, const char* option);
