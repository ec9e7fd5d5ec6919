// The IDE's devenv.exe in miniature: records how it was started and ends with
// the exit code that TESTBED_DEVENV_EXIT asks for (decimal, hexadecimal with
// 0x, or negative; 0 when unset).
#include <windows.h>

#include <cstdlib>

#include "TestbedLog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  testbed::AppendRunLog(nullptr, GetCommandLineA());
  char exitCode[32];
  if (!testbed::ReadControl("TESTBED_DEVENV_EXIT", exitCode, sizeof exitCode)) return 0;
  return static_cast<int>(std::strtoul(exitCode, nullptr, 0));
}
