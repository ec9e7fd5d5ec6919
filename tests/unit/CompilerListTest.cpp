// The compiler list in the registry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTest.h"

namespace unit {
namespace {

constexpr char kKey[] = "Software\\Orvik\\Compiler Integration Tool\\Compilers\\Orvik C++";
const char* const kValueOrder[] = {"Executable", "Include", "Library", "Documentation", "TargetPlatform",
                                   "DefaultOptions"};

CompilerInfo Compiler(const std::string& name = "Orvik C++") {
  return CompilerInfo{name, "C:\\oc\\bin", "C:\\oc\\include", "C:\\oc\\lib", "", "WIN32", "-O2"};
}

class CompilerListTest : public AppTest {
 protected:
  // Value data exactly as stored, "<absent>" for none.
  std::string Stored(const std::string& key, const char* name) const {
    const auto value = machine.registry.GetValue(key, name);
    if (!value) return "<absent>";
    return (value->type == 1 ? "" : "type " + std::to_string(value->type) + ":") + value->data;
  }
  std::vector<std::string> StoredCompiler(const std::string& key = kKey) const {
    std::vector<std::string> values;
    for (const char* name : kValueOrder) values.push_back(Stored(key, name));
    return values;
  }
};

TEST_F(CompilerListTest, NewCompilerCreatesTheTreeWithExactTexts) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler()));
  EXPECT_EQ(StoredCompiler(),
            (std::vector<std::string>{"C:\\oc\\bin", "C:\\oc\\include", "C:\\oc\\lib", "", "WIN32", "-O2"}));
  EXPECT_EQ(machine.registry.SubkeyNames(kCompilersKey), std::vector<std::string>{"Orvik C++"});
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
}

TEST_F(CompilerListTest, EqualPathsInAnotherCaseRewriteSilently) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler()));
  CompilerInfo again{"ORVIK c++", "c:\\OC\\BIN", "C:\\OC\\include", "c:\\oc\\LIB", "", "x64", "-o2"};
  ASSERT_TRUE(app.RegisterCompiler(again));
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  EXPECT_EQ(StoredCompiler(),
            (std::vector<std::string>{"c:\\OC\\BIN", "C:\\OC\\include", "c:\\oc\\LIB", "", "x64", "-o2"}));
  // The key keeps the case of its creation.
  EXPECT_EQ(machine.registry.SubkeyNames(kCompilersKey), std::vector<std::string>{"Orvik C++"});
}

TEST_F(CompilerListTest, ChangedPathAsksAndNoKeepsEverything) {
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    ASSERT_TRUE(app.RegisterCompiler(Compiler()));
    const std::string before = machine.registry.Dump();
    CompilerInfo changed = Compiler();
    changed.Documentation = "C:\\oc\\doc";
    changed.TargetPlatform = "other";
    machine.ui.AnswerMessageBox(yes ? 6 : 7);
    EXPECT_TRUE(app.RegisterCompiler(changed));
    ASSERT_EQ(machine.ui.MessageBoxes().size(), yes ? 2u : 1u);
    const memory::MessageBoxCall& box = machine.ui.MessageBoxes().back();
    EXPECT_EQ(box.text,
              "Compiler \"Orvik C++\" is already registered and has a different paths.\n"
              "Would you like to update paths for this compiler?");
    EXPECT_EQ(box.caption, "Register compiler");
    EXPECT_EQ(box.type, 0x24u);  // Yes/No with the question icon
    EXPECT_EQ(box.owner, nullptr);
    if (yes) {
      EXPECT_EQ(Stored(kKey, "Documentation"), "C:\\oc\\doc");
      EXPECT_EQ(Stored(kKey, "TargetPlatform"), "other");
    } else {
      EXPECT_EQ(machine.registry.Dump(), before);
    }
  }
}

TEST_F(CompilerListTest, QuietModeWritesWithoutComparing) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler()));
  machine.registry.SetRawValue(kKey, "DefaultOptions", 2, "-O1");  // unreadable for a comparison
  app.QuietMode = true;
  CompilerInfo changed = Compiler();
  changed.Executable = "D:\\new";
  ASSERT_TRUE(app.RegisterCompiler(changed));
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  EXPECT_EQ(Stored(kKey, "Executable"), "D:\\new");
  EXPECT_EQ(Stored(kKey, "DefaultOptions"), "-O2");
}

