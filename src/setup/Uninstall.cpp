// "/uninstall": takes the package out of the IDE and removes the tool's own
// key once nothing is left below it.

#include <string>

#include "app/RegOrvikPkgApp.h"
#include "platform/WinConstants.h"
#include "registry/RegistryLocations.h"
#include "registry/RegistryText.h"
#include "setup/Commands.h"
#include "setup/RunCommand.h"

namespace {

// Deletes ToolKey when it has no subkey; its values go with it. An absent
// ToolKey is nothing to remove; its parent always stays.
bool RemoveToolKeyIfEmpty(platform::Registry& registry) {
  regtext::ScopedKey tool(registry);
  const long opened = tool.Open(regkeys::ToolKey(), win::kKeyAllAccess);
  if (opened == win::kErrorFileNotFound) return true;
  if (opened != win::kErrorSuccess) return false;

  char first[regkeys::kKeyNameBufferSize] = {};
  std::uint32_t size = sizeof first;
  if (registry.EnumKey(tool.Get(), 0, first, &size) == win::kErrorSuccess) return true;  // compilers remain
  if (!tool.Close()) return false;

  regtext::ScopedKey parent(registry);
  if (parent.Open(regkeys::ToolKeyParent(), win::kKeyAllAccess) != win::kErrorSuccess) return false;
  if (registry.DeleteKey(parent.Get(), regkeys::ToolKeyLeafName().c_str()) != win::kErrorSuccess) return false;
  return parent.Close();
}

}  // namespace

bool CRegOrvikPkgApp::UninstallTool() {
  if (!RequireIdeRootKey()) return false;
  if (QueryPackageEnabled() && !DisablePackage()) return false;
  if (RunCommand(commands::UnregisterServer(commands::kSecondPackageDll).c_str(), nullptr, win::kInfinite) != 0) {
    return false;
  }
  if (!RunIdeSetup()) return false;
  return RemoveToolKeyIfEmpty(Platform().registry);
}
