#pragma once
// The simulated machine: where the IDE, the package and the bench's own
// traces live, and the short names the transcripts and machine words use.
// It is 64-bit Windows as the tool's users have it: the IDE and the package
// are 32-bit, so their folders are below Program Files (x86), and their keys
// in the 32-bit registry view, where the i686 bench works.

namespace bench::layout {

#define BENCH_IDE_ROOT "C:\\Program Files (x86)\\Microsoft Visual Studio .NET"
#define BENCH_PACKAGE_DIR "C:\\Program Files (x86)\\Orvik\\Compiler Integration"
#define BENCH_IDE_KEYS "Software\\Microsoft\\VisualStudio"
constexpr char kIdeRoot[] = BENCH_IDE_ROOT;
constexpr char kIdeExeDir[] = BENCH_IDE_ROOT "\\Common7\\IDE\\";
constexpr char kIdeToolsDir[] = BENCH_IDE_ROOT "\\Common7\\Tools\\";
constexpr char kVendorDir[] = "C:\\Program Files (x86)\\Orvik";
constexpr char kPackageDir[] = BENCH_PACKAGE_DIR "\\";
constexpr char kOlderCopyDir[] = BENCH_PACKAGE_DIR " 6.5\\";
constexpr char kToolName[] = "RegOrvikPkg.exe";
constexpr char kPackageFiles[][16] = {"OrvikPkg.dll", "VelPkg.dll", "ovcspawn.exe"};
constexpr char kBenchDir[] = "C:\\RegOrvikBench";
constexpr char kRunLog[] = "C:\\RegOrvikBench\\testbed.log";
// The example installer's upgrade code, which all its versions share.
constexpr char kInstallerUpgradeCode[] = "{6A1F0C53-5B2E-4F7D-9C31-2E8D4B7A9F10}";
// Wine's setting of the Windows version it tells programs (below
// HKEY_CURRENT_USER): a run's --windows-version.
constexpr char kWineKey[] = "Software\\Wine";
constexpr char kWineVersion[] = "Version";
constexpr char kToolLog[] = "C:\\RegOrvikBench\\RegOrvikPkg.log";  // REGORVIK_LOG of a run with --log

// Below HKEY_LOCAL_MACHINE.
constexpr char kIdeKeys[] = BENCH_IDE_KEYS;  // the IDE's roots 7.0<suffix> are below
constexpr char kIdeRootKey[] = BENCH_IDE_KEYS "\\7.0";
constexpr char kPackageGuid[] = "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kOrvikPkgClsid[] = "{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}";
constexpr char kVendorKey[] = "Software\\Orvik";
constexpr char kClassesKey[] = "Software\\Classes\\CLSID\\";

// The testbed's COM classes, by the DLL that registers each.
constexpr char kClasses[][2][48] = {{"OrvikPkg.dll", "{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}"},
                                    {"VelPkg.dll", "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}"}};

// Longest path first, so that $TOOLS wins over $IDE and $OLD over $PKG.
constexpr char kAliases[][2][80] = {{"$TOOLS", BENCH_IDE_ROOT "\\Common7\\Tools"},
                                    {"$OLD", BENCH_PACKAGE_DIR " 6.5"},
                                    {"$TOOLKEY", "HKLM\\Software\\Orvik\\Compiler Integration Tool"},
                                    {"$IDE", BENCH_IDE_ROOT},
                                    {"$PKG", BENCH_PACKAGE_DIR},
                                    {"$VS", "HKLM\\" BENCH_IDE_KEYS "\\7.0"},
                                    {"$GUID", "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}"}};

#undef BENCH_IDE_ROOT
#undef BENCH_PACKAGE_DIR
#undef BENCH_IDE_KEYS

}  // namespace bench::layout
