#pragma once
// The simulated machine the scenario tests and the sandbox run the tool on:
// where the IDE, the package and the tool's own traces live. The scenario
// fixture, provision.exe and snapshot.exe all take their paths from here.

#include <string>

namespace bench::layout {

// Where the build leaves the pieces, relative to the build directory
// (REGORVIK_BUILD_DIR, a Windows path such as Z:\src\build\win64).
constexpr char kBuiltTool[] = "src\\RegOrvikPkg.exe";
constexpr char kBuiltOrvikPkg[] = "testbed\\OrvikPkg.dll";
constexpr char kBuiltVelPkg[] = "testbed\\VelPkg.dll";
constexpr char kBuiltVendorSpawner[] = "testbed\\ovcspawn.exe";
constexpr char kBuiltVendorSpawnerCaps[] = "testbed\\ovcspawn_caps.exe";
constexpr char kBuiltIdeSpawner[] = "testbed\\vcspawn.exe";
constexpr char kBuiltDevenv[] = "testbed\\devenv.exe";
constexpr char kBuiltIdeWindow[] = "testbed\\ide_window.exe";
constexpr char kBuiltEmpty[] = "testbed\\empty.exe";

// The IDE, installed where it installs by default.
#define BENCH_IDE_ROOT "C:\\Program Files\\Microsoft Visual Studio .NET"
constexpr char kIdeRoot[] = BENCH_IDE_ROOT;
constexpr char kIdeExeDir[] = BENCH_IDE_ROOT "\\Common7\\IDE\\";
constexpr char kIdeToolsDir[] = BENCH_IDE_ROOT "\\Common7\\Tools\\";
#undef BENCH_IDE_ROOT

// The package: the tool runs from its directory, which holds its files.
constexpr char kVendorDir[] = "C:\\Program Files\\Orvik";
constexpr char kPackageDir[] = "C:\\Program Files\\Orvik\\Compiler Integration\\";
constexpr char kOlderCopyDir[] = "C:\\Program Files\\Orvik\\Compiler Integration 6.5\\";
constexpr char kToolName[] = "RegOrvikPkg.exe";
constexpr char kPackageFiles[][16] = {"OrvikPkg.dll", "VelPkg.dll", "ovcspawn.exe"};

// The bench's own corner: the testbed programs' run log.
constexpr char kBenchDir[] = "C:\\RegOrvikBench";
constexpr char kRunLog[] = "C:\\RegOrvikBench\\testbed.log";

// Registry keys, below HKEY_LOCAL_MACHINE.
constexpr char kVisualStudioKey[] = "Software\\Microsoft\\VisualStudio";
constexpr char kIdeVersion[] = "7.0";
constexpr char kPackageGuid[] = "{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kOrvikPkgClsid[] = "{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}";
constexpr char kVendorKey[] = "Software\\Orvik";
constexpr char kToolKey[] = "Software\\Orvik\\Compiler Integration Tool";
constexpr char kPackageName[] = "Orvik C++ Compiler Package";

inline std::string IdeRootKey(const std::string& rootSuffix) {
  return std::string(kVisualStudioKey) + "\\" + kIdeVersion + rootSuffix;
}
inline std::string PackageKey(const std::string& rootSuffix) {
  return IdeRootKey(rootSuffix) + "\\Packages\\" + kPackageGuid;
}
// The key the package's installer writes ProductVersion and InstallPath to:
// never suffixed.
inline std::string BasePackageKey() { return PackageKey(""); }
inline std::string ClassKey(const std::string& clsid) { return "Software\\Classes\\CLSID\\" + clsid; }

}  // namespace bench::layout
