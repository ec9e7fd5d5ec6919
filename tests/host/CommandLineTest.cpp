// The tokenizer, quote handling and option matching, and the command line
// turned into what it asks for.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "text/CommandLine.h"
#include "text/CommandPlan.h"

namespace {

struct TokenCase {
  const char* text;
  std::size_t start;
  bool found;
  const char* token;
  std::size_t end;
};

TEST(GetNextToken, ReadsOneTokenFromThePosition) {
  const TokenCase cases[] = {
      {"prog /install", 0, true, "prog", 4}, {"prog /install", 4, true, "/install", 13},
      {" \t \t/a\t", 0, true, "/a", 6}, {"prog   \t ", 4, false, "", 4}, {"prog", 9, false, "", 9},
      // A quoted section keeps its quotes and its blanks.
      {"\"C:\\Program Files\\x.exe\" /s", 0, true, "\"C:\\Program Files\\x.exe\"", 24},
      {"ab\"c d\"e f", 0, true, "ab\"c d\"e", 8}, {"\"\"", 0, true, "\"\"", 2},
      // \" inside a section is a quote; the character after it is taken as it is.
      {"\"a\\\"b\" c", 0, true, "\"a\"b\"", 6}, {"\"a\\\"\"\" c", 0, true, "\"a\"\"\" c", 8},
      // Outside a section, or without a quote after it, a backslash is ordinary.
      {"a\\\"b c\"", 0, true, "a\\\"b c\"", 7}, {"\"a\\b\"", 0, true, "\"a\\b\"", 5},
      // An unterminated section ends with the text, escape or not.
      {"x \"abc", 1, true, "\"abc", 6}, {"\"ab\\\"", 0, true, "\"ab\"", 5}, {"\"\\\"", 0, true, "\"\"", 3}};
  for (const TokenCase& c : cases) {
    // An exactly sized copy, so that a read past the end is caught by the sanitizers.
    const std::size_t length = std::strlen(c.text);
    std::unique_ptr<char[]> text(new char[length + 1]);
    std::memcpy(text.get(), c.text, length + 1);
    std::string token = "stale";
    std::size_t position = c.start;
    EXPECT_EQ(GetNextToken(text.get(), kDelimiters, &token, &position), c.found) << c.text;
    EXPECT_EQ(token, c.token) << c.text;
    EXPECT_EQ(position, c.end) << c.text;
  }
  std::string token = "stale";
  EXPECT_FALSE(GetNextToken("", " ", &token, nullptr));
  EXPECT_FALSE(GetNextToken("a b", "", &token, nullptr));
  EXPECT_TRUE(GetNextToken("a b", " ", &token, nullptr));
  EXPECT_EQ(token, "a");
}

TEST(Quotes, TrimmingTakesAllEndsStrippingOnePair) {
  const struct {
    const char* input;
    const char* trimmed;
    const char* stripped;
  } cases[] = {{"\"/install\"", "/install", "/install"}, {"\"\"x\"\"", "x", "\"x\""}, {"\"\"", "", ""},
               {"\"", "", "\""}, {"\"ab cd\"e", "ab cd\"e", "\"ab cd\"e"}, {"abc\"", "abc", "abc\""}};
  for (const auto& c : cases) {
    std::string trimmed = c.input;
    TrimQuotes(trimmed);
    EXPECT_EQ(trimmed, c.trimmed) << c.input;
    std::string stripped = c.input;
    StripEnclosingQuotes(stripped);
    EXPECT_EQ(stripped, c.stripped) << c.input;
  }
}

TEST(IsOption, PrefixesAreInterchangeableAndCaseDoesNotCount) {
  const std::pair<const char*, bool> cases[] = {{"/install", true},  {"/INSTALL", true},   {"-Install", true},
                                                {"install", false},  {"//install", false}, {"/instal", false},
                                                {"/installx", false}, {"", false},         {"/\x82\x49nstall", false}};
  for (const auto& [token, matches] : cases) EXPECT_EQ(IsOption(token, "/install"), matches) << token;
  EXPECT_TRUE(IsOption("-?", "/?"));
}

// A plan as one line: dialog, usage, or the steps with their arguments and failure texts.
std::string Describe(const CommandPlan& plan) {
  if (plan.showDialog) return "dialog";
  if (plan.showUsage) return "usage";
  std::string text = plan.quiet ? "quiet:" : "";
  const char* names[] = {"install", "uninstall", "enable", "disable", "reg", "unreg", "set", "unregall", "fail"};
  for (const Step& step : plan.steps) {
    const CompilerInfo& c = step.compiler;
    text += std::string(" ") + names[static_cast<int>(step.action)];
    if (step.action == Action::RegisterCompiler) {
      text += "[" + c.Name + "|" + c.Executable + "|" + c.Include + "|" + c.Library + "|" + c.DefaultOptions + "|" +
              c.TargetPlatform + "|" + c.Documentation + "]";
    } else if (step.action == Action::UnregisterCompiler || step.action == Action::SetDefaultCompiler) {
      text += "[" + c.Name + "]";
    }
    text += "=" + step.failure;
  }
  return text;
}

TEST(PlanCommandLine, ScansForHelpAndQuietThenRunsLeftToRight) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "dialog"},
      {" \t ", "dialog"},
      {"/enable /?", "usage"},
      {"/UnregCompiler -H", "usage"},  // the scans see arguments too
      {"bogus /s \"/h\"", "usage"},
      {"\"\"", " fail=Invalid argument: \n"},
      {"/s", "quiet:"},
      {"/INSTALL -disable \"/enable\"",
       " install=Failed to install Orvik C++ Integration Tool\n disable=Failed to unregister Orvik Package\n"
       " enable=Failed to register Orvik Package\n"},
      {"/uninstall install /enable", " uninstall=Failed to uninstall Orvik C++ Integration Tool\n"
                                     " fail=Invalid argument: install\n"},
      {"/SetCompiler /s", "quiet: set[/s]=Failed to select compiler /s\n"},
      {"/RegCompiler \"\"gcc\"\" \"C:\\b\" i l \"\\\"-O2 -g\\\"\" WIN32 /SetCompiler x",
       " reg[gcc|C:\\b|i|l|\"-O2 -g\"|WIN32|/SetCompiler]=Failed to register compiler gcc\n"
       " fail=Invalid argument: x\n"},
      {"/RegCompiler n b i l \"\" \"\"", " reg[n|b|i|l|||]=Failed to register compiler n\n"},
      {"/UnregAllCompilers /UnregCompiler", " unregall=Failed to unregister all registered compilers\n"
                                             " fail=Missing Compiler Name\n"},
      {"/RegCompiler", " fail=Missing Compiler Name\n"},
      {"/RegCompiler n", " fail=Missing Compiler's Bin path\n"},
      {"/RegCompiler n b", " fail=Missing Compiler's Include path\n"},
      {"/RegCompiler n b i", " fail=Missing Compiler's Library path\n"},
      {"/RegCompiler n b i l", " fail=Missing Default Compiler's options\n"},
      {"/RegCompiler n b i l o", " fail=Missing Compiler's Target Platform\n"},
      {"bogus /install", " fail=Invalid argument: bogus\n"},
  };
  for (const auto& [arguments, expected] : cases) {
    EXPECT_EQ(Describe(PlanCommandLine(std::string("\"C:\\x y\\RegOrvikPkg.exe\" ") + arguments)), expected)
        << arguments;
  }
  EXPECT_EQ(Describe(PlanCommandLine("")), "dialog");
  EXPECT_EQ(Describe(PlanCommandLine("/install")), "dialog");  // the program's name comes first, whatever it is
}

}  // namespace
