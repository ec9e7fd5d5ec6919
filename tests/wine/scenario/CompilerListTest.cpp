// The compiler list in the real registry: what /RegCompiler, /SetCompiler,
// /UnregCompiler and /UnregAllCompilers leave behind, byte for byte, and the
// update question that guards paths already stored.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "RegistryEdits.h"
#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kCaption[] = "RegOrvikPkg";
const std::string kToolKey = layout::kToolKey;
const std::string kCompilersKey = kToolKey + "\\Compilers";

std::string CompilerKey(const std::string& name) { return kCompilersKey + "\\" + name; }

struct Compiler {
  std::string name, bin, include, library, options, platform;
  std::optional<std::string> doc;  // none: the argument is left off
};

const Compiler kOrvik = {"Orvik C++ 7.1",
                         "C:\\Program Files\\Orvik\\Compiler\\bin",
                         "C:\\Program Files\\Orvik\\Compiler\\include",
                         "C:\\Program Files\\Orvik\\Compiler\\lib",
                         "/O2 /W3",
                         "WIN32",
                         "C:\\Program Files\\Orvik\\Compiler\\doc"};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string RegisterArguments(const Compiler& compiler) {
  std::string arguments = "/RegCompiler";
  for (const std::string* text : {&compiler.name, &compiler.bin, &compiler.include, &compiler.library,
                                  &compiler.options, &compiler.platform})
    arguments += " " + Quoted(*text);
  if (compiler.doc) arguments += " " + Quoted(*compiler.doc);
  return arguments;
}

// The six values, each a REG_SZ of exactly the text's bytes.
::testing::AssertionResult HoldsCompiler(const std::string& key, const Compiler& compiler) {
  const std::pair<const char*, std::string> values[] = {
      {"Executable", compiler.bin},         {"Include", compiler.include},
      {"Library", compiler.library},        {"Documentation", compiler.doc.value_or("")},
      {"TargetPlatform", compiler.platform}, {"DefaultOptions", compiler.options}};
  for (const auto& [name, text] : values) {
    ::testing::AssertionResult stored = ValueIs(key, name, REG_SZ, text);
    if (!stored) return stored;
  }
  return ::testing::AssertionSuccess();
}

ExpectedBox UpdateQuestion(const std::string& name) {
  return {"Register compiler",
          "Compiler \"" + name +
              "\" is already registered and has a different paths.\nWould you like to update paths for this compiler?",
          IconKind::kQuestion,
          {IDYES, IDNO}};
}

ExpectedBox Failure(const std::string& text) { return {kCaption, text}; }

template <typename Case>
std::string CaseLabel(const ::testing::TestParamInfo<Case>& info) {
  return info.param.label;
}

class CompilerList : public ScenarioTest {
 protected:
  RunResult Register(const Compiler& compiler, std::vector<Answer> answers = {}) {
    return RunTool(RegisterArguments(compiler), std::move(answers));
  }
  void RegisterOrvik() {
    RunResult result = Register(kOrvik);
    ASSERT_TRUE(EndedWith(result, 0));
    ASSERT_TRUE(ShowedBoxes(result, {}));
  }
};

struct NewCase {
  const char* label;
  Compiler compiler;
};
void PrintTo(const NewCase& c, std::ostream* out) { *out << c.label; }

class NewCompiler : public CompilerList, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewCompiler, CreatesTheToolKeyTheListAndSixExactTexts) {
  const Compiler& compiler = GetParam().compiler;
  RunResult result = Register(compiler);
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(SubkeyNames(kToolKey), std::vector<std::string>{"Compilers"});
  EXPECT_EQ(SubkeyNames(kCompilersKey), std::vector<std::string>{compiler.name});
  EXPECT_TRUE(HoldsCompiler(CompilerKey(compiler.name), compiler));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NewCompiler,
    ::testing::Values(NewCase{"WithDocumentation", kOrvik},
                      NewCase{"WithoutDocumentation", {"Orvik", "C:\\bin", "C:\\inc", "C:\\lib", "-G7", "Itanium", {}}},
                      NewCase{"EveryTextEmpty", {"Blank", "", "", "", "", "", ""}}),
    CaseLabel<NewCase>);

