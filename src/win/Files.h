#pragma once
// Copying and moving the spawners and their backups. A file the tool puts in
// place never keeps a read-only attribute from its source: a read-only
// vendor's spawner (copied from read-only media, say) would otherwise leave
// a vcspawn.exe that no later enable or disable could replace. A read-only
// file in the way is replaced like any other; where the system refuses to,
// its attribute is cleared and the call made once more.

#include <windows.h>

BOOL CopyFileTo(const char* source, const char* target, BOOL failIfExists);
BOOL MoveFileTo(const char* source, const char* target, DWORD flags);
