// The in-memory file system against what CopyFileA, MoveFileExA and the
// current-directory calls were seen to do under Wine.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "platform/memory/MemoryFiles.h"

namespace {

using ::testing::ElementsAre;

class MemoryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.WriteFile("C:\\mp\\a.txt", "A");
    files_.WriteFile("C:\\mp\\b.txt", "B");
    files_.MakeDirectory("C:\\mp\\d");
    ASSERT_TRUE(files_.SetCurrentDirectory("C:\\mp"));
  }

  memory::MemoryFiles files_;
};

TEST_F(MemoryFilesTest, CopyFailsLikeWindows) {
  const struct {
    const char* from;
    const char* to;
    bool failIfExists;
    long error;
  } cases[] = {
      {"C:\\mp\\nope.txt", "C:\\mp\\c.txt", true, win::kErrorFileNotFound},
      {"C:\\mp\\nodir\\x.txt", "C:\\mp\\c.txt", true, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "C:\\mp\\nodir\\c.txt", true, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "C:\\mp\\b.txt", true, win::kErrorFileExists},
      {"C:\\mp\\a.txt", "C:\\mp\\d", false, win::kErrorAccessDenied},
      {"C:\\mp\\d", "C:\\mp\\e.txt", false, win::kErrorAccessDenied},
      {"C:\\mp\\a.txt", "C:\\mp\\A.TXT", false, win::kErrorSharingViolation},
      {"C:\\mp\\a.txt", "C:\\mp\\a.txt", true, win::kErrorFileExists},
      {"", "C:\\mp\\e.txt", false, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "", false, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "C:\\mp\\f.txt\\", false, win::kErrorInvalidName},
      {"C:\\mp\\b.txt", "C:\\mp\\b.txt\\x", false, win::kErrorPathNotFound},
  };
  const std::string before = files_.Dump();
  for (const auto& c : cases) {
    EXPECT_FALSE(files_.CopyFile(c.from, c.to, c.failIfExists)) << c.from << " -> " << c.to;
    EXPECT_EQ(static_cast<std::uint32_t>(c.error), files_.LastError()) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(before, files_.Dump());
}

TEST_F(MemoryFilesTest, RelativeAndOddlyWrittenPathsResolveLikeWindows) {
  const struct {
    const char* from;
    const char* to;
    const char* made;
  } cases[] = {
      {"b.txt", "bare.txt", "C:\\mp\\bare.txt"},
      {"C:b.txt", "C:bare2.txt", "C:\\mp\\bare2.txt"},
      {"..\\mp\\b.txt", ".\\bare3.txt", "C:\\mp\\bare3.txt"},
      {"C:/mp/b.txt", "C:/mp/bare4.txt", "C:\\mp\\bare4.txt"},
      {"\\mp\\b.txt", "\\mp\\bare5.txt", "C:\\mp\\bare5.txt"},
      {"C:\\mp\\\\b.txt", "C:\\mp\\\\bare6.txt", "C:\\mp\\bare6.txt"},
      {"C:\\mp\\b.txt", "C:\\mp\\dot.", "C:\\mp\\dot"},
      {"C:\\mp\\b.txt", "C:\\mp\\sp ", "C:\\mp\\sp"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(files_.CopyFile(c.from, c.to, false)) << c.from << " -> " << c.to;
    EXPECT_EQ("B", files_.Read(c.made).value_or("missing")) << c.made;
  }
}

TEST_F(MemoryFilesTest, MoveFailsLikeWindows) {
  const struct {
    const char* from;
    const char* to;
    std::uint32_t flags;
    long error;
  } cases[] = {
      {"C:\\mp\\nope.txt", "C:\\mp\\h.txt", 3, win::kErrorFileNotFound},
      {"C:\\mp\\nodir\\x", "C:\\mp\\h.txt", 3, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "C:\\mp\\b.txt", 0, win::kErrorAlreadyExists},
      {"C:\\mp\\a.txt", "C:\\mp\\b.txt", win::kMoveFileCopyAllowed, win::kErrorAlreadyExists},
      {"C:\\mp\\a.txt", "C:\\mp\\nodir\\b.txt", 3, win::kErrorPathNotFound},
      {"C:\\mp\\a.txt", "C:\\mp\\d", 3, win::kErrorAccessDenied},
      {"C:\\mp\\a.txt", "D:\\a.txt", win::kMoveFileReplaceExisting, win::kErrorNotSameDevice},
  };
  files_.MakeDirectory("D:\\");
  const std::string before = files_.Dump();
  for (const auto& c : cases) {
    EXPECT_FALSE(files_.MoveFile(c.from, c.to, c.flags)) << c.from << " -> " << c.to;
    EXPECT_EQ(static_cast<std::uint32_t>(c.error), files_.LastError()) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(before, files_.Dump());
}

TEST_F(MemoryFilesTest, MoveReplacesRenamesAndCrossesDrivesWhenAllowed) {
  files_.MakeDirectory("D:\\");
  EXPECT_TRUE(files_.MoveFile("C:\\mp\\a.txt", "C:\\mp\\b.txt", 3));
  EXPECT_EQ("A", files_.Read("C:\\mp\\b.txt"));
  EXPECT_FALSE(files_.Exists("C:\\mp\\a.txt"));
  EXPECT_TRUE(files_.MoveFile("C:\\mp\\b.txt", "C:\\mp\\B.TXT", 3));  // onto itself: the case changes
  EXPECT_TRUE(files_.MoveFile("C:\\mp\\B.TXT", "D:\\moved.txt", 3));
  files_.WriteFile("C:\\mp\\d\\inner.txt", "I");
  EXPECT_TRUE(files_.MoveFile("C:\\mp\\d", "C:\\mp\\e", 0));
  EXPECT_FALSE(files_.MoveFile("C:\\mp\\e", "C:\\mp\\e\\f", 0));
  EXPECT_THAT(files_.ListFiles(), ElementsAre("C:\\mp\\e\\inner.txt", "D:\\moved.txt"));
}

TEST_F(MemoryFilesTest, CurrentDirectoryFollowsTheWindowsRules) {
  const struct {
    const char* path;
    long error;
  } refused[] = {
      {"C:\\mp\\nodir", win::kErrorFileNotFound},
      {"C:\\mp\\nodir\\deeper", win::kErrorPathNotFound},
      {"C:\\mp\\b.txt", win::kErrorDirectory},
      {"C:\\mp\\b.txt\\", win::kErrorInvalidName},
      {"", win::kErrorInvalidName},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(files_.SetCurrentDirectory(c.path)) << c.path;
    EXPECT_EQ(static_cast<std::uint32_t>(c.error), files_.LastError()) << c.path;
  }
  EXPECT_TRUE(files_.SetCurrentDirectory("D\\"));  // relative, and kept in the case given
  EXPECT_EQ("C:\\mp\\D", files_.CurrentDirectory());
  EXPECT_TRUE(files_.SetCurrentDirectory("c:\\MP"));
  EXPECT_EQ("c:\\MP", files_.CurrentDirectory());
  EXPECT_TRUE(files_.SetCurrentDirectory("D\\.."));
  EXPECT_EQ("c:\\MP", files_.CurrentDirectory());
  ASSERT_TRUE(files_.SetCurrentDirectory("C:\\mp"));

  char buffer[16] = "xxxxxxxxxxxxxxx";
  EXPECT_EQ(6u, files_.GetCurrentDirectory(0, nullptr));
  EXPECT_EQ(6u, files_.GetCurrentDirectory(5, buffer));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(5u, files_.GetCurrentDirectory(6, buffer));
  EXPECT_STREQ("C:\\mp", buffer);
  EXPECT_TRUE(files_.SetCurrentDirectory("C:\\"));
  EXPECT_EQ(3u, files_.GetCurrentDirectory(sizeof buffer, buffer));
}

TEST_F(MemoryFilesTest, InCodePage932ABackslashTrailByteIsPartOfTheName) {
  files_.SetCodePage(memory::CodePage(932));
  // 0x95 0x5C is one character; the directory is C:\mp\<it>.
  files_.WriteFile("C:\\mp\\\x95\x5C\\f.txt", "F");
  EXPECT_TRUE(files_.IsDirectory("C:\\mp\\\x95\x5C"));
  EXPECT_EQ("C:\\mp\\\x95\x5C", files_.DirectoryOf("C:\\mp\\\x95\x5C\\f.txt"));
  EXPECT_EQ("\x95\x5C", files_.FileNameOf("C:\\mp\\\x95\x5C"));
  EXPECT_TRUE(files_.CopyFile("\x95\x5C\\f.txt", "\x95\x5C\\g.txt", true));
}

}  // namespace