struct UpdateCase {
  const char* label;
  Compiler second;  // registered after kOrvik
  bool quiet;
  bool asks;
};
void PrintTo(const UpdateCase& c, std::ostream* out) { *out << c.label; }

Compiler Changed(std::string Compiler::*field, const std::string& text) {
  Compiler compiler = kOrvik;
  compiler.*field = text;
  return compiler;
}

Compiler SameTextsOtherCaseAndPlatform() {
  return {"ORVIK c++ 7.1",
          "c:\\PROGRAM FILES\\orvik\\compiler\\BIN",
          "C:\\program files\\ORVIK\\Compiler\\Include",
          "C:\\Program Files\\Orvik\\COMPILER\\lib",
          "/o2 /w3",
          "x64",
          "C:\\PROGRAM FILES\\Orvik\\Compiler\\DOC"};
}

Compiler WithoutDocumentation() {
  Compiler compiler = kOrvik;
  compiler.doc.reset();
  return compiler;
}

class CompilerUpdate : public CompilerList, public ::testing::WithParamInterface<UpdateCase> {};

// The stored compiler keeps the letter case of its first registration
// whatever name a later run gives, and the question shows the name as given.
TEST_P(CompilerUpdate, AsksOnlyWhenAPathDiffers) {
  RegisterOrvik();
  const Compiler& second = GetParam().second;
  const std::string arguments = (GetParam().quiet ? "/s " : "") + RegisterArguments(second);

  if (GetParam().asks) {
    std::string before = SnapshotMachine();
    RunResult declined = RunTool(arguments, {Answer::Press(IDNO)});
    EXPECT_TRUE(EndedWith(declined, 0));
    EXPECT_TRUE(ShowedBoxes(declined, {UpdateQuestion(second.name)}));
    EXPECT_EQ(before, SnapshotMachine());

    RunResult accepted = RunTool(arguments, {Answer::Press(IDYES)});
    EXPECT_TRUE(EndedWith(accepted, 0));
    EXPECT_TRUE(ShowedBoxes(accepted, {UpdateQuestion(second.name)}));
  } else {
    RunResult result = RunTool(arguments);
    EXPECT_TRUE(EndedWith(result, 0));
    EXPECT_TRUE(ShowedBoxes(result, {}));
  }
  EXPECT_EQ(SubkeyNames(kCompilersKey), std::vector<std::string>{kOrvik.name});
  EXPECT_TRUE(HoldsCompiler(CompilerKey(kOrvik.name), second));
}

INSTANTIATE_TEST_SUITE_P(
    SecondRegistration, CompilerUpdate,
    ::testing::Values(UpdateCase{"SameTextsInOtherCaseAndPlatform", SameTextsOtherCaseAndPlatform(), false, false},
                      UpdateCase{"ChangedExecutable", Changed(&Compiler::bin, "D:\\bin"), false, true},
                      UpdateCase{"ChangedInclude", Changed(&Compiler::include, "D:\\include"), false, true},
                      UpdateCase{"ChangedLibraryUnderAnotherCase",
                                 [] {
                                   Compiler compiler = Changed(&Compiler::library, "D:\\lib");
                                   compiler.name = "orvik C++ 7.1";
                                   return compiler;
                                 }(),
                                 false, true},
                      UpdateCase{"DocumentationLeftOff", WithoutDocumentation(), false, true},
                      UpdateCase{"ChangedOptions", Changed(&Compiler::options, "/O1"), false, true},
                      UpdateCase{"ChangedPathWhenQuiet", Changed(&Compiler::bin, "D:\\bin"), true, false}),
    CaseLabel<UpdateCase>);

enum class Outcome { kFails, kAsks, kSilent };

