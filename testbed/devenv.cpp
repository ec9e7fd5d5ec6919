// The IDE's devenv.exe in miniature: records how it was started and ends with
// the exit code that TESTBED_DEVENV_EXIT asks for (decimal, hexadecimal with
// 0x, or negative; 0 when unset). The tool starts its programs hidden; one
// started otherwise adds " [not hidden]" to its line.
#include <cstdlib>

#include "Testbed.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  const bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 && startup.wShowWindow == SW_HIDE;
  testbed::AppendRunLog(nullptr, GetCommandLineA() + std::string(hidden ? "" : " [not hidden]"));
  return static_cast<int>(std::strtoul(testbed::Variable("TESTBED_DEVENV_EXIT").c_str(), nullptr, 0));
}
