// Plays a running IDE: `ide_window.exe CLASS TITLE` registers the window class
// CLASS and creates a hidden top-level window titled TITLE, then serves it
// until the window is closed or the process is ended.
#include <windows.h>

#include <cstdlib>

#include "TestbedLog.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  testbed::AppendRunLog(nullptr, GetCommandLineA());
  if (__argc != 3) {
    MessageBoxA(nullptr, "usage: ide_window.exe CLASS TITLE", "ide_window", MB_OK | MB_ICONERROR);
    return 2;
  }
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = __argv[1];
  if (!RegisterClassA(&windowClass)) return 3;
  // Not shown: a hidden main window still counts as a running IDE.
  if (!CreateWindowExA(0, __argv[1], __argv[2], WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr,
                       nullptr, instance, nullptr))
    return 4;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
