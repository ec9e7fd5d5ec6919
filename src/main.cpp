// The entry point of the windowed program: the real Windows behind the seam,
// the one application object, and its exit code as the process's.

#include "app/RegOrvikPkgApp.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WindowsApi.h"

// Both live for the whole process and are built before WinMain runs, the
// platform first: objects of one file are constructed in the order written.
static win32::Win32Platform windowsPlatform;
static CRegOrvikPkgApp theApp(windowsPlatform.Platform());

// An ExitCode of -1 leaves the process as 0xFFFFFFFF.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return theApp.Run(); }
