// The entry point of the windowed program: the one application object, and
// its exit code as the process's (-1 leaves the process as 0xFFFFFFFF).

#include <windows.h>

#include "app/RegOrvikPkgApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CRegOrvikPkgApp theApp;
  return theApp.Run();
}
