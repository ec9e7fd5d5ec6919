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
