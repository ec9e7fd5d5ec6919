// The registry behaviours the program relies on, asserted through the seam
// alone, so that the same tests hold the in-memory registry and the real one
// to the same answers. Everything happens below a scratch key that each test
// creates empty and removes again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RegistryUnderTest.h"
#include "platform/WinConstants.h"

namespace {

using platform::KeyHandle;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const char kScratch[] = "Software\\RegOrvikPkgConformance";

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    handlesBefore_ = conformance::OpenKeyHandles();
    RemoveTree(platform::LocalMachine(), kScratch);
    ASSERT_EQ(win::kErrorSuccess, reg_.CreateKey(platform::LocalMachine(), kScratch, win::kKeyAllAccess, &scratch_));
  }

  void TearDown() override {
    EXPECT_EQ(win::kErrorSuccess, reg_.CloseKey(scratch_));
    RemoveTree(platform::LocalMachine(), kScratch);
    if (handlesBefore_) {
      EXPECT_EQ(*handlesBefore_, *conformance::OpenKeyHandles()) << "a key handle leaked";
    }
  }

  // Deletes a key and everything below it, depth first.
  void RemoveTree(KeyHandle parent, const std::string& path) {
    KeyHandle key = nullptr;
    if (reg_.OpenKey(parent, path.c_str(), win::kKeyAllAccess, &key) != win::kErrorSuccess) return;
    for (const std::string& name : Subkeys(key)) RemoveTree(key, name);
    reg_.CloseKey(key);
    EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(parent, path.c_str())) << path;
  }

  std::vector<std::string> Subkeys(KeyHandle key) {
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
      char name[260];
      std::uint32_t size = sizeof name;
      const long result = reg_.EnumKey(key, index, name, &size);
      if (result != win::kErrorSuccess) {
        EXPECT_EQ(win::kErrorNoMoreItems, result);
        return names;
      }
      names.emplace_back(name, size);
    }
  }

  // Creates a key below the scratch key and closes it again.
  void Make(const std::string& path) {
    KeyHandle key = nullptr;
    ASSERT_EQ(win::kErrorSuccess, reg_.CreateKey(scratch_, path.c_str(), win::kKeyAllAccess, &key)) << path;
    reg_.CloseKey(key);
  }

  long Open(const std::string& path, std::uint32_t access = win::kKeyRead) {
    KeyHandle key = nullptr;
    const long result = reg_.OpenKey(scratch_, path.c_str(), access, &key);
    if (result == win::kErrorSuccess) reg_.CloseKey(key);
    return result;
  }

  long Set(KeyHandle key, const char* name, std::uint32_t type, const std::string& bytes) {
    return reg_.SetValue(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  }

  struct Read {
    long result;
    std::uint32_t type;
    std::uint32_t size;
    std::string buffer;  // the whole buffer after the call
  };

  // Reads a value into a buffer of `capacity` bytes filled with 'x' first.
  Read Query(KeyHandle key, const char* name, std::uint32_t capacity) {
    Read read{0, 0xFFFF, capacity, std::string(capacity, 'x')};
    read.result = reg_.QueryValue(key, name, &read.type, &read.buffer[0], &read.size);
    return read;
  }

  platform::Registry& reg_ = conformance::RegistryUnderTest();
  KeyHandle scratch_ = nullptr;
  std::optional<int> handlesBefore_;
};

std::string Dword(std::uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(&bytes[0], &value, 4);
  return bytes;
}

TEST_F(RegistryConformance, KeyNamesIgnoreCaseAndKeepTheCaseOfTheirCreation) {
  Make("MixedCase");
  Make("MIXEDCASE\\Inner");
  EXPECT_EQ(win::kErrorSuccess, Open("mixedcase\\INNER"));
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("MixedCase"));
}

