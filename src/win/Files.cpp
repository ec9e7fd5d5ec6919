#include "win/Files.h"

#include <string>

#include "win/Log.h"

namespace {

// True when the file was read-only and no longer is.
bool ClearReadOnly(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  const bool cleared = SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
  LogResult(std::string("clear the read-only attribute of ") + path, "SetFileAttributesA",
            cleared ? ERROR_SUCCESS : GetLastError());
  return cleared;
}

// Runs the call; when the system refused because the target is read-only,
// clears that and runs it once more. The target of a call that succeeded is
// left writable. On failure the system's error is the last error.
template <typename Call>
BOOL IntoWritableTarget(const std::string& step, const char* name, const char* target, bool mayReplace, Call call) {
  BOOL done = call();
  DWORD error = done ? ERROR_SUCCESS : GetLastError();
  LogResult(step, name, error);
  if (!done && mayReplace && error == ERROR_ACCESS_DENIED && ClearReadOnly(target)) {
    done = call();
    error = done ? ERROR_SUCCESS : GetLastError();
    LogResult(step, name, error);
  }
  if (done) {
    ClearReadOnly(target);
  } else {
    SetLastError(error);
  }
  return done;
}

}  // namespace

BOOL CopyFileTo(const char* source, const char* target, BOOL failIfExists) {
  const std::string step = std::string("copy ") + source + " to " + target + (failIfExists ? " unless it exists" : "");
  return IntoWritableTarget(step, "CopyFileA", target, !failIfExists, [&] { return CopyFileA(source, target, failIfExists); });
}

BOOL MoveFileTo(const char* source, const char* target, DWORD flags) {
  const std::string step = std::string("move ") + source + " to " + target;
  return IntoWritableTarget(step, "MoveFileExA", target, (flags & MOVEFILE_REPLACE_EXISTING) != 0,
                            [&] { return MoveFileExA(source, target, flags); });
}
