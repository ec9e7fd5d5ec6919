#include "text/CommandLine.h"

#include <cstring>

namespace {

bool IsDelimiter(const char* delimiters, char c) { return c != '\0' && std::strchr(delimiters, c) != nullptr; }

bool IsPrefix(char c) { return c == '/' || c == '-'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (AsciiLower(*a) != AsciiLower(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

bool GetNextToken(const char* text, const char* delimiters, std::string* token, std::size_t* position) {
  if (text == nullptr || *text == '\0' || token == nullptr) return false;
  token->clear();
  const std::size_t length = std::strlen(text);
  std::size_t i = position != nullptr ? *position : 0;
  if (delimiters == nullptr || *delimiters == '\0' || i >= length) return false;

  while (i < length && IsDelimiter(delimiters, text[i])) ++i;
  if (i >= length) return false;

  while (i < length) {
    token->push_back(text[i]);
    if (text[i] == '"') {
      // A quoted section: runs to the next unescaped quote, or to the end of
      // the text when it is never closed.
      do {
        ++i;
        if (i < length && text[i] == '\\' && i + 1 < length && text[i + 1] == '"') {
          token->push_back('"');
          i += 2;
        }
        if (i >= length) break;
        token->push_back(text[i]);
      } while (text[i] != '"');
      if (i >= length) break;
    }
    ++i;
    if (i >= length || IsDelimiter(delimiters, text[i])) break;
  }
  if (position != nullptr) *position = i < length ? i : length;
  return true;
}

void TrimQuotes(std::string& token) {
  const std::size_t last = token.find_last_not_of('"');
  if (last == std::string::npos) {
    token.clear();
    return;
  }
  token.erase(last + 1);
  token.erase(0, token.find_first_not_of('"'));
}

void StripEnclosingQuotes(std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value.erase(value.size() - 1);
    value.erase(0, 1);
  }
}

bool IsOption(const std::string& token, const char* option) {
  if (!token.empty() && IsPrefix(token[0]) && IsPrefix(option[0])) return EqualNoCase(token.c_str() + 1, option + 1);
  return EqualNoCase(token.c_str(), option);
}
