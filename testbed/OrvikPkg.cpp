// The package DLL that enabling registers: a COM server that enters and
// removes its own class registration when regsvr32.exe calls it.
#include "Testbed.h"

namespace {

constexpr char kClsid[] = "{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}";
constexpr char kFailVariable[] = "TESTBED_ORVIKPKG_FAIL";

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer() {
  if (testbed::EntryRefused("DllRegisterServer", kFailVariable)) return E_FAIL;
  const LONG status = testbed::RegisterInprocServer(kClsid, testbed::ModulePath(testbed::ThisModule()));
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  if (testbed::EntryRefused("DllUnregisterServer", kFailVariable)) return E_FAIL;
  testbed::UnregisterInprocServer(kClsid);
  return S_OK;
}
