#pragma once
// The module seam on kernel32, user32 and version.dll.

#include "platform/Modules.h"

namespace win32 {

class Win32Modules final : public platform::Modules {
 public:
  platform::ModuleHandle LoadForResources(const char* path) override;
  bool Free(platform::ModuleHandle module) override;
  int LoadString(platform::ModuleHandle module, std::uint32_t id, char* buffer, int size) override;
  std::string OwnFileName() override;

  std::uint32_t GetFileVersionInfoSize(const char* fileName, std::uint32_t* handle) override;
  bool GetFileVersionInfo(const char* fileName, std::uint32_t handle, std::uint32_t size, void* data) override;
  bool VerQueryValue(const void* block, const char* subBlock, const void** value, std::uint32_t* length) override;
};

}  // namespace win32
