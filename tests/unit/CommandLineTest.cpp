// The tokenizer and the option matching rules.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "platform/memory/MemoryText.h"

namespace {

struct TokenCase {
  const char* text;
  std::size_t start;
  bool found;
  const char* token;
  std::size_t end;
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, ReadsOneTokenFromThePosition) {
  const TokenCase& c = GetParam();
  // An exactly sized copy, so that a read past the end is caught by the sanitizers.
  const std::size_t length = std::strlen(c.text);
  std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), c.text, length + 1);

  std::string token = "stale";
  std::size_t position = c.start;
  EXPECT_EQ(cmdline::GetNextToken(text.get(), cmdline::kDelimiters, &token, &position), c.found);
  EXPECT_EQ(token, c.token);
  EXPECT_EQ(position, c.found ? c.end : c.start);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, TokenizerTest,
    ::testing::Values(
        TokenCase{"prog /install", 0, true, "prog", 4}, TokenCase{"prog /install", 4, true, "/install", 13},
        TokenCase{" \t \t/a\t", 0, true, "/a", 6}, TokenCase{"prog   \t ", 4, false, "", 0},
        TokenCase{"prog", 4, false, "", 0}, TokenCase{"prog", 9, false, "", 0},
        // A quoted section keeps its quotes and its blanks.
        TokenCase{"\"C:\\Program Files\\x.exe\" /s", 0, true, "\"C:\\Program Files\\x.exe\"", 24},
        TokenCase{"ab\"c d\"e f", 0, true, "ab\"c d\"e", 8}, TokenCase{"\"\"", 0, true, "\"\"", 2},
        // \" inside a section is a quote; the character after it is taken as it is.
        TokenCase{"\"a\\\"b\" c", 0, true, "\"a\"b\"", 6}, TokenCase{"\"a\\\"\" c", 0, true, "\"a\"\"", 5},
        TokenCase{"\"a\\\"\"\" c", 0, true, "\"a\"\"\" c", 8},
        // Outside a section, or without a quote after it, a backslash is ordinary.
        TokenCase{"a\\\"b c\"", 0, true, "a\\\"b c\"", 7}, TokenCase{"\"a\\b\"", 0, true, "\"a\\b\"", 5},
        // An unterminated section ends with the text, escape or not.
        TokenCase{"x \"abc", 1, true, "\"abc", 6}, TokenCase{"\"ab\\\"", 0, true, "\"ab\"", 5},
        TokenCase{"\"ab\\", 0, true, "\"ab\\", 4}, TokenCase{"\"", 0, true, "\"", 1},
        TokenCase{"\"\\\"", 0, true, "\"\"", 3}));

TEST(Tokenizer, FailsWithoutTextTokenOrDelimiters) {
  std::string token = "stale";
  std::size_t position = 0;
  EXPECT_FALSE(cmdline::GetNextToken(nullptr, " ", &token, &position));
  EXPECT_FALSE(cmdline::GetNextToken("", " ", &token, &position));
  EXPECT_EQ(token, "stale");
  EXPECT_FALSE(cmdline::GetNextToken("a", " ", nullptr, &position));
  EXPECT_FALSE(cmdline::GetNextToken("a b", "", &token, &position));
  EXPECT_EQ(token, "");
  EXPECT_TRUE(cmdline::GetNextToken("a b", " ", &token, nullptr));
  EXPECT_EQ(token, "a");
}

TEST(QuoteTrimming, RemovesQuotesAtTheEndThenAtTheStart) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"/install\"", "/install"}, {"\"\"", ""}, {"\"\"\"", ""}, {"\"ab cd\"e", "ab cd\"e"},
      {"a\"b", "a\"b"}, {"\"\"x\"\"", "x"}, {"plain", "plain"}};
  for (const auto& [input, expected] : cases) {
    std::string token = input;
    cmdline::TrimQuotes(token);
    EXPECT_EQ(token, expected) << input;
  }
}

TEST(StripEnclosingQuotes, RemovesOnePairOnlyWhenBothEndsAreQuotes) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"\"x\"\"", "\"x\""}, {"\"-O2 -g\"", "-O2 -g"}, {"\"\"", ""}, {"\"", "\""},
      {"\"abc", "\"abc"}, {"abc\"", "abc\""}, {"", ""}};
  for (const auto& [input, expected] : cases) {
    std::string value = input;
    cmdline::StripEnclosingQuotes(value);
    EXPECT_EQ(value, expected) << input;
  }
}

TEST(IsOption, PrefixesAreInterchangeableAndCaseDoesNotCount) {
  memory::MemoryText text;
  const std::pair<const char*, bool> cases[] = {
      {"/install", true}, {"/INSTALL", true}, {"-Install", true}, {"install", false}, {"//install", false},
      {"/installx", false}, {"/instal", false}, {"", false}, {"/", false}};
  for (const auto& [token, matches] : cases) EXPECT_EQ(cmdline::IsOption(text, token, "/install"), matches) << token;
  EXPECT_TRUE(cmdline::IsOption(text, "-?", "/?"));
  EXPECT_TRUE(cmdline::IsOption(text, "/regcompiler", "/RegCompiler"));
}

TEST(IsOption, ComparesDoubleByteCharactersWhole) {
  memory::MemoryText text;
  text.SetCodePage(memory::CodePage(932));
  // The trail byte of 0x82 0x61 is the letter 'a': it must not fold to 'A'.
  EXPECT_FALSE(cmdline::IsOption(text, "/\x82\x61", "/\x82\x41"));
  EXPECT_TRUE(cmdline::IsOption(text, "/X\x82\x61", "/x\x82\x61"));
}

}  // namespace
