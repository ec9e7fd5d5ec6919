#pragma once
// Runs outside programs: hidden, one at a time, waited for.

#include <cstdint>

// Runs one command line as a hidden child process and waits for it. Returns
// 0 when the child ended with exit code 0 or 1; otherwise reports "Error
// executing " and the command line in the application's message box (also
// in quiet mode) and returns the child's exit code, or 0xFFFFFFFF when none
// was read. A null working directory leaves the child in the current one.
std::uint32_t RunCommand(const char* commandLine, const char* workingDirectory, std::uint32_t timeoutMs);
