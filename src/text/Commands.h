#pragma once
// The command lines the tool gives outside programs, and the files it names.

#include <string>

// "regsvr32.exe /c /s DLL", and with /u to unregister.
std::string RegisterServer(const char* dll);
std::string UnregisterServer(const char* dll);

// The IDE's set-up run: the quoted devenv.exe path, /setup, and /rootsuffix
// with the suffix when there is one.
std::string IdeSetup(const std::string& ideExeDir, const std::string& rootSuffix);

// An installed copy's own uninstall: its directory and file name, unquoted.
std::string UninstallCopy(const std::string& installPath);

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
