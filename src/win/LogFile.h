#pragma once
// The file the diagnostic log goes to, opened for appending.
//
// REGORVIK_LOG is an administrator's choice: the file it names is opened as
// named. Without it, a run nobody can see logs to RegOrvikPkg.log in the
// temporary folder, which for LocalSystem (an installer's action, a
// deployment system) is C:\Windows\Temp, where every user may create files.
// A file someone planted there under that name must not make the tool write
// elsewhere with its rights, nor let its owner read the log: a link (a
// reparse point), a file with more than one name (a hard link to a file
// elsewhere) or one that another account owns is refused, and the run logs to
// a new file of its own beside it, RegOrvikPkg-N.log, with the reason as its
// first line. Where Windows has GetTempPath2A, LocalSystem's temporary folder
// is one that only it and administrators reach.

#include <windows.h>

#include <string>

// The log file, or INVALID_HANDLE_VALUE for none. `refusal` receives why the
// temporary folder's RegOrvikPkg.log was refused for another file, else
// stays empty.
HANDLE OpenLogFile(bool unattended, std::string& refusal);