TEST_F(RegistryConformance, SubkeysEnumerateSortedByTheirLowerCasedNames) {
  // Characters between 'Z' and 'a' sort before the letters, so the registry
  // folds to lower case; digits and punctuation come first.
  const std::vector<std::string> sorted = {" sp", "!", "+", "-", "1", "9z", "[b", "]x", "^c", "_u", "`g", "A", "a1",
                                           "a[",  "a_", "a`", "aZ", "b", "e", "f", "Z_", "Zed", "zz", "{", "|", "~t"};
  for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) Make(*it);
  EXPECT_THAT(Subkeys(scratch_), ElementsAreArray(sorted));
}

TEST_F(RegistryConformance, WesternLettersFoldAndSortThroughUnicode) {
  if (conformance::AnsiCodePage() != 1252) GTEST_SKIP() << "needs code page 1252";
  // Latin-1 letters fold like ASCII ones; the bytes 0x80-0x9F sort by their
  // Unicode values (0x8A is U+0160, 0x80 the euro sign U+20AC).
  const std::vector<std::string> sorted = {"\xa0", "\xb5", "\xd7", "\xdf", "\xc0", "\xe9", "\xf7", "\xff", "\x8a", "\x80"};
  for (const std::string& name : sorted) Make(name);
  EXPECT_THAT(Subkeys(scratch_), ElementsAreArray(sorted));
  EXPECT_EQ(win::kErrorSuccess, Open("\xc9"));  // É opens é
  EXPECT_EQ(win::kErrorSuccess, Open("\x9f"));  // Ÿ opens ÿ
  EXPECT_EQ(win::kErrorFileNotFound, Open("ss"));
}

TEST_F(RegistryConformance, JapaneseNamesAreWholeCharactersAndFullWidthLettersFold) {
  if (conformance::AnsiCodePage() != 932) GTEST_SKIP() << "needs code page 932";
  // 0x95 0x5C is one character whose second byte is a backslash.
  Make("\x95\x5C\\inner");
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("\x95\x5C"));
  EXPECT_EQ(win::kErrorSuccess, Open("\x95\x5C\\INNER"));
  Make("\x82\x60");                                   // full-width A
  EXPECT_EQ(win::kErrorSuccess, Open("\x82\x81"));  // full-width a
  // Name limits count characters: 129 double-byte characters (258 bytes) make
  // a valid name, which an enumeration returns whole through 260 bytes.
  std::string wide;
  for (int i = 0; i < 129; ++i) wide += "\x88\x9f";
  Make(wide);
  EXPECT_EQ(win::kErrorSuccess, Open(wide));
}

TEST_F(RegistryConformance, EnumerationIndicesStayStableUntilAKeyIsAddedOrDeleted) {
  for (const char* name : {"delta", "Alpha", "charlie"}) Make(name);
  const std::vector<std::string> first = Subkeys(scratch_);
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "value", win::kRegDword, Dword(1)));
  EXPECT_EQ(first, Subkeys(scratch_));
  Make("bravo");
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("Alpha", "bravo", "charlie", "delta"));
  ASSERT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, "Alpha"));
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("bravo", "charlie", "delta"));
}

TEST_F(RegistryConformance, EnumerationPastTheLastSubkeyGivesNoMoreItems) {
  char name[260];
  std::uint32_t size = sizeof name;
  EXPECT_EQ(win::kErrorNoMoreItems, reg_.EnumKey(scratch_, 0, name, &size));
  Make("only");
  for (std::uint32_t index : {1u, 2u, 0xFFFFFFFFu}) {
    size = sizeof name;
    EXPECT_EQ(win::kErrorNoMoreItems, reg_.EnumKey(scratch_, index, name, &size)) << index;
  }
}

TEST_F(RegistryConformance, AnEnumeratedNameNeedsRoomForItsTerminator) {
  Make("abcd");
  struct Case {
    std::uint32_t capacity;
    long result;
    std::uint32_t sizeAfter;
  };
  for (const Case& c : {Case{3, win::kErrorMoreData, 3}, Case{4, win::kErrorMoreData, 4}, Case{5, 0, 4},
                        Case{260, 0, 4}}) {
    char name[260];
    std::memset(name, 'x', sizeof name);
    std::uint32_t size = c.capacity;
    EXPECT_EQ(c.result, reg_.EnumKey(scratch_, 0, name, &size)) << c.capacity;
    EXPECT_EQ(c.sizeAfter, size) << c.capacity;
    if (c.result == win::kErrorSuccess) {
      EXPECT_STREQ("abcd", name);
    }
  }
}

