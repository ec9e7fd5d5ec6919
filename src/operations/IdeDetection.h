#pragma once
// Is an IDE main window open, visible or not?

#include <windows.h>

bool IsIdeRunning();

// The EnumWindows callback: FALSE once it has found the IDE's window.
BOOL CALLBACK FindIdeWindowProc(HWND window, LPARAM lParam);
