#pragma once
// Runs outside programs: hidden, one at a time, waited for.

#include <windows.h>

#include "operations/Speaker.h"
#include "text/Commands.h"

// Runs one command as a hidden child process and waits for it: the file it
// names, with its command line. Returns 0 when the child ended with exit
// code 0 or 1; otherwise reports "Error executing " and the command line in
// the application's message box (also in quiet mode) and returns the
// child's exit code, or 0xFFFFFFFF when none was read. A null working
// directory leaves the child in the current one.
DWORD RunCommand(const Command& command, const char* workingDirectory, DWORD timeoutMs, const Speaker& speaker);
