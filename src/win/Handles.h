#pragma once
// Owners of a kernel handle and of a loaded module: each is released on
// every path by the function that releases its kind.

#include <windows.h>

template <typename Handle, BOOL(WINAPI* Release)(Handle)>
class UniqueOwner {
 public:
  explicit UniqueOwner(Handle handle = nullptr) : handle_(handle) {}
  ~UniqueOwner() {
    if (handle_ != nullptr) Release(handle_);
  }
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;

  Handle Get() const { return handle_; }

 private:
  Handle handle_;
};

using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;
using UniqueModule = UniqueOwner<HMODULE, &FreeLibrary>;