TEST_F(RegistryConformance, KeyNamesOfUpTo256CharactersAreEnumeratedWhole) {
  for (std::size_t length : {255u, 256u}) {
    const std::string longName(length, 'k');
    Make(longName);
    EXPECT_THAT(Subkeys(scratch_), ElementsAre(longName));
    ASSERT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, longName.c_str()));
  }
}

TEST_F(RegistryConformance, AbsentKeysAndValuesAreNotFound) {
  Make("present");
  EXPECT_EQ(win::kErrorFileNotFound, Open("absent"));
  EXPECT_EQ(win::kErrorFileNotFound, Open("absent\\deeper"));
  EXPECT_EQ(win::kErrorFileNotFound, Open("present\\absent"));
  EXPECT_EQ(win::kErrorFileNotFound, Query(scratch_, "absent", 16).result);
  EXPECT_EQ(win::kErrorFileNotFound, Query(scratch_, "", 16).result);
  EXPECT_EQ(win::kErrorFileNotFound, reg_.DeleteKey(scratch_, "absent"));
}

TEST_F(RegistryConformance, ValueNamesIgnoreCase) {
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "Enabled", win::kRegDword, Dword(1)));
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "ENABLED", win::kRegDword, Dword(2)));
  const Read read = Query(scratch_, "enabled", 4);
  EXPECT_EQ(win::kErrorSuccess, read.result);
  EXPECT_EQ(Dword(2), read.buffer);
}

TEST_F(RegistryConformance, TheDefaultValueHasTheEmptyName) {
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, nullptr, win::kRegSz, "default"));
  const Read read = Query(scratch_, "", 16);
  EXPECT_EQ(win::kErrorSuccess, read.result);
  EXPECT_EQ("default", read.buffer.substr(0, read.size));
}

TEST_F(RegistryConformance, ATooSmallBufferGivesMoreDataWithTheSizeNeededAndIsLeftAlone) {
  struct Case {
    std::uint32_t type;
    std::string data;
    std::uint32_t capacity;
  };
  for (const Case& c : {Case{win::kRegSz, std::string(261, 's'), 260}, Case{win::kRegDword, Dword(7), 3},
                        Case{win::kRegBinary, "\x01\x02\x03\x04\x05\x06", 4}, Case{win::kRegSz, "ab", 0}}) {
    ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "v", c.type, c.data));
    const Read read = Query(scratch_, "v", c.capacity);
    EXPECT_EQ(win::kErrorMoreData, read.result) << c.type;
    EXPECT_EQ(c.data.size(), read.size) << c.type;
    EXPECT_EQ(c.type, read.type);
    EXPECT_EQ(std::string(c.capacity, 'x'), read.buffer) << c.type;
  }
}

TEST_F(RegistryConformance, AQueryWithoutABufferGivesTheSize) {
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "v", win::kRegSz, std::string(300, 'q')));
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(win::kErrorSuccess, reg_.QueryValue(scratch_, "v", &type, nullptr, &size));
  EXPECT_EQ(300u, size);
  EXPECT_EQ(win::kRegSz, type);
}

// The text values the program writes hold exactly the text's bytes, and the
// program reads them through a 260-byte buffer.
TEST_F(RegistryConformance, TextIsStoredWithExactlyTheBytesGiven) {
  struct Case {
    std::size_t length;
    long result;
    bool zeroAfterData;  // room was left, and the system wrote a terminator there
  };
  for (const Case& c : {Case{0, 0, false}, Case{1, 0, true}, Case{259, 0, true}, Case{260, 0, false},
                        Case{261, win::kErrorMoreData, false}}) {
    // The string's own terminator sits right after the data, where the system
    // would take it for part of the value if the seam let it.
    const std::string text(c.length, 't');
    ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "text", win::kRegSz, text));
    const Read read = Query(scratch_, "text", 260);
    EXPECT_EQ(c.result, read.result) << c.length;
    EXPECT_EQ(c.length, read.size) << c.length;
    if (c.result != win::kErrorSuccess) continue;
    EXPECT_EQ(text, read.buffer.substr(0, c.length));
    if (c.length < 260) {
      EXPECT_EQ(c.zeroAfterData ? '\0' : 'x', read.buffer[c.length]) << c.length;
    }
  }
}