struct StoredCase {
  const char* label;
  const char* value;
  DWORD type;
  std::optional<std::string> bytes;  // none: the value is deleted
  Outcome outcome;
};
void PrintTo(const StoredCase& c, std::ostream* out) { *out << c.label; }

// An Executable of 260 characters: stored by the tool as 260 bytes, exactly
// as much as a comparison reads.
Compiler LongExecutable() {
  Compiler compiler = kOrvik;
  compiler.bin = "C:\\" + std::string(257, 'b');
  return compiler;
}

class StoredValue : public CompilerList, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValue, ThatCannotBeComparedBlocksAllButAQuietUpdate) {
  const Compiler compiler = LongExecutable();
  ASSERT_TRUE(EndedWith(Register(compiler), 0));
  const std::string key = CompilerKey(compiler.name);
  const StoredCase& stored = GetParam();
  ASSERT_EQ(stored.bytes ? SetRawValue(key, stored.value, stored.type, *stored.bytes) : DeleteValue(key, stored.value),
            ERROR_SUCCESS);

  std::string before = SnapshotMachine();
  std::vector<Answer> answers;
  if (stored.outcome == Outcome::kAsks) answers.push_back(Answer::Press(IDNO));
  RunResult result = Register(compiler, answers);
  switch (stored.outcome) {
    case Outcome::kFails:
      EXPECT_TRUE(EndedWith(result, kFailure));
      EXPECT_TRUE(ShowedBoxes(result, {Failure("Failed to register compiler " + compiler.name + "\n")}));
      EXPECT_EQ(before, SnapshotMachine());
      break;
    case Outcome::kAsks:
      EXPECT_TRUE(EndedWith(result, 0));
      EXPECT_TRUE(ShowedBoxes(result, {UpdateQuestion(compiler.name)}));
      EXPECT_EQ(before, SnapshotMachine());
      break;
    case Outcome::kSilent:
      EXPECT_TRUE(EndedWith(result, 0));
      EXPECT_TRUE(ShowedBoxes(result, {}));
      EXPECT_TRUE(HoldsCompiler(key, compiler));
      break;
  }

  RunResult quiet = RunTool("/s " + RegisterArguments(compiler));
  EXPECT_TRUE(EndedWith(quiet, 0));
  EXPECT_TRUE(ShowedBoxes(quiet, {}));
  EXPECT_TRUE(HoldsCompiler(key, compiler));
}

const std::string kLongBin = LongExecutable().bin;

INSTANTIATE_TEST_SUITE_P(
    Compared, StoredValue,
    ::testing::Values(
        StoredCase{"ExecutableOf261Bytes", "Executable", REG_SZ, Terminated(kLongBin), Outcome::kFails},
        StoredCase{"ExecutableOf260Bytes", "Executable", REG_SZ, kLongBin, Outcome::kSilent},
        StoredCase{"IncludeAsExpandSz", "Include", REG_EXPAND_SZ, kOrvik.include, Outcome::kFails},
        StoredCase{"LibraryAsBinary", "Library", REG_BINARY, kOrvik.library, Outcome::kFails},
        StoredCase{"OptionsAsExpandSz", "DefaultOptions", REG_EXPAND_SZ, Terminated(kOrvik.options), Outcome::kFails},
        StoredCase{"OptionsMissing", "DefaultOptions", REG_SZ, std::nullopt, Outcome::kFails},
        StoredCase{"DocumentationAsExpandSz", "Documentation", REG_EXPAND_SZ, *kOrvik.doc, Outcome::kSilent},
        StoredCase{"DocumentationOf300Bytes", "Documentation", REG_SZ, std::string(300, 'd'), Outcome::kAsks},
        StoredCase{"DocumentationMissing", "Documentation", REG_SZ, std::nullopt, Outcome::kAsks},
        StoredCase{"PlatformAsDword", "TargetPlatform", REG_DWORD, DwordBytes(7), Outcome::kSilent}),
    CaseLabel<StoredCase>);