TEST_F(CompilerListTest, UnreadableStoredValuesRefuseAnUpdate) {
  const std::vector<std::pair<const char*, std::pair<std::uint32_t, std::string>>> damages = {
      {"DefaultOptions", {0, ""}},                        // absent
      {"Include", {2, "C:\\oc\\include"}},                // not REG_SZ
      {"Library", {1, std::string(261, 'x')}},            // larger than the buffer
  };
  for (const auto& [name, damage] : damages) {
    SCOPED_TRACE(name);
    machine.registry.RemoveTree(kToolKey);
    ASSERT_TRUE(app.RegisterCompiler(Compiler()));
    if (damage.second.empty()) {
      machine.registry.RemoveTree(kKey);
      machine.registry.CreateKeyPath(kKey);
      for (const char* value : {"Executable", "Include", "Library"}) machine.registry.SetString(kKey, value, "x");
    } else {
      machine.registry.SetRawValue(kKey, name, damage.first, damage.second);
    }
    const std::string before = machine.registry.Dump();
    EXPECT_FALSE(app.RegisterCompiler(Compiler()));
    EXPECT_EQ(machine.registry.Dump(), before);
    EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  }
}

TEST_F(CompilerListTest, DocumentationMayBeMissingOrOfAnyType) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler()));
  machine.registry.SetRawValue(kKey, "Documentation", 3, std::string(300, 'd'));
  EXPECT_TRUE(app.RegisterCompiler(Compiler()));  // read fails: empty, equal to the record's
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  EXPECT_EQ(Stored(kKey, "Documentation"), "");
  // A 260-byte value without a terminator still reads whole.
  CompilerInfo wide = Compiler();
  wide.Executable = std::string(260, 'e');
  app.QuietMode = true;
  ASSERT_TRUE(app.RegisterCompiler(wide));
  app.QuietMode = false;
  EXPECT_TRUE(app.RegisterCompiler(wide));
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
}

TEST_F(CompilerListTest, ReadOnlyCompilerKeyCannotBeCompared) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler()));
  machine.registry.MarkReadOnly(kKey);
  EXPECT_FALSE(app.RegisterCompiler(Compiler()));
}

TEST_F(CompilerListTest, EmptyNameWritesIntoTheListKeyItself) {
  ASSERT_TRUE(app.RegisterCompiler(Compiler("")));
  EXPECT_EQ(Stored(kCompilersKey, "Executable"), "C:\\oc\\bin");
  EXPECT_TRUE(machine.registry.SubkeyNames(kCompilersKey).empty());
  EXPECT_TRUE(app.SetDefaultCompiler(""));
  EXPECT_EQ(Stored(kCompilersKey, "DefaultCompiler"), "");
}

TEST_F(CompilerListTest, UnregisterKeepsTheListUntilTheLastCompilerGoes) {
  EXPECT_FALSE(app.UnregisterCompiler("nobody"));
  ASSERT_TRUE(app.RegisterCompiler(Compiler("A")));
  ASSERT_TRUE(app.RegisterCompiler(Compiler("B")));
  ASSERT_TRUE(app.SetDefaultCompiler("a"));
  EXPECT_EQ(Stored(kCompilersKey, "DefaultCompiler"), "a");
  EXPECT_FALSE(app.SetDefaultCompiler("C"));
  EXPECT_EQ(Stored(kCompilersKey, "DefaultCompiler"), "a");

  EXPECT_TRUE(app.UnregisterCompiler("a"));
  EXPECT_EQ(machine.registry.SubkeyNames(kCompilersKey), std::vector<std::string>{"B"});
  EXPECT_EQ(Stored(kCompilersKey, "DefaultCompiler"), "a");
  EXPECT_FALSE(app.UnregisterCompiler("A"));

  EXPECT_TRUE(app.UnregisterCompiler("B"));
  EXPECT_FALSE(machine.registry.KeyExists(kCompilersKey));
  EXPECT_TRUE(machine.registry.KeyExists(kToolKey));
}

