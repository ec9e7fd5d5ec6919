// The floor of the start-up benchmark: a program built like RegOrvikPkg.exe
// that loads user32 and makes the tool's own search for an IDE window, and
// nothing else.
#include <windows.h>

#include "operations/IdeDetection.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return IsIdeRunning() ? 1 : 0; }
