#pragma once
// Opaque handles passed across the platform seam. On Windows they carry the
// system's handles; in memory they are ids handed out by the stand-in.

#include <cstdint>

namespace platform {

struct KeyObject;
struct ModuleObject;
struct KernelObject;
struct WindowObject;
struct IconObject;
struct MenuObject;
struct DeviceContextObject;

using KeyHandle = KeyObject*;
using ModuleHandle = ModuleObject*;
using ObjectHandle = KernelObject*;  // a process or thread handle
using WindowHandle = WindowObject*;
using IconHandle = IconObject*;
using MenuHandle = MenuObject*;
using DcHandle = DeviceContextObject*;

// HKEY_LOCAL_MACHINE, the one root key the program uses.
inline KeyHandle LocalMachine() {
  return reinterpret_cast<KeyHandle>(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(INT32_C(-2147483646))));
}

}  // namespace platform
