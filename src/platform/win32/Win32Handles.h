#pragma once
// Conversions between the seam's opaque handles and the system's. The seam's
// handles carry the system's bit patterns unchanged, so a cast is all it takes.

#include "platform/win32/WindowsApi.h"

#include "platform/Handles.h"

namespace win32 {

inline HKEY ToSystem(platform::KeyHandle key) { return reinterpret_cast<HKEY>(key); }
inline HMODULE ToSystem(platform::ModuleHandle module) { return reinterpret_cast<HMODULE>(module); }
inline HANDLE ToSystem(platform::ObjectHandle object) { return reinterpret_cast<HANDLE>(object); }
inline HWND ToSystem(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline HICON ToSystem(platform::IconHandle icon) { return reinterpret_cast<HICON>(icon); }
inline HMENU ToSystem(platform::MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }
inline HDC ToSystem(platform::DcHandle dc) { return reinterpret_cast<HDC>(dc); }

inline platform::KeyHandle FromSystem(HKEY key) { return reinterpret_cast<platform::KeyHandle>(key); }
inline platform::ModuleHandle FromSystem(HMODULE module) { return reinterpret_cast<platform::ModuleHandle>(module); }
inline platform::ObjectHandle FromSystem(HANDLE object) { return reinterpret_cast<platform::ObjectHandle>(object); }
inline platform::WindowHandle FromSystem(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }
inline platform::IconHandle FromSystem(HICON icon) { return reinterpret_cast<platform::IconHandle>(icon); }
inline platform::MenuHandle FromSystem(HMENU menu) { return reinterpret_cast<platform::MenuHandle>(menu); }
inline platform::DcHandle FromSystem(HDC dc) { return reinterpret_cast<platform::DcHandle>(dc); }

}  // namespace win32