TEST_F(RegistryConformance, TextEndingInAZeroIsStoredAndReadWithIt) {
  ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "v", win::kRegSz, std::string("abc\0", 4)));
  EXPECT_EQ(win::kErrorMoreData, Query(scratch_, "v", 3).result);
  const Read read = Query(scratch_, "v", 8);
  EXPECT_EQ(4u, read.size);
  EXPECT_EQ(std::string("abc\0xxxx", 8), read.buffer);
}

TEST_F(RegistryConformance, OnlyTextTypesGetATerminatorWhereTheBufferHasRoom) {
  struct Case {
    std::uint32_t type;
    char afterData;
  };
  for (const Case& c : {Case{win::kRegSz, '\0'}, Case{win::kRegExpandSz, '\0'}, Case{win::kRegMultiSz, '\0'},
                        Case{win::kRegBinary, 'x'}, Case{win::kRegNone, 'x'}}) {
    ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "v", c.type, "abc"));
    const Read read = Query(scratch_, "v", 8);
    EXPECT_EQ(win::kErrorSuccess, read.result);
    EXPECT_EQ(3u, read.size);
    EXPECT_EQ(c.type, read.type);
    EXPECT_EQ(c.afterData, read.buffer[3]) << c.type;
  }
}

TEST_F(RegistryConformance, DwordAndBinaryValuesKeepTheirSizes) {
  struct Case {
    std::uint32_t type;
    std::string data;
  };
  for (const Case& c : {Case{win::kRegDword, Dword(0x01020304)}, Case{win::kRegBinary, ""},
                        Case{win::kRegBinary, std::string("\0\1\2\3\4\5\6\7\x08\x09", 10)}}) {
    ASSERT_EQ(win::kErrorSuccess, Set(scratch_, "v", c.type, c.data));
    const Read read = Query(scratch_, "v", 16);
    EXPECT_EQ(win::kErrorSuccess, read.result);
    EXPECT_EQ(c.type, read.type);
    EXPECT_EQ(c.data, read.buffer.substr(0, read.size));
  }
}

TEST_F(RegistryConformance, ValueNamesMayHoldUpTo16383Characters) {
  const std::string longest(16383, 'v');
  const std::string tooLong(16384, 'v');
  EXPECT_EQ(win::kErrorSuccess, Set(scratch_, longest.c_str(), win::kRegDword, Dword(1)));
  EXPECT_EQ(win::kErrorSuccess, Query(scratch_, longest.c_str(), 4).result);
  EXPECT_EQ(win::kErrorInvalidParameter, Set(scratch_, tooLong.c_str(), win::kRegDword, Dword(1)));
  EXPECT_EQ(win::kErrorFileNotFound, Query(scratch_, tooLong.c_str(), 4).result);
}

TEST_F(RegistryConformance, CreateMakesEveryMissingKeyOnTheWay) {
  Make("one\\two\\three");
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("one"));
  EXPECT_EQ(win::kErrorSuccess, Open("one\\two\\three"));
  EXPECT_EQ(win::kErrorSuccess, Open("one\\two"));
}

TEST_F(RegistryConformance, EmptyComponentsOfAPathAreSkipped) {
  Make("A\\B");
  Make("made\\");
  Make("also\\\\made\\\\");
  for (const char* path : {"A\\B\\", "A\\B\\\\", "A\\\\B", "a\\b"}) EXPECT_EQ(win::kErrorSuccess, Open(path)) << path;
  EXPECT_THAT(Subkeys(scratch_), ElementsAre("A", "also", "made"));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, "A\\B\\"));
  EXPECT_EQ(win::kErrorFileNotFound, Open("A\\B"));
}

