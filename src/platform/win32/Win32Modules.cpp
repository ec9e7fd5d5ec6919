#include "platform/win32/Win32Modules.h"

#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/WindowsApi.h"

#include <winver.h>  // needs <windows.h> first

namespace win32 {

platform::ModuleHandle Win32Modules::LoadForResources(const char* path) {
  // Mapped as a data file: the resources can be read, and none of the file's
  // code (not even DllMain) runs, whatever the file is.
  return FromSystem(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

bool Win32Modules::Free(platform::ModuleHandle module) { return FreeLibrary(ToSystem(module)) != FALSE; }

int Win32Modules::LoadString(platform::ModuleHandle module, std::uint32_t id, char* buffer, int size) {
  const HMODULE source = module != nullptr ? ToSystem(module) : GetModuleHandleA(nullptr);
  return LoadStringA(source, id, buffer, size);
}

std::string Win32Modules::OwnFileName() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), capacity);
    if (length == 0) return std::string();
    // A full buffer means the name was cut: try again with more room.
    if (length < capacity) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::uint32_t Win32Modules::GetFileVersionInfoSize(const char* fileName, std::uint32_t* handle) {
  DWORD versionHandle = 0;
  const DWORD size = GetFileVersionInfoSizeA(fileName, &versionHandle);
  if (handle != nullptr) *handle = versionHandle;
  return size;
}

bool Win32Modules::GetFileVersionInfo(const char* fileName, std::uint32_t handle, std::uint32_t size, void* data) {
  return GetFileVersionInfoA(fileName, handle, size, data) != FALSE;
}

bool Win32Modules::VerQueryValue(const void* block, const char* subBlock, const void** value,
                                 std::uint32_t* length) {
  void* found = nullptr;
  UINT foundLength = 0;
  const BOOL ok = VerQueryValueA(block, subBlock, &found, &foundLength);
  if (value != nullptr) *value = found;
  if (length != nullptr) *length = foundLength;
  return ok != FALSE;
}

}  // namespace win32
