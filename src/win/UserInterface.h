#pragma once
// What every window of the program needs: its strings, the common controls
// loaded before the first window, and a place on the screen.

#include <windows.h>

#include <string>

// A string of the program's own string table; empty when it is missing.
std::string LoadResourceString(UINT id);

// MessageBoxA, after the common controls.
int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type);

// DialogBoxParamA on a template of the program's own file, after the common
// controls; -1 when the dialog could not be created.
INT_PTR ShowModalDialog(UINT templateId, HWND owner, DLGPROC procedure, LPARAM parameter);

// Moves the window, keeping its size, to the centre of its owner, or of the
// work area of its monitor when there is none; never off that area. The
// templates carry no position of their own.
void CenterWindow(HWND window, HWND owner);