TEST_F(CompilerList, SetCompilerStoresTheCallersCaseOfARegisteredName) {
  RegisterOrvik();
  RunResult selected = RunTool("/SetCompiler \"ORVIK c++ 7.1\"");
  EXPECT_TRUE(EndedWith(selected, 0));
  EXPECT_TRUE(ShowedBoxes(selected, {}));
  EXPECT_TRUE(ValueIs(kCompilersKey, "DefaultCompiler", REG_SZ, "ORVIK c++ 7.1"));

  std::string before = SnapshotMachine();
  RunResult unknown = RunTool("/SetCompiler \"Orvik C++ 7\"");
  EXPECT_TRUE(EndedWith(unknown, kFailure));
  EXPECT_TRUE(ShowedBoxes(unknown, {Failure("Failed to select compiler Orvik C++ 7\n")}));
  EXPECT_EQ(before, SnapshotMachine());
}

TEST_F(CompilerList, UnregisteringKeepsTheListAndItsDefaultUntilTheLastCompilerGoes) {
  Compiler other = kOrvik;
  other.name = "Other";
  RunResult registered =
      RunTool(RegisterArguments(kOrvik) + " " + RegisterArguments(other) + " /SetCompiler \"Orvik C++ 7.1\"");
  ASSERT_TRUE(EndedWith(registered, 0));

  RunResult first = RunTool("/UnregCompiler \"ORVIK C++ 7.1\"");
  EXPECT_TRUE(EndedWith(first, 0));
  EXPECT_TRUE(ShowedBoxes(first, {}));
  EXPECT_EQ(SubkeyNames(kCompilersKey), std::vector<std::string>{"Other"});
  EXPECT_TRUE(ValueIs(kCompilersKey, "DefaultCompiler", REG_SZ, "Orvik C++ 7.1"));

  RunResult last = RunTool("/UnregCompiler Other");
  EXPECT_TRUE(EndedWith(last, 0));
  EXPECT_TRUE(KeyAbsent(kCompilersKey));
  EXPECT_TRUE(KeyExists(kToolKey));
  EXPECT_TRUE(SubkeyNames(kToolKey).empty());

  RunResult again = RunTool("/UnregCompiler Other");
  EXPECT_TRUE(EndedWith(again, kFailure));
  EXPECT_TRUE(ShowedBoxes(again, {Failure("Failed to unregister compiler Other\n")}));
  EXPECT_TRUE(KeyExists(kToolKey));
}

// Subkeys of compilers are not the tool's own, but they must not keep the
// list alive: the whole tree goes, however deep. Six siblings at one level
// catch a deletion that moves the enumeration indices under its own feet.
TEST_F(CompilerList, UnregisterAllDeletesNestedTreesAndNeedsAList) {
  std::string arguments;
  for (const char* name : {"A", "b", "C", "d", "E", "f"}) {
    Compiler compiler = kOrvik;
    compiler.name = name;
    arguments += RegisterArguments(compiler) + " ";
  }
  ASSERT_TRUE(EndedWith(RunTool(arguments + "/SetCompiler C"), 0));
  for (const char* nested : {"A\\Targets\\x86\\Debug\\Extra", "A\\Targets\\x64", "C\\1", "C\\2\\3", "f\\z"})
    ASSERT_EQ(SetRawValue(CompilerKey(nested), "Note", REG_SZ, "nested"), ERROR_SUCCESS);

  std::string before = SnapshotMachine();
  RunResult single = RunTool("/UnregCompiler A");
  EXPECT_TRUE(EndedWith(single, kFailure)) << "a compiler key with subkeys cannot be deleted alone";
  EXPECT_EQ(before, SnapshotMachine());

  RunResult all = RunTool("/UnregAllCompilers");
  EXPECT_TRUE(EndedWith(all, 0));
  EXPECT_TRUE(ShowedBoxes(all, {}));
  EXPECT_TRUE(KeyAbsent(kCompilersKey));
  EXPECT_TRUE(KeyExists(kToolKey));

  RunResult nothingLeft = RunTool("/UnregAllCompilers");
  EXPECT_TRUE(EndedWith(nothingLeft, kFailure));
  EXPECT_TRUE(ShowedBoxes(nothingLeft, {Failure("Failed to unregister all registered compilers\n")}));

  ASSERT_EQ(CreateKey(kCompilersKey), ERROR_SUCCESS);
  EXPECT_TRUE(EndedWith(RunTool("/UnregAllCompilers"), 0));
  EXPECT_TRUE(KeyAbsent(kCompilersKey));
}

