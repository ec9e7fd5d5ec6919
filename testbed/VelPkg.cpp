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
#include "Testbed.h"

namespace {

constexpr char kPackageGuid[] = "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kPackageName[] = "Orvik C++ Compiler Package";
constexpr char kFailVariable[] = "TESTBED_VELPKG_FAIL";

std::string PackageKey() {
  return "Software\\Microsoft\\VisualStudio\\7.0" + testbed::Variable("ENVSDK_ROOTSUFFIX") + "\\Packages\\" + kPackageGuid;
}

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer() {
  if (testbed::EntryRefused("DllRegisterServer", kFailVariable)) return E_FAIL;
  const std::string path = testbed::ModulePath(testbed::ThisModule());
  LONG status = testbed::WriteText(PackageKey(), nullptr, kPackageName);
  if (status == ERROR_SUCCESS) status = testbed::WriteText(PackageKey(), "InstallPath", path.substr(0, path.rfind('\\') + 1));
  if (status == ERROR_SUCCESS) status = testbed::RegisterInprocServer(kPackageGuid, path);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  if (testbed::EntryRefused("DllUnregisterServer", kFailVariable)) return E_FAIL;
  for (const char* name : {static_cast<const char*>(nullptr), "InstallPath", "Enabled"})
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, PackageKey().c_str(), name);
  testbed::DeleteKeyIfEmpty(PackageKey());
  testbed::UnregisterInprocServer(kPackageGuid);
  return S_OK;
}
