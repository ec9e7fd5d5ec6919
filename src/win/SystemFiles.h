#pragma once
// Where the program's own file is, and the system's: the tool runs with the
// machine's highest rights (elevated, or as LocalSystem from an installer),
// so whatever it starts or loads runs with them. It trusts only the system's
// own folder for that, never its own folder or the current directory, where
// someone with fewer rights may have put a file of the same name.

#include <windows.h>

#include <string>

// From here on, DLLs are looked for in the system folder alone
// (SetDefaultDllDirectories, where Windows has it), or at least no longer in
// the current directory (SetDllDirectoryA). Once, before anything else.
void TrustOnlySystemDlls();

// The system folder with a trailing backslash (for a 32-bit program on
// 64-bit Windows, the one Windows redirects to its 32-bit twin); empty when
// it cannot be read.
std::string SystemDirectory();

// A DLL of the system folder by its full path; null (with the system's
// error) when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// The full path of the program's own file.
std::string ProgramPath();

// A function of a loaded DLL, looked up rather than imported (Windows XP, or
// a DLL not to be taken from the program's folder); null when the DLL or the
// function is missing.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
