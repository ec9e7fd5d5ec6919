// The compiler list below the tool's own key: one subkey per compiler with
// six text values, and DefaultCompiler beside them.

#include <string>
#include <vector>

#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "framework/Format.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "resource.h"

namespace {

using regtext::ScopedKey;

// The six values of a compiler in the order they are written.
struct CompilerValue {
  const char* name;
  std::string CompilerInfo::*field;
};

const CompilerValue kWrittenValues[] = {
    {regkeys::kExecutable, &CompilerInfo::Executable},
    {regkeys::kInclude, &CompilerInfo::Include},
    {regkeys::kLibrary, &CompilerInfo::Library},
    {regkeys::kDocumentation, &CompilerInfo::Documentation},
    {regkeys::kTargetPlatform, &CompilerInfo::TargetPlatform},
    {regkeys::kDefaultOptions, &CompilerInfo::DefaultOptions},
};

// The stored values an update compares, in the order they are read. The
// documentation path may be missing or of any type; the others must be text.
struct ComparedValue {
  const char* name;
  std::string CompilerInfo::*field;
  bool required;
};

const ComparedValue kComparedValues[] = {
    {regkeys::kExecutable, &CompilerInfo::Executable, true},
    {regkeys::kInclude, &CompilerInfo::Include, true},
    {regkeys::kLibrary, &CompilerInfo::Library, true},
    {regkeys::kDocumentation, &CompilerInfo::Documentation, false},
    {regkeys::kDefaultOptions, &CompilerInfo::DefaultOptions, true},
};

enum class StoredCompiler { Absent, Same, Different, Failed };

// Compares the record with the compiler stored at `path`, letter case aside.
StoredCompiler CompareWithStored(platform::Platform& platform, const std::string& path, const CompilerInfo& info) {
  ScopedKey key(platform.registry);
  const long opened = key.Open(path, win::kKeyAllAccess);
  if (opened == win::kErrorFileNotFound) return StoredCompiler::Absent;
  if (opened != win::kErrorSuccess) return StoredCompiler::Failed;

  bool same = true;
  for (const ComparedValue& value : kComparedValues) {
    std::string stored;
    std::uint32_t type = win::kRegNone;
    const long read = regtext::ReadText(platform.registry, key.Get(), value.name, regkeys::kValueBufferSize, stored,
                                        &type);
    if (value.required && (read != win::kErrorSuccess || type != win::kRegSz)) return StoredCompiler::Failed;
    if (read != win::kErrorSuccess) stored.clear();
    if (platform.text.CompareNoCase((info.*value.field).c_str(), stored.c_str()) != 0) same = false;
  }
  if (same) return StoredCompiler::Same;
  return key.Close() ? StoredCompiler::Different : StoredCompiler::Failed;
}

// True when the key opens with full access and closes again: a compiler
// must be registered before it can be unregistered or selected.
bool OpensAndCloses(platform::Registry& registry, const std::string& path) {
  ScopedKey key(registry);
  return key.Open(path, win::kKeyAllAccess) == win::kErrorSuccess && key.Close();
}

// Deletes CompilersKey from ToolKey once nothing is left below it;
// DefaultCompiler goes with it, ToolKey stays.
bool DeleteCompilersKey(platform::Registry& registry) {
  ScopedKey tool(registry);
  if (tool.Open(regkeys::ToolKey(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
  if (registry.DeleteKey(tool.Get(), regkeys::kCompilersName) != win::kErrorSuccess) return false;
  return tool.Close();
}

}  // namespace

bool CRegOrvikPkgApp::RegisterCompiler(const CompilerInfo& info) {
  platform::Platform& platform = Platform();
  const std::string path = regkeys::CompilerKey(info.Name);

  // Quiet mode writes at once: no comparison and no question.
  if (!QuietMode) {
    switch (CompareWithStored(platform, path, info)) {
      case StoredCompiler::Absent:
      case StoredCompiler::Same:
        break;
      case StoredCompiler::Failed:
        return false;
      case StoredCompiler::Different: {
        const std::string pattern = framework::LoadResourceString(platform.modules, IDS_COMPILER_REGISTERED);
        const std::string question = framework::FormatText(pattern.c_str(), info.Name);
        if (platform.ui.MessageBox(nullptr, question.c_str(), text::kRegisterCompilerCaption,
                                   win::kMbYesNo | win::kMbIconQuestion) != win::kIdYes) {
          return true;
        }
        break;
      }
    }
  }

  ScopedKey key(platform.registry);
  if (key.Create(path) != win::kErrorSuccess) return false;
  for (const CompilerValue& value : kWrittenValues) {
    if (regtext::WriteText(platform.registry, key.Get(), value.name, info.*value.field) != win::kErrorSuccess) {
      return false;
    }
  }
  return key.Close();
}

bool CRegOrvikPkgApp::UnregisterCompiler(const std::string& name) {
  platform::Registry& registry = Platform().registry;
  if (!OpensAndCloses(registry, regkeys::CompilerKey(name))) return false;
  {
    ScopedKey compilers(registry);
    if (compilers.Open(regkeys::CompilersKey(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
    if (registry.DeleteKey(compilers.Get(), name.c_str()) != win::kErrorSuccess) return false;
    if (!compilers.Close()) return false;
  }

  ScopedKey compilers(registry);
  if (compilers.Open(regkeys::CompilersKey(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
  char first[regkeys::kKeyNameBufferSize] = {};
  std::uint32_t size = sizeof first;
  const long enumerated = registry.EnumKey(compilers.Get(), 0, first, &size);
  if (enumerated == win::kErrorSuccess) return compilers.Close();  // other compilers remain
  if (enumerated != win::kErrorNoMoreItems) return false;

  // The last compiler is gone: the list goes with it, DefaultCompiler included.
  compilers.Close();
  return DeleteCompilersKey(registry);
}

bool CRegOrvikPkgApp::SetDefaultCompiler(const std::string& name) {
  platform::Registry& registry = Platform().registry;
  if (!OpensAndCloses(registry, regkeys::CompilerKey(name))) return false;
  ScopedKey compilers(registry);
  if (compilers.Open(regkeys::CompilersKey(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
  const long written = regtext::WriteText(registry, compilers.Get(), regkeys::kDefaultCompiler, name);
  compilers.Close();
  return written == win::kErrorSuccess;
}

bool CRegOrvikPkgApp::UnregisterAllCompilers(platform::KeyHandle key) {
  if (key != nullptr) return DeleteSubkeyTree(key);

  platform::Registry& registry = Platform().registry;
  {
    ScopedKey compilers(registry);
    if (compilers.Open(regkeys::CompilersKey(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
    if (!DeleteSubkeyTree(compilers.Get())) return false;
    if (!compilers.Close()) return false;
  }
  return DeleteCompilersKey(registry);
}

// Every name is collected before anything is deleted, so that the
// enumeration indices stay valid; then the subtrees go from the last name
// back to the first, each emptied before its own key is deleted.
bool CRegOrvikPkgApp::DeleteSubkeyTree(platform::KeyHandle key) {
  platform::Registry& registry = Platform().registry;
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    char name[regkeys::kKeyNameBufferSize] = {};
    std::uint32_t size = sizeof name;
    const long result = registry.EnumKey(key, index, name, &size);
    if (result == win::kErrorNoMoreItems) break;
    if (result != win::kErrorSuccess) return false;
    names.emplace_back(name, size < sizeof name ? size : sizeof name);
  }

  while (!names.empty()) {
    const std::string name = names.back();
    names.pop_back();
    {
      ScopedKey subkey(registry);
      if (subkey.Open(name, win::kKeyAllAccess, key) != win::kErrorSuccess) return false;
      if (!DeleteSubkeyTree(subkey.Get())) return false;
      if (!subkey.Close()) return false;
    }
    if (registry.DeleteKey(key, name.c_str()) != win::kErrorSuccess) return false;
  }
  return true;
}
