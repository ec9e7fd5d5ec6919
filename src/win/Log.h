#pragma once
// The diagnostic log for unattended runs. When the environment variable
// REGORVIK_LOG names a file, every step the tool takes is appended to it as
// one line: the time, the process id, the option being run and the step; a
// step that failed adds the Windows error code and the system's message for
// it. Without the variable nothing is written anywhere, unless nobody can
// see the program's windows.
//
// The log never changes what the tool does: a log that cannot be opened or
// written is ignored, and the last error of the calls around it is kept.
// Several processes may append to one log at once: each line is written
// whole, in one call, at the end of the file.

#include <windows.h>

#include <string>

// Opens the log REGORVIK_LOG names; without it, a run that nobody can see
// logs to RegOrvikPkg.log in the temporary folder, or to a file of its own
// beside it when that one was planted there (LogFile.h), and any other run
// nowhere. Once, at start-up. CloseLog once the run's last line is written.
void OpenLog(bool unattended);
void CloseLog();

// The first line of a run: how the tool was started.
void LogStart(const std::string& commandLine, const std::string& rootSuffix);

// What the following steps belong to: an option such as "/install", or the
// dialog.
void SetLogOption(const std::string& option);

// Whether a log is open: only then is a step worth putting into words, which
// the hot loops of the compiler list skip otherwise.
bool Logging();

// Appends a line for a step.
void LogStep(const std::string& step);
// Appends "STEP" when the Windows call it made succeeded (error 0), else
// "STEP: CALL failed with error N: MESSAGE".
void LogResult(const std::string& step, const char* call, DWORD error);

// The directory a program is started in, as the log names it: the one given,
// else the process's current directory (looked up only while logging).
std::string LoggedDirectory(const char* directory);

// A text inside a step, in quotes, with its line ends and tabs as \r, \n and \t.
std::string Quote(const std::string& text);
