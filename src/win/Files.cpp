#include "win/Files.h"

namespace {

// True when the file was read-only and no longer is.
bool ClearReadOnly(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  return SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

// Runs the call; when the system refused because the target is read-only,
// clears that and runs it once more. The target of a call that succeeded is
// left writable. On failure the system's error is the last error.
template <typename Call>
BOOL IntoWritableTarget(const char* target, bool mayReplace, Call call) {
  BOOL done = call();
  if (!done && mayReplace && GetLastError() == ERROR_ACCESS_DENIED && ClearReadOnly(target)) done = call();
  if (done) ClearReadOnly(target);
  return done;
}

}  // namespace

BOOL CopyFileTo(const char* source, const char* target, BOOL failIfExists) {
  return IntoWritableTarget(target, !failIfExists, [&] { return CopyFileA(source, target, failIfExists); });
}

BOOL MoveFileTo(const char* source, const char* target, DWORD flags) {
  return IntoWritableTarget(target, (flags & MOVEFILE_REPLACE_EXISTING) != 0,
                            [&] { return MoveFileExA(source, target, flags); });
}
