#pragma once
// Scenario tables: the real RegOrvikPkg.exe run under Wine on a simulated
// machine, one row a case, one table a feature. A row:
//
//   {"Name", "MACHINE WORDS", "RUN OPTIONS -- ARGUMENTS", R"(TRANSCRIPT)"},
//
// - Name: the test's name, letters and digits.
// - Machine words: the machine, as `bench.exe provision` builds it
//   (tools/bench/README.md); "" is the IDE and the package's files alone.
// - Run options: those of `bench.exe run` (--env, --unset, --answer, --fault,
//   --ide-window, --app), split at blanks, %XX standing for the byte XX
//   (%20 a blank). After "-- " come the tool's arguments exactly as written,
//   behind its quoted full path; "--exact " is followed by the whole command
//   line instead, {exe} standing for that quoted path. The tool runs in the
//   package directory.
// - Transcript: the windows with what was done to them, the exit code, the
//   machine's changes and the programs run, as `bench.exe run --machine`
//   prints them. Lines are compared without their leading and trailing
//   blanks, empty lines left out; write R"-(...)-" when a text holds )".
//   A row written with "" fails and prints the transcript of its run: check
//   it against what the tool must do before pasting it in.
//
// SCENARIOS(Table, {rows...}); declares a table; its tests are Table/Scenarios.Run/Name.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

struct Scenario {
  const char* name;
  const char* machine;
  const char* run;
  const char* transcript;
};

inline void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

class Scenarios : public ::testing::TestWithParam<Scenario> {};

// Machines and transcript pieces several tables share.
// 64 letters, of which values too long for the tool are made.
#define X64 "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
// The compiler list made where there was none, down to the key of compiler `name`.
#define LIST_CREATED(name) \
  "\n" R"(+ HKLM\Software\Orvik\)" "\n" R"(+ $TOOLKEY\)" "\n" R"(+ $TOOLKEY\Compilers\)" "\n" R"(+ $TOOLKEY\Compilers\)" name R"(\)"
// What /enable leaves: the vendor's spawner in place, the IDE's own beside it
// and in the package directory, OrvikPkg.dll registered, Enabled = 1.
#define ENABLED                                                                                     \
  "registered enabled=1 put:$TOOLS\\vcspawn.exe=ovcspawn.exe put:$TOOLS\\vcspawn_ms.exe=vcspawn.exe " \
  "put:$PKG\\vcspawn_ms.exe=vcspawn.exe "                                                            \
  "reg:HKLM\\Software\\Classes\\CLSID\\{8F4A1C3E-2B6D-4E97-A5C0-7D19E3B8F264}\\InprocServer32\\@=sz0:$PKG\\OrvikPkg.dll "
// The IDE's spawner swapped for the vendor's, the IDE's own kept beside it
// and in the package directory.
#define SPAWNERS_SWAPPED                          \
  "\n" R"(~ $TOOLS\vcspawn.exe = ovcspawn.exe)"   \
  "\n" R"(+ $TOOLS\vcspawn_ms.exe = vcspawn.exe)" \
  "\n" R"(+ $PKG\vcspawn_ms.exe = vcspawn.exe)"
// What an enable does to the spawners and OrvikPkg.dll, after its line for Enabled.
#define ENABLE_CHANGES \
  "\n" R"(+ class OrvikPkg.dll = $PKG\OrvikPkg.dll)" SPAWNERS_SWAPPED "\n" R"(run $PKG\OrvikPkg.dll DllRegisterServer)"
// The IDE set up again, `suffix` following /setup.
#define IDE_SETUP(suffix) "\n" R"(run ""$IDE\Common7\IDE\devenv.exe" /setup)" suffix "\""
// An install's runs, all from the package directory; an uninstall's after
// its disable; and the whole uninstall's.
#define INSTALL_RUNS_WITH(suffix) \
  "\n" R"(run $PKG\VelPkg.dll DllRegisterServer)" "\n" R"(run $PKG\OrvikPkg.dll DllRegisterServer)" IDE_SETUP(suffix)
#define INSTALL_RUNS INSTALL_RUNS_WITH("")
#define REMOVAL_RUNS_WITH(suffix) "\n" R"(run $PKG\VelPkg.dll DllUnregisterServer)" IDE_SETUP(suffix)
#define UNINSTALL_RUNS_WITH(suffix) "\n" R"(run $PKG\OrvikPkg.dll DllUnregisterServer)" REMOVAL_RUNS_WITH(suffix)
#define UNINSTALL_RUNS UNINSTALL_RUNS_WITH("")
// A whole /install from the IDE and the package's files alone, below the
// IDE's root `vs`, the IDE's set-up run with `suffix`.
#define INSTALL_CHANGES_BELOW(vs, suffix)                              \
  "\n+ " vs R"(\Packages\$GUID\)"                                      \
  "\n+ " vs R"(\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0")" \
  "\n+ " vs R"(\Packages\$GUID\Enabled = dword 1)"                     \
  "\n+ " vs R"(\Packages\$GUID\InstallPath = sz "$PKG\\0")"            \
  "\n" R"(+ class OrvikPkg.dll = $PKG\OrvikPkg.dll)"                   \
  "\n" R"(+ class VelPkg.dll = $PKG\VelPkg.dll)" SPAWNERS_SWAPPED INSTALL_RUNS_WITH(suffix)
#define INSTALL_CHANGES INSTALL_CHANGES_BELOW("$VS", "")
// Installed over a copy: without a suffix the package key is also where the
// copy's installer keeps ProductVersion and InstallPath ($OLD), and VelPkg.dll's
// registration points InstallPath at the new copy.
#define INSTALLED_OVER_THE_COPY                             \
  "\n" R"(+ $VS\Packages\$GUID\Enabled = dword 1)"          \
  "\n" R"(~ $VS\Packages\$GUID\InstallPath = sz "$PKG\\0")" \
  "\n" R"(+ class OrvikPkg.dll = $PKG\OrvikPkg.dll)" SPAWNERS_SWAPPED

// The usage window's text, as the transcript shows it.
#define USAGE_TEXT                                                                                          \
  R"(Usage: RegOrvikPkg [option]\r\nOption may be one of the following:\r\n)"                               \
  R"(/Install\t- Install and register Orvik Integration Packages.\r\n)"                                     \
  R"(/Uninstall\t- Uninstall Orvik Integration Packages.\r\n)"                                              \
  R"(/Enable\t- Register Orvik Integration Package.\r\n/Disable\t- Unregister Orvik Integration Package.\r\n)" \
  R"(/RegCompiler <NAME> <BIN> <INC> <LIB> <DEFPARMS> <PLATFORM> [DOC] -\r\n)"                                \
  R"(\tRegister compiler with specified NAME, BIN, INC, LIB paths,\r\n\tdocumentation path DOC\r\n)"         \
  R"(\tdefault parameters (DEFPARMS) and target PLATFORM.\r\n\tPlatforms are: WIN32.\r\n)"                    \
  R"(/UnregCompiler <NAME>\t- Unregister compiler with specified NAME.\r\n)"                                  \
  R"(/SetCompiler <NAME>\t- Set default compiler.\r\n)"                                                       \
  R"(/UnregAllCompilers\t\t- Unregister all registered compilers.\r\n/? or /h\t- Shows this help.)"

#define SCENARIOS(table, ...)                                                    \
  const Scenario table##Rows[] = __VA_ARGS__;                                    \
  INSTANTIATE_TEST_SUITE_P(table, Scenarios, ::testing::ValuesIn(table##Rows), \
                           [](const ::testing::TestParamInfo<Scenario>& row) { return std::string(row.param.name); })
