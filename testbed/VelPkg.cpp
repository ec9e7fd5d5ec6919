// The package DLL that installing registers. Like a real IDE package, its
// registration is what makes the package known to the IDE: it creates the
// package key below the IDE's root (suffixed by ENVSDK_ROOTSUFFIX, which it
// inherits through regsvr32.exe) naming its own directory as InstallPath, and
// its COM class entry.
//
// Unregistration removes what registration wrote and, with it, `Enabled`: that
// value records the state of this registration and means nothing without it.
// Values written by others, such as the ProductVersion that the package's
// installer keeps in the unsuffixed key, stay, and keep the key alive.
#include <windows.h>

#include "PackageRegistration.h"
#include "TestbedLog.h"

namespace {

HMODULE thisModule = nullptr;

constexpr char kPackageGuid[] = "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kPackageName[] = "Orvik C++ Compiler Package";
constexpr char kFailVariable[] = "TESTBED_VELPKG_FAIL";

void PackageKeyPath(char* path) {
  char suffix[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("ENVSDK_ROOTSUFFIX", suffix, sizeof suffix);
  if (length >= sizeof suffix) suffix[0] = '\0';
  testbed::JoinPath(path, "Software\\Microsoft\\VisualStudio\\7.0", suffix);
  lstrcatA(path, "\\Packages\\");
  lstrcatA(path, kPackageGuid);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) thisModule = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  testbed::AppendRunLog(thisModule, "DllRegisterServer");
  if (testbed::FailureRequested(kFailVariable, true)) return E_FAIL;
  testbed::ModuleLocation self;
  if (!testbed::LocateModule(thisModule, self)) return E_FAIL;
  char packageKey[2 * MAX_PATH];
  PackageKeyPath(packageKey);
  LONG status = testbed::WriteText(packageKey, nullptr, kPackageName);
  if (status == ERROR_SUCCESS) status = testbed::WriteText(packageKey, "InstallPath", self.directory);
  if (status == ERROR_SUCCESS) status = testbed::RegisterInprocServer(kPackageGuid, kPackageName, self.path);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  testbed::AppendRunLog(thisModule, "DllUnregisterServer");
  if (testbed::FailureRequested(kFailVariable, false)) return E_FAIL;
  char packageKey[2 * MAX_PATH];
  PackageKeyPath(packageKey);
  testbed::DeleteValue(packageKey, nullptr);
  testbed::DeleteValue(packageKey, "InstallPath");
  testbed::DeleteValue(packageKey, "Enabled");
  testbed::DeleteKeyIfEmpty(packageKey);
  testbed::UnregisterInprocServer(kPackageGuid);
  return S_OK;
}