// An empty name leaves nothing after "Compilers\": the list's own key.
TEST_F(CompilerList, EmptyNameAddressesTheListKeyItself) {
  Compiler unnamed = kOrvik;
  unnamed.name = "";
  RunResult result = Register(unnamed);
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_TRUE(SubkeyNames(kCompilersKey).empty());
  EXPECT_TRUE(HoldsCompiler(kCompilersKey, unnamed));

  EXPECT_TRUE(EndedWith(RunTool("/SetCompiler \"\""), 0));
  EXPECT_TRUE(ValueIs(kCompilersKey, "DefaultCompiler", REG_SZ, ""));

  Compiler changed = unnamed;
  changed.bin = "D:\\bin";
  RunResult update = Register(changed, {Answer::Press(IDYES)});
  EXPECT_TRUE(EndedWith(update, 0));
  EXPECT_TRUE(ShowedBoxes(update, {UpdateQuestion("")}));
  EXPECT_TRUE(HoldsCompiler(kCompilersKey, changed));
}

struct ArgumentCase {
  const char* label;
  const char* arguments;
  Compiler stored;
  const char* failure;  // the failure text, or null for success
};
void PrintTo(const ArgumentCase& c, std::ostream* out) { *out << c.label; }

class CompilerArguments : public CompilerList, public ::testing::WithParamInterface<ArgumentCase> {};

TEST_P(CompilerArguments, ReachTheRegistryAsTheDispatcherReadsThem) {
  RunResult result = RunTool(GetParam().arguments);
  if (GetParam().failure) {
    EXPECT_TRUE(EndedWith(result, kFailure));
    EXPECT_TRUE(ShowedBoxes(result, {Failure(GetParam().failure)}));
  } else {
    EXPECT_TRUE(EndedWith(result, 0));
    EXPECT_TRUE(ShowedBoxes(result, {}));
  }
  EXPECT_EQ(SubkeyNames(kCompilersKey), std::vector<std::string>{GetParam().stored.name});
  EXPECT_TRUE(HoldsCompiler(CompilerKey(GetParam().stored.name), GetParam().stored));
  EXPECT_TRUE(RunLog().empty()) << "an outside program ran: " << RunLog()[0].text;
}

// Only the default options keep one pair of quotes, and every argument is
// taken by its place, whatever option it looks like.
INSTANTIATE_TEST_SUITE_P(
    ByPlace, CompilerArguments,
    ::testing::Values(
        ArgumentCase{"DoubledQuotes", "/RegCompiler \"\"N\"\" \"\"x\"\" \"\"x\"\" \"\"x\"\" \"\"x\"\" \"\"x\"\" \"\"x\"\"",
                     {"N", "x", "x", "x", "\"x\"", "x", "x"},
                     nullptr},
        ArgumentCase{"QuotesInside", "/RegCompiler N a\"b c\" I L a\"b c\" P",
                     {"N", "a\"b c", "I", "L", "a\"b c\"", "P", {}},
                     nullptr},
        ArgumentCase{"OptionsInEveryPlace", "/RegCompiler N /enable /install /disable /UnregAllCompilers /uninstall",
                     {"N", "/enable", "/install", "/disable", "/UnregAllCompilers", "/uninstall", {}},
                     nullptr},
        ArgumentCase{"SetCompilerInThePlaceOfDoc", "/RegCompiler N B I L O P /SetCompiler Other",
                     {"N", "B", "I", "L", "O", "P", "/SetCompiler"},
                     "Invalid argument: Other\n"}),
    CaseLabel<ArgumentCase>);

}  // namespace
}  // namespace bench
