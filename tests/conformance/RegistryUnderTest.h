#pragma once
// What each build of the registry conformance suite supplies: the in-memory
// registry on the host, the real one (advapi32) under Wine.

#include <optional>

#include "platform/Registry.h"

namespace conformance {

platform::Registry& RegistryUnderTest();
// The number of key handles open now, where the registry can tell.
std::optional<int> OpenKeyHandles();
// The ANSI code page the registry converts names with.
unsigned int AnsiCodePage();

}  // namespace conformance
