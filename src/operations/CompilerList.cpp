#include "operations/CompilerList.h"

#include <vector>

#include "resource.h"
#include "text/Format.h"
#include "text/Messages.h"
#include "text/RegistryLocations.h"
#include "win/RegKey.h"
#include "win/SystemCodePage.h"
#include "win/UserInterface.h"

namespace {

// The six values of a compiler in the order they are written.
const struct {
  const char* name;
  std::string CompilerInfo::*field;
} kWrittenValues[] = {
    {kExecutable, &CompilerInfo::Executable},   {kInclude, &CompilerInfo::Include},
    {kLibrary, &CompilerInfo::Library},         {kDocumentation, &CompilerInfo::Documentation},
    {kTargetPlatform, &CompilerInfo::TargetPlatform}, {kDefaultOptions, &CompilerInfo::DefaultOptions},
};

// The stored values an update compares with the record, in the order they
// are read. The documentation path may be missing or of any type (unread, it
// counts as empty); the others must be text. The target platform takes no
// part: changing it alone asks nothing.
const struct {
  const char* name;
  std::string CompilerInfo::*field;
  bool required;
} kComparedValues[] = {
    {kExecutable, &CompilerInfo::Executable, true},
    {kInclude, &CompilerInfo::Include, true},
    {kLibrary, &CompilerInfo::Library, true},
    {kDocumentation, &CompilerInfo::Documentation, false},
    {kDefaultOptions, &CompilerInfo::DefaultOptions, true},
};

enum class Stored { Absent, Same, Different, Failed };

// Compares the record with the compiler stored at `path`, letter case aside
// as the system code page has it. A required value that cannot be read fails
// the comparison even after one that differs.
Stored CompareWithStored(const std::string& path, const CompilerInfo& info) {
  RegKey key;
  const LONG opened = key.Open(path, KEY_ALL_ACCESS);
  if (opened == ERROR_FILE_NOT_FOUND) return Stored::Absent;
  if (opened != ERROR_SUCCESS) return Stored::Failed;

  bool same = true;
  for (const auto& value : kComparedValues) {
    std::string stored;
    DWORD type = REG_NONE;
    const LONG read = key.ReadText(value.name, kValueBufferSize, stored, &type);
    if (value.required && (read != ERROR_SUCCESS || type != REG_SZ)) return Stored::Failed;
    if (CompareNoCase((info.*value.field).c_str(), stored.c_str()) != 0) same = false;
  }
  if (same) return Stored::Same;
  return key.Close() == ERROR_SUCCESS ? Stored::Different : Stored::Failed;
}

// True when the key opens with full access and closes again: a compiler
// must be registered before it can be unregistered or selected.
bool OpensAndCloses(const std::string& path) {
  RegKey key;
  return key.Open(path, KEY_ALL_ACCESS) == ERROR_SUCCESS && key.Close() == ERROR_SUCCESS;
}

// Deletes CompilersKey from ToolKey once nothing is left below it;
// DefaultCompiler goes with it, ToolKey stays.
bool DeleteCompilersKey() {
  RegKey tool;
  if (tool.Open(ToolKey(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  if (tool.DeleteKey(kCompilersName) != ERROR_SUCCESS) return false;
  return tool.Close() == ERROR_SUCCESS;
}

}  // namespace

bool RegisterCompiler(const CompilerInfo& info, const Speaker& speaker) {
  const std::string path = CompilerKey(info.Name);
  if (speaker.MayAsk()) {
    switch (CompareWithStored(path, info)) {
      case Stored::Absent:
      case Stored::Same:
        break;
      case Stored::Failed:
        return false;
      case Stored::Different:
        // Declining keeps the stored compiler as it is, and is no failure.
        if (!speaker.AskYesNo(kRegisterCompilerCaption,
                              FormatText(LoadResourceString(IDS_COMPILER_REGISTERED).c_str(), info.Name),
                              MB_ICONQUESTION)) {
          return true;
        }
        break;
    }
  }

  RegKey key;
  if (key.Create(path) != ERROR_SUCCESS) return false;
  for (const auto& value : kWrittenValues) {
    if (key.WriteText(value.name, info.*value.field) != ERROR_SUCCESS) return false;
  }
  return key.Close() == ERROR_SUCCESS;
}

bool UnregisterCompiler(const std::string& name) {
  if (!OpensAndCloses(CompilerKey(name))) return false;
  {
    RegKey compilers;
    if (compilers.Open(CompilersKey(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    if (compilers.DeleteKey(name) != ERROR_SUCCESS) return false;
    if (compilers.Close() != ERROR_SUCCESS) return false;
  }

  RegKey compilers;
  if (compilers.Open(CompilersKey(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  std::string first;
  const LONG enumerated = compilers.EnumKey(0, first);
  if (enumerated == ERROR_SUCCESS) return compilers.Close() == ERROR_SUCCESS;  // other compilers remain
  if (enumerated != ERROR_NO_MORE_ITEMS) return false;

  // The last compiler is gone: the list goes with it, DefaultCompiler included.
  compilers.Close();
  return DeleteCompilersKey();
}

bool SetDefaultCompiler(const std::string& name) {
  if (!OpensAndCloses(CompilerKey(name))) return false;
  RegKey compilers;
  if (compilers.Open(CompilersKey(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
  const LONG written = compilers.WriteText(kDefaultCompiler, name);
  compilers.Close();
  return written == ERROR_SUCCESS;
}

bool UnregisterAllCompilers() {
  {
    RegKey compilers;
    if (compilers.Open(CompilersKey(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    if (!DeleteSubkeyTree(compilers)) return false;
    if (compilers.Close() != ERROR_SUCCESS) return false;
  }
  return DeleteCompilersKey();
}

// Every name is collected before anything is deleted, so that the
// enumeration indices stay valid; then the subtrees go from the last name
// back to the first, each emptied before its own key is deleted.
bool DeleteSubkeyTree(const RegKey& key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    std::string name;
    const LONG result = key.EnumKey(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return false;
    names.push_back(name);
  }

  while (!names.empty()) {
    const std::string name = names.back();
    names.pop_back();
    {
      RegKey subkey;
      if (subkey.Open(key, name, KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
      if (!DeleteSubkeyTree(subkey)) return false;
      if (subkey.Close() != ERROR_SUCCESS) return false;
    }
    if (key.DeleteKey(name) != ERROR_SUCCESS) return false;
  }
  return true;
}
