// The host build of the conformance suite: the in-memory registry.

#include "RegistryUnderTest.h"
#include "platform/memory/MemoryRegistry.h"

namespace conformance {

namespace {
memory::MemoryRegistry& Instance() {
  static memory::MemoryRegistry registry;
  return registry;
}
}  // namespace

platform::Registry& RegistryUnderTest() { return Instance(); }

std::optional<int> OpenKeyHandles() { return Instance().OpenHandleCount(); }

unsigned int AnsiCodePage() { return 1252; }

}  // namespace conformance
