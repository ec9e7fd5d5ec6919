#pragma once
// Modules and their resources (kernel32, user32) and version resources (version.dll).

#include <cstdint>
#include <string>

#include "platform/Handles.h"

namespace platform {

class Modules {
 public:
  virtual ~Modules() = default;

  // Maps a file as an image to read its resources; runs none of its code.
  virtual ModuleHandle LoadForResources(const char* path) = 0;
  virtual bool Free(ModuleHandle module) = 0;  // FreeLibrary
  // LoadStringA: a null module means the program's own file. Returns the
  // number of bytes copied (0 when the string does not exist).
  virtual int LoadString(ModuleHandle module, std::uint32_t id, char* buffer, int size) = 0;
  // GetModuleFileNameA(NULL): the full path of the program's own file.
  virtual std::string OwnFileName() = 0;

  // GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA.
  virtual std::uint32_t GetFileVersionInfoSize(const char* fileName, std::uint32_t* handle) = 0;
  virtual bool GetFileVersionInfo(const char* fileName, std::uint32_t handle, std::uint32_t size, void* data) = 0;
  virtual bool VerQueryValue(const void* block, const char* subBlock, const void** value,
                             std::uint32_t* length) = 0;
};

}  // namespace platform
