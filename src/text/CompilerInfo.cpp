#include "text/CompilerInfo.h"

bool SamePaths(const CompilerInfo& info, const StoredCompiler& stored, int (*compareNoCase)(const char*, const char*)) {
  const std::string* pairs[][2] = {{&info.Executable, &stored.Executable},
                                   {&info.Include, &stored.Include},
                                   {&info.Library, &stored.Library},
                                   {&info.Documentation, &stored.Documentation},
                                   {&info.DefaultOptions, &stored.DefaultOptions}};
  for (const auto& pair : pairs) {
    if (compareNoCase(pair[0]->c_str(), pair[1]->c_str()) != 0) return false;
  }
  return true;
}
