// The package DLL that enabling registers: a COM server that enters and
// removes its own class registration when regsvr32.exe calls it.
#include "Testbed.h"

namespace {

HMODULE thisModule = nullptr;
constexpr char kClsid[] = "{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}";
constexpr char kFailVariable[] = "TESTBED_ORVIKPKG_FAIL";

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) thisModule = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  testbed::AppendRunLog(thisModule, "DllRegisterServer");
  if (testbed::FailureRequested(kFailVariable, true)) return E_FAIL;
  LONG status = testbed::RegisterInprocServer(kClsid, "Orvik C++ Compiler Integration", testbed::ModulePath(thisModule));
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  testbed::AppendRunLog(thisModule, "DllUnregisterServer");
  if (testbed::FailureRequested(kFailVariable, false)) return E_FAIL;
  testbed::UnregisterInprocServer(kClsid);
  return S_OK;
}
