#pragma once
// A file system in memory with the path rules of Windows: drive-letter paths
// such as C:\Dir\File.exe, names compared without regard to case, '/' taken
// for '\', "." and ".." resolved, relative paths (bare names too) taken from
// the current directory, a path starting with '\' from its drive's root, and
// trailing dots and blanks dropped from the last name. In code page 932 the
// second byte of a double-byte character is never a separator.
//
// CopyFileA and MoveFileExA fail the way Windows does: a missing source file
// is ERROR_FILE_NOT_FOUND, a missing directory on either side
// ERROR_PATH_NOT_FOUND, an existing target with fail-if-exists
// ERROR_FILE_EXISTS (MoveFileEx without MOVEFILE_REPLACE_EXISTING:
// ERROR_ALREADY_EXISTS), a directory where a file must be ERROR_ACCESS_DENIED,
// a file name with a trailing backslash ERROR_INVALID_NAME, a copy onto the
// source itself ERROR_SHARING_VIOLATION, and a move to another drive without
// MOVEFILE_COPY_ALLOWED ERROR_NOT_SAME_DEVICE (Wine allows that one when both
// drives lie on the same Unix file system). C:\ exists from the start and is
// the first current directory.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/memory/CodePage.h"

namespace memory {

class FaultPlan;

class MemoryFiles final : public platform::Files {
 public:
  MemoryFiles();

  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }
  void SetCodePage(const CodePage& codePage);

  bool CopyFile(const char* existing, const char* target, bool failIfExists) override;
  bool MoveFile(const char* existing, const char* target, std::uint32_t flags) override;
  std::uint32_t LastError() override { return lastError_; }
  std::uint32_t GetCurrentDirectory(std::uint32_t size, char* buffer) override;
  bool SetCurrentDirectory(const char* path) override;

  // Set-up and inspection; relative paths start at the current directory.
  // Writing a file makes the directories above it.
  void WriteFile(const std::string& path, const std::string& content);
  void MakeDirectory(const std::string& path);
  void Remove(const std::string& path);  // a file, or a directory with everything in it
  bool Exists(const std::string& path) const;
  bool IsFile(const std::string& path) const;
  bool IsDirectory(const std::string& path) const;
  std::optional<std::string> Read(const std::string& path) const;
  // The full path of an existing file as it was created (in its own case).
  std::optional<std::string> StoredFilePath(const std::string& path) const;
  // Every file, by its full path as it was created, in name order.
  std::vector<std::string> ListFiles() const;
  // Every directory and file with its size and content (long contents as a
  // checksum), one a line: a stable text for "nothing changed" assertions.
  std::string Dump() const;

  const std::string& CurrentDirectory() const { return currentDirectory_; }
  // The full path that `path` names, seen from `base` (a full directory path),
  // or from the current directory; empty when the path is empty.
  std::string FullPath(const std::string& path) const;
  std::string FullPath(const std::string& path, const std::string& base) const;
  // The directory part of a full path ("C:\a" for "C:\a\b"; "C:\" for "C:\a").
  std::string DirectoryOf(const std::string& fullPath) const;
  // Whether two paths name the same file or directory.
  bool SamePath(const std::string& a, const std::string& b) const { return KeyOf(FullPath(a)) == KeyOf(FullPath(b)); }
  // Whether two names are equal but for case, by the file system's rules.
  bool SameName(const std::string& a, const std::string& b) const { return KeyOf(a) == KeyOf(b); }
  // The file name part of a path.
  std::string FileNameOf(const std::string& path) const;

 private:
  struct Entry {
    std::string path;  // the full path, in the case it was created with
    bool directory = false;
    std::string content;
  };
  struct Resolved {
    std::string full;
    bool trailingSeparator = false;
  };

  Resolved Resolve(const std::string& path, const std::string& base) const;
  std::vector<std::uint32_t> KeyOf(const std::string& fullPath) const;
  const Entry* Find(const std::string& fullPath) const;
  bool DirectoryExists(const std::string& fullPath) const;
  bool Fail(long error);
  bool Succeed() { return true; }
  void MakeDirectories(const std::string& fullPath);
  bool MoveEntry(const std::string& from, const std::string& to);

  CodePage codePage_;
  FaultPlan* faults_ = nullptr;
  std::map<std::vector<std::uint32_t>, Entry> entries_;
  std::string currentDirectory_ = "C:\\";
  std::uint32_t lastError_ = 0;
};

}  // namespace memory