TEST_F(RegistryConformance, APathStartingWithABackslashIsRefused) {
  KeyHandle key = nullptr;
  const std::string rooted = std::string("\\") + kScratch;
  EXPECT_EQ(win::kErrorBadPathname, reg_.OpenKey(platform::LocalMachine(), rooted.c_str(), win::kKeyRead, &key));
  EXPECT_EQ(win::kErrorBadPathname,
            reg_.CreateKey(platform::LocalMachine(), (rooted + "\\new").c_str(), win::kKeyAllAccess, &key));
}

TEST_F(RegistryConformance, NamesAndPathsHaveLengthLimits) {
  // A key name holds at most 256 characters; a path handed to the ANSI
  // functions at most 260.
  const std::string longestName(256, 'n');
  const std::string tooLongName(257, 'n');
  Make(longestName);
  EXPECT_EQ(win::kErrorSuccess, Open(longestName));
  KeyHandle key = nullptr;
  EXPECT_EQ(win::kErrorInvalidParameter, reg_.CreateKey(scratch_, tooLongName.c_str(), win::kKeyAllAccess, &key));
  EXPECT_EQ(win::kErrorInvalidParameter, Open(tooLongName));
  EXPECT_EQ(win::kErrorInvalidParameter, reg_.DeleteKey(scratch_, tooLongName.c_str()));

  const std::string longestPath = "p\\" + std::string(200, 'q') + "\\" + std::string(57, 'r');
  const std::string tooLongPath = longestPath + "r";
  ASSERT_EQ(260u, longestPath.size());
  Make(longestPath);
  EXPECT_EQ(win::kErrorSuccess, Open(longestPath));
  EXPECT_EQ(win::kErrorMoreData, reg_.CreateKey(scratch_, tooLongPath.c_str(), win::kKeyAllAccess, &key));
  EXPECT_EQ(win::kErrorMoreData, Open(tooLongPath));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, longestPath.c_str()));
}

TEST_F(RegistryConformance, AKeyWithSubkeysCannotBeDeleted) {
  Make("parent\\child");
  EXPECT_EQ(win::kErrorAccessDenied, reg_.DeleteKey(scratch_, "parent"));
  EXPECT_EQ(win::kErrorSuccess, Open("parent\\child"));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, "parent\\child"));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, "PARENT"));
  EXPECT_THAT(Subkeys(scratch_), ElementsAre());
}

TEST_F(RegistryConformance, AKeyIsDeletedWithItsValues) {
  KeyHandle key = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.CreateKey(scratch_, "valued", win::kKeyAllAccess, &key));
  ASSERT_EQ(win::kErrorSuccess, Set(key, "v", win::kRegDword, Dword(1)));
  reg_.CloseKey(key);
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(scratch_, "valued"));
  Make("valued");
  EXPECT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "valued", win::kKeyRead, &key));
  EXPECT_EQ(win::kErrorFileNotFound, Query(key, "v", 4).result);
  reg_.CloseKey(key);
}

