// The C runtime's multibyte functions in memory, against what msvcrt gave
// under Wine with the ANSI code page 1252 and (LC_ALL=ja_JP.UTF-8) 932.

#include <gtest/gtest.h>

#include "platform/memory/MemoryText.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

memory::MemoryText TextIn(unsigned int codePage) {
  memory::MemoryText text;
  text.SetCodePage(memory::CodePage(codePage));
  return text;
}

TEST(MemoryText, CaseBlindComparisonFoldsOnlyWhatTheCodePageFolds) {
  const struct {
    unsigned int codePage;
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {1252, "abc", "ABC", 0},   {1252, "a_", "aZ", -1},           {1252, "[", "a", -1},
      {1252, "\xe9", "\xc9", 1}, {1252, "x", "xy", -1},            {1252, "\x9a", "\x8a", 1},
      {932, "a_", "aZ", -1},     {932, "\x82\x60", "\x82\x81", 0},  // full-width A and a
      {932, "\x83\x9f", "\x83\xbf", 0},                             // Greek
      {932, "\x84\x46", "\x84\x76", 0},                             // Cyrillic Yo, past the gap
      {932, "\x84\x4f", "\x84\x80", 0},                             // Cyrillic O
      {932, "\x83\x61", "\x83\x41", 1},                             // trail bytes 'a' and 'A' do not fold
      {932, "\x81\x40", "A", 1},                                    // whole characters compare
      {932, "\xa1", "\x81\x40", -1},
      {932, "a\x81", "a\x81", 0},                                   // a lone lead byte at the end
  };
  for (const auto& c : cases) {
    memory::MemoryText text = TextIn(c.codePage);
    EXPECT_EQ(c.sign, Sign(text.CompareNoCase(c.a, c.b))) << c.codePage << " " << c.a << " " << c.b;
  }
  memory::MemoryText text = TextIn(932);
  EXPECT_EQ(1, Sign(text.Compare("a", "B")));
  EXPECT_EQ(0, text.Compare("wndclass_desked_gsk", "wndclass_desked_gsk"));
}

TEST(MemoryText, SearchesMatchWholeCharactersOnly) {
  const char* path = "C:\\\x83\x5c\\x\x95\x5c";
  const struct {
    unsigned int codePage;
    unsigned int ch;
    int offset;  // -1: not found
  } last[] = {{1252, '\\', 8}, {932, '\\', 5}, {932, 0x835C, 3}, {932, 0, 9}, {1252, 'q', -1}};
  for (const auto& c : last) {
    memory::MemoryText text = TextIn(c.codePage);
    const char* found = text.FindLast(path, c.ch);
    EXPECT_EQ(c.offset, found != nullptr ? static_cast<int>(found - path) : -1) << c.codePage << " " << c.ch;
  }
  memory::MemoryText western = TextIn(1252);
  memory::MemoryText japanese = TextIn(932);
  const char* title = "x\x83\x41" "AB";
  EXPECT_EQ(title + 2, western.Find(title, "AA"));
  EXPECT_EQ(nullptr, japanese.Find(title, "AA"));
  EXPECT_EQ(title + 3, japanese.Find(title, "AB"));
  EXPECT_EQ(title, japanese.Find(title, ""));
  EXPECT_EQ(nullptr, japanese.Find("Some Title .net", "Some Title .NET"));
}

TEST(MemoryText, WhiteSpaceAndLeadBytesFollowTheCodePage) {
  memory::MemoryText western = TextIn(1252);
  memory::MemoryText japanese = TextIn(932);
  for (unsigned int ch : {0x09u, 0x0Au, 0x0Bu, 0x0Cu, 0x0Du, 0x20u}) {
    EXPECT_TRUE(western.IsSpace(ch)) << ch;
    EXPECT_TRUE(japanese.IsSpace(ch)) << ch;
  }
  EXPECT_TRUE(western.IsSpace(0xA0));
  EXPECT_FALSE(japanese.IsSpace(0xA0));
  EXPECT_TRUE(japanese.IsSpace(0x8140));
  EXPECT_FALSE(western.IsSpace(0x8140));
  EXPECT_FALSE(japanese.IsSpace(0x8141));
  EXPECT_FALSE(western.IsSpace(0x85));
  const struct {
    unsigned char byte;
    bool lead;
  } leads[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false}, {0xDF, false},
               {0xE0, true},  {0xFC, true}, {0xFD, false}, {0x41, false}};
  for (const auto& c : leads) {
    EXPECT_EQ(c.lead, japanese.IsLeadByte(c.byte)) << int{c.byte};
    EXPECT_FALSE(western.IsLeadByte(c.byte));
  }
}

}  // namespace
