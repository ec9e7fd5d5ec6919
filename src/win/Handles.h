#pragma once
// Owners of a kernel handle and of a loaded module: each is released on
// every path by the function that releases its kind.

#include <windows.h>

class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~UniqueHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

class UniqueModule {
 public:
  explicit UniqueModule(HMODULE module = nullptr) : module_(module) {}
  ~UniqueModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  UniqueModule(const UniqueModule&) = delete;
  UniqueModule& operator=(const UniqueModule&) = delete;

  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};
