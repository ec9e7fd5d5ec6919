#pragma once
// The program's own resources as the in-memory Windows holds them: copies of
// the dialog templates, the string table, the icon ids and the version
// resource of res/RegOrvikPkg.rc. The Windows build of the tests compares
// them with the compiled resources, so the copies cannot drift.

#include <cstdint>
#include <map>
#include <vector>

#include "platform/memory/FakeImage.h"
#include "platform/memory/DialogTemplate.h"

namespace memory {

std::map<std::uint32_t, DialogTemplate> ProgramDialogTemplates();
StringTable ProgramStrings();
std::vector<std::uint32_t> ProgramIcons();
VersionInfo ProgramVersion();

}  // namespace memory
