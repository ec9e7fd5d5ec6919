// The Windows build of the conformance suite: the real registry, through the
// program's own Win32 side of the seam.

#include <windows.h>

#include "RegistryUnderTest.h"
#include "platform/win32/Win32Registry.h"

namespace conformance {

platform::Registry& RegistryUnderTest() {
  static win32::Win32Registry registry;
  return registry;
}

std::optional<int> OpenKeyHandles() { return std::nullopt; }

unsigned int AnsiCodePage() { return GetACP(); }

}  // namespace conformance
