#pragma once
// One compiler of the compiler list, as "/RegCompiler" gives it.

#include <string>

struct CompilerInfo {
  std::string Name;
  std::string Executable;
  std::string Include;
  std::string Library;
  std::string Documentation;
  std::string TargetPlatform;
  std::string DefaultOptions;
};

// The paths and options of a compiler as they are stored, for the update
// question: a documentation path that could not be read counts as empty.
struct StoredCompiler {
  std::string Executable;
  std::string Include;
  std::string Library;
  std::string Documentation;
  std::string DefaultOptions;
};

// True when the record's paths and options equal the stored ones, letter
// case aside (compareNoCase follows the system code page). The target
// platform takes no part: changing it alone asks nothing.
bool SamePaths(const CompilerInfo& info, const StoredCompiler& stored, int (*compareNoCase)(const char*, const char*));