TEST_F(CompilerListTest, UnregisterAllDeletesDeepTreesAndNeedsAList) {
  EXPECT_FALSE(app.UnregisterAllCompilers());
  machine.registry.CreateKeyPath(kCompilersKey);
  EXPECT_TRUE(app.UnregisterAllCompilers());
  EXPECT_FALSE(machine.registry.KeyExists(kCompilersKey));

  for (const char* name : {"Z", "a", "M"}) ASSERT_TRUE(app.RegisterCompiler(Compiler(name)));
  std::string deep = std::string(kCompilersKey) + "\\M";
  for (int level = 0; level < 40; ++level) deep += "\\level" + std::to_string(level);
  machine.registry.SetString(deep, "v", "x");
  machine.registry.CreateKeyPath(std::string(kCompilersKey) + "\\a\\b\\c");
  machine.registry.CreateKeyPath(std::string(kCompilersKey) + "\\a\\b2");
  ASSERT_TRUE(app.SetDefaultCompiler("M"));
  EXPECT_TRUE(app.UnregisterAllCompilers());
  EXPECT_FALSE(machine.registry.KeyExists(kCompilersKey));
  EXPECT_TRUE(machine.registry.KeyExists(kToolKey));
  EXPECT_FALSE(app.UnregisterAllCompilers());
}

// Each registry call failing in turn: the operation reports it, leaves
// nothing open, and what it did before the failure stays done.
TEST(CompilerListFaults, RegisterStopsAtTheFirstFailedWrite) {
  WalkFaults(
      [](memory::MemoryPlatform& machine, CRegOrvikPkgApp&) {
        machine.registry.SetString(kKey, "Executable", "old");
        machine.registry.SetString(kKey, "Include", "old");
        machine.registry.SetString(kKey, "Library", "old");
        machine.registry.SetString(kKey, "DefaultOptions", "old");
        machine.ui.AnswerMessageBox(6);
      },
      [](CRegOrvikPkgApp& app) { return app.RegisterCompiler(Compiler()); },
      [](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
        // A question that cannot be shown is not a Yes: nothing is written.
        if (machine.faults.LastInjected().rfind("MessageBox", 0) == 0) {
          EXPECT_TRUE(result);
          for (const char* name : kValueOrder) {
            const auto value = machine.registry.GetValue(kKey, name);
            EXPECT_TRUE(!value || value->data == "old") << name;
          }
          return;
        }
        // The values written are a prefix of the write order; the rest are old or absent.
        const CompilerInfo info = Compiler();
        const std::string expected[] = {info.Executable, info.Include, info.Library, info.Documentation,
                                        info.TargetPlatform, info.DefaultOptions};
        bool stillWriting = true;
        for (std::size_t i = 0; i < 6; ++i) {
          const auto value = machine.registry.GetValue(kKey, kValueOrder[i]);
          const bool written = value && value->data == expected[i];
          if (!written) stillWriting = false;
          if (!stillWriting) {
            EXPECT_FALSE(result) << kValueOrder[i];
            EXPECT_TRUE(!value || value->data == "old") << kValueOrder[i];
          }
        }
      });
}

TEST(CompilerListFaults, UnregisterAndUnregisterAllReportEveryFailure) {
  const auto setUp = [](memory::MemoryPlatform& machine, CRegOrvikPkgApp& app) {
    for (const char* name : {"A", "B"}) ASSERT_TRUE(app.RegisterCompiler(Compiler(name)));
    machine.registry.CreateKeyPath(std::string(kCompilersKey) + "\\A\\sub\\deeper");
  };
  WalkFaults(setUp, [](CRegOrvikPkgApp& app) { return app.UnregisterAllCompilers(); },
             [](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
               if (result) {
                 EXPECT_FALSE(machine.registry.KeyExists(kCompilersKey));
               }
               EXPECT_TRUE(machine.registry.KeyExists(kToolKey));
             });
  const auto unregisterBoth = [](CRegOrvikPkgApp& app) {
    return app.UnregisterCompiler("A") && app.UnregisterCompiler("B");
  };
  const auto setUpWithoutSubkeys = [](memory::MemoryPlatform&, CRegOrvikPkgApp& app) {
    for (const char* name : {"A", "B"}) ASSERT_TRUE(app.RegisterCompiler(Compiler(name)));
  };
  WalkFaults(setUpWithoutSubkeys, unregisterBoth, [](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
    if (result) {
      EXPECT_FALSE(machine.registry.KeyExists(kCompilersKey));
    }
    EXPECT_TRUE(machine.registry.KeyExists(kToolKey));
  });
  WalkFaults(setUpWithoutSubkeys, [](CRegOrvikPkgApp& app) { return app.SetDefaultCompiler("B"); },
             [](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
               const auto value = machine.registry.GetValue(kCompilersKey, "DefaultCompiler");
               if (result) {
                 EXPECT_TRUE(value && value->data == "B");
               }
             });
}

}  // namespace
}  // namespace unit
