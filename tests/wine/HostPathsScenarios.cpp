// Where the tool looks for the IDE and the package, seen through what /enable
// and /disable do with the directories it derives from InstallDir and
// InstallPath (the provisioned IDE stays as a decoy; the install and
// uninstall tables keep the unsuffixed keys as decoys under a suffix); and
// the box that names the IDE's root key when it is missing.
#include "Scenario.h"

// Characters of code page 932 whose second byte is a backslash, and the
// double-byte blank. A byte-wise search would cut the IDE's root in the
// wrong place, keep blanks whose second byte is '@', or miss the backslash a
// package directory lacks.
#define SO "\x83\x5C"
#define HYOU "\x95\x5C"
#define NOU "\x94\x5C"
#define WIDE_BLANK "\x81\x40"
#define VENDOR "C:\\Program%20Files%20(x86)\\Orvik\\"
#define X1024 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64 X64

SCENARIOS(HostPaths, {
    {"BlanksAroundAPathWithoutBackslash",
     "registered put:$IDE\\Second%20Copy\\Common7\\Tools\\vcspawn.exe=vcspawn.exe mkdir:" VENDOR "Backups "
     "reg:$VS\\InstallDir=sz0:$IDE\\Second%20Copy\\Common7\\IDE\\ "
     "reg:$VS\\Packages\\$GUID\\InstallPath=sz0:%20%09%20" VENDOR "Backups%20%09",
     "-- /enable", R"(
        exit 0
        + $VS\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $IDE\Second Copy\Common7\Tools\vcspawn.exe = ovcspawn.exe
        + $IDE\Second Copy\Common7\Tools\vcspawn_ms.exe = vcspawn.exe
        + C:\Program Files (x86)\Orvik\Backups\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllRegisterServer)"},

    // An InstallDir the tool cannot read whole (1,024 letters and a
    // terminator: one byte more than it reads) gives no IDE root at all; an
    // empty InstallPath is the root of the current drive.
    {"InstallDirTooLongGivesNoIdeRoot", ENABLED "reg:$VS\\InstallDir=sz0:" X1024, "-- /disable", R"(
        box "RegOrvikPkg" exclamation "Can't copy file $PKG\vcspawn_ms.exe\nto \Common7\Tools\vcspawn.exe" [OK] -> OK
        box "RegOrvikPkg" error "Failed to unregister Orvik Package\n" [OK] -> OK
        exit -1
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},
    // The backup there, C:\vcspawn_ms.exe, goes back; the one in $PKG stays.
    {"EmptyInstallPathIsTheDrivesRoot", ENABLED "reg:$VS\\Packages\\$GUID\\InstallPath=sz0: put:C:\\vcspawn_ms.exe=vcspawn.exe",
     "-- /disable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 0
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},

    // Shown even in quiet mode, naming the root of the run, suffixed or not.
    {"NoIdeNamesTheSuffixedKeyWhenQuiet", "no-ide", "--env ENVSDK_ROOTSUFFIX=Exp -- /uninstall /s", R"(
        box "Error" error "The key "HKEY_LOCAL_MACHINE\Software\Microsoft\VisualStudio\7.0Exp" is absent in the Registry." [OK] -> OK
        exit -1)"},
    {"SuffixedIdeUnsuffixedRun", "suffix=Exp", "-- /install", R"(
        box "Error" error "The key "HKEY_LOCAL_MACHINE\Software\Microsoft\VisualStudio\7.0" is absent in the Registry." [OK] -> OK
        box "RegOrvikPkg" error "Failed to install Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1)"},
});

// Run in code page 932 by the ctest wine_scenarios_cp932; in any other code page they fail.
SCENARIOS(CodePage932, {
    {"TrailBytesInEveryCutComponent",
     "registered put:$IDE\\" HYOU "\\Common7\\Tools\\vcspawn.exe=vcspawn.exe mkdir:" VENDOR SO HYOU " "
     "reg:$VS\\InstallDir=sz0:$IDE\\" HYOU "\\" SO "\\" NOU "\\ "
     "reg:$VS\\Packages\\$GUID\\InstallPath=sz0:%20" WIDE_BLANK VENDOR SO HYOU WIDE_BLANK "%20",
     "-- /enable", R"(
        exit 0
        + $VS\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $IDE\)" HYOU R"(\Common7\Tools\vcspawn.exe = ovcspawn.exe
        + $IDE\)" HYOU R"(\Common7\Tools\vcspawn_ms.exe = vcspawn.exe
        + C:\Program Files (x86)\Orvik\)" SO HYOU R"(\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllRegisterServer)"},
    // The caption, the program's file name, is cut at its last real backslash too.
    {"CaptionEndingInATrailByteBackslash", "tool-name=Setup" SO ".exe", "-- bogus", R"(
        box "Setup)" SO R"(" error "Invalid argument: bogus\n" [OK] -> OK
        exit -1)"},
});