TEST_F(RegistryConformance, AnEmptyNameDeletesTheOpenedKeyAndItsHandlesThenSeeItDeleted) {
  Make("doomed");
  KeyHandle full = nullptr;
  KeyHandle reader = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "doomed", win::kKeyAllAccess, &full));
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "doomed", win::kKeyRead, &reader));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(full, ""));
  EXPECT_EQ(win::kErrorFileNotFound, Open("doomed"));

  char name[260];
  std::uint32_t size = sizeof name;
  KeyHandle other = nullptr;
  EXPECT_EQ(win::kErrorKeyDeleted, Query(reader, "v", 4).result);
  EXPECT_EQ(win::kErrorKeyDeleted, reg_.EnumKey(reader, 0, name, &size));
  EXPECT_EQ(win::kErrorKeyDeleted, Set(full, "v", win::kRegDword, Dword(1)));
  EXPECT_EQ(win::kErrorKeyDeleted, reg_.OpenKey(full, "", win::kKeyRead, &other));
  EXPECT_EQ(win::kErrorKeyDeleted, reg_.OpenKey(full, "absent", win::kKeyRead, &other));
  EXPECT_EQ(win::kErrorKeyDeleted, reg_.CreateKey(full, "sub", win::kKeyAllAccess, &other));
  EXPECT_EQ(win::kErrorKeyDeleted, reg_.DeleteKey(full, ""));

  // A key made again under the same name is a new key; the old handles stay dead.
  Make("doomed");
  EXPECT_EQ(win::kErrorKeyDeleted, Query(reader, "v", 4).result);
  EXPECT_EQ(win::kErrorSuccess, reg_.CloseKey(full));
  EXPECT_EQ(win::kErrorSuccess, reg_.CloseKey(reader));
}

TEST_F(RegistryConformance, DeletingTheKeyItselfDoesNotDependOnTheRightsOfItsHandle) {
  // The system reopens the key for deletion instead of using the handle.
  Make("gone");
  KeyHandle reader = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "gone", win::kKeyRead, &reader));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(reader, ""));
  EXPECT_EQ(win::kErrorFileNotFound, Open("gone"));
  reg_.CloseKey(reader);
}

TEST_F(RegistryConformance, AHandleAllowsWhatItWasOpenedFor) {
  Make("sub\\child");
  KeyHandle reader = nullptr;
  KeyHandle writer = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "sub", win::kKeyRead, &reader));
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "sub", win::kKeySetValue, &writer));
  char name[260];
  std::uint32_t size = sizeof name;
  EXPECT_EQ(win::kErrorAccessDenied, Set(reader, "v", win::kRegDword, Dword(1)));
  EXPECT_EQ(win::kErrorSuccess, Set(writer, "v", win::kRegDword, Dword(1)));
  EXPECT_EQ(win::kErrorAccessDenied, Query(writer, "v", 4).result);
  EXPECT_EQ(win::kErrorAccessDenied, reg_.EnumKey(writer, 0, name, &size));
  EXPECT_EQ(win::kErrorSuccess, Query(reader, "v", 4).result);
  // Opening, creating and deleting below a key do not depend on its handle's rights.
  KeyHandle created = nullptr;
  EXPECT_EQ(win::kErrorSuccess, reg_.CreateKey(reader, "made", win::kKeyAllAccess, &created));
  reg_.CloseKey(created);
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(reader, "made"));
  EXPECT_EQ(win::kErrorSuccess, reg_.DeleteKey(writer, "child"));
  reg_.CloseKey(reader);
  reg_.CloseKey(writer);
}

TEST_F(RegistryConformance, OpeningTheEmptyPathGivesASecondHandleToTheSameKey) {
  KeyHandle again = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "", win::kKeyAllAccess, &again));
  EXPECT_NE(scratch_, again);
  ASSERT_EQ(win::kErrorSuccess, Set(again, "v", win::kRegDword, Dword(5)));
  EXPECT_EQ(Dword(5), Query(scratch_, "v", 4).buffer);
  EXPECT_EQ(win::kErrorSuccess, reg_.CloseKey(again));
}

TEST_F(RegistryConformance, ClosedAndUnknownHandlesAreInvalid) {
  KeyHandle key = nullptr;
  ASSERT_EQ(win::kErrorSuccess, reg_.OpenKey(scratch_, "", win::kKeyRead, &key));
  ASSERT_EQ(win::kErrorSuccess, reg_.CloseKey(key));
  EXPECT_EQ(win::kErrorInvalidHandle, reg_.CloseKey(key));
  EXPECT_EQ(win::kErrorInvalidHandle, Query(key, "v", 4).result);
  EXPECT_EQ(win::kErrorInvalidHandle, reg_.CloseKey(nullptr));
  EXPECT_EQ(win::kErrorSuccess, reg_.CloseKey(platform::LocalMachine()));
}

}  // namespace
