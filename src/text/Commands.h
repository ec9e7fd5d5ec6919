#pragma once
// The programs the tool starts, and the files it names.

#include <string>

// A program to start: the file that runs, named in full so that no search
// (the tool's own folder first, then the current directory) decides which
// file that is, and the command line it is given, which is also the text
// the log and the "Error executing " report show. An empty application
// names no file: such a command does not start, unless Windows is to find
// the file from the command line's first word by its search.
struct Command {
  std::string application;
  std::string line;
  bool searched = false;
};

// "regsvr32.exe /c /s DLL", and with /u to unregister: the system's own
// regsvr32.exe, from the system folder (with its trailing backslash).
Command RegisterServer(const std::string& systemDir, const char* dll);
Command UnregisterServer(const std::string& systemDir, const char* dll);

// The IDE's set-up run: the quoted devenv.exe path, /setup, and /rootsuffix
// with the suffix when there is one.
Command IdeSetup(const std::string& ideExeDir, const std::string& rootSuffix);

// An installed copy's own uninstall: its directory and file name, unquoted,
// found by Windows' search. The search tries each start of the path that
// ends at a blank first ("C:\Program.exe", ...), so the folders above the
// copy must be writable by administrators alone. Named as the application,
// the copy would get its unquoted path exactly as written, which Wine's
// search hands it in quotes, and would take the path's first word for its
// own name and the rest for arguments.
Command UninstallCopy(const std::string& installPath);

// The package's files, named without a directory: the tool runs with the
// package's directory as its current directory.
constexpr char kPackageDll[] = "OrvikPkg.dll";
constexpr char kSecondPackageDll[] = "VelPkg.dll";
constexpr char kVendorSpawner[] = "ovcspawn.exe";
// The IDE's build spawner and the name its own copy is kept under.
constexpr char kSpawner[] = "vcspawn.exe";
constexpr char kSpawnerBackup[] = "vcspawn_ms.exe";
// The tool's own file, as an installed copy carries it.
constexpr char kToolExe[] = "RegOrvikPkg.exe";
