// The host build of the conformance suite: the in-memory registry.

#include <cstdlib>
#include <string>

#include "RegistryUnderTest.h"
#include "platform/memory/MemoryRegistry.h"

namespace conformance {

namespace {

// The code page comes from REGORVIK_ANSI_CODE_PAGE (1252 when unset), so that
// ctest can run the suite in both code pages the stand-in models.
unsigned int ChosenCodePage() {
  const char* chosen = std::getenv("REGORVIK_ANSI_CODE_PAGE");
  return chosen != nullptr && std::string(chosen) == "932" ? 932 : 1252;
}

memory::MemoryRegistry& Instance() {
  static memory::MemoryRegistry registry;
  static const bool prepared = (registry.SetCodePage(memory::CodePage(ChosenCodePage())), true);
  (void)prepared;
  return registry;
}

}  // namespace

platform::Registry& RegistryUnderTest() { return Instance(); }

std::optional<int> OpenKeyHandles() { return Instance().OpenHandleCount(); }

unsigned int AnsiCodePage() { return ChosenCodePage(); }

}  // namespace conformance
