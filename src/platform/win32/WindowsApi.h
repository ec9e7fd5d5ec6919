#pragma once
// <windows.h> for the Win32 side of the seam. The system header names its
// ANSI/Unicode pairs through macros (CopyFile -> CopyFileA); the seam's
// methods carry those plain names, so the macros go. The code below calls
// the ANSI functions by their full names.

#include <windows.h>

#undef AppendMenu
#undef CopyFile
#undef CreateProcess
#undef DialogBox
#undef FindWindow
#undef GetClassName
#undef GetCommandLine
#undef GetCurrentDirectory
#undef GetEnvironmentVariable
#undef GetFileVersionInfo
#undef GetFileVersionInfoSize
#undef GetWindowText
#undef GetWindowTextLength
#undef LoadIcon
#undef LoadString
#undef MessageBox
#undef MoveFile
#undef SendMessage
#undef SetCurrentDirectory
#undef SetWindowText
#undef VerQueryValue
