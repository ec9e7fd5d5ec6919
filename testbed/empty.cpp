// The smallest program built like RegOrvikPkg.exe: the baseline against which
// the tool's start-up time is measured.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
