// Any bytes as a command line: the tokenizer stays inside the text and
// always moves forward.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exactly sized, terminated copy: one byte read past it is caught.
  std::unique_ptr<char[]> text(new char[size + 1]);
  std::memcpy(text.get(), data, size);
  text[size] = '\0';
  const std::size_t length = std::strlen(text.get());

  std::string token;
  std::size_t position = 0;
  while (cmdline::GetNextToken(text.get(), cmdline::kDelimiters, &token, &position)) {
    if (position > length || token.empty() || token.size() > length) std::abort();
    std::string trimmed = token;
    cmdline::TrimQuotes(trimmed);
    cmdline::StripEnclosingQuotes(token);
  }
  return 0;
}
