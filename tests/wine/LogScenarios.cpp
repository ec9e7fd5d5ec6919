// The diagnostic log of REGORVIK_LOG: every step of a run, why a run failed
// (the command line and exit code of a program, the key, call and error of a
// registry write), both processes of a reinstall in one file, and a log that
// cannot be written changing nothing.
#include "Scenario.h"

SCENARIOS(Log, {
    {"QuietInstallLogsEveryStep", "", "--log * -- /s /install", R"(
        exit 0)" INSTALL_CHANGES R"(
        log A start-up: look for a window of class wndclass_desked_gsk with an IDE's title: none
        log A start-up: command line ""$PKG\RegOrvikPkg.exe" /s /install" in $PKG, ENVSDK_ROOTSUFFIX ""
        log A /install: open key $VS with KEY_READ
        log A /install: open key $VS\Packages\$GUID\ with KEY_ALL_ACCESS: RegOpenKeyExA failed with error 2: File not found.
        log A /install: start "regsvr32.exe /c /s VelPkg.dll" in $PKG
        log A /install: "regsvr32.exe /c /s VelPkg.dll" ended with exit code 0
        log A /install: open key $VS\Packages\$GUID with KEY_READ
        log A /install: read value InstallPath of $VS\Packages\$GUID: REG_SZ, 51 bytes
        log A /install: open key $VS with KEY_ALL_ACCESS
        log A /install: read value InstallDir of $VS: REG_SZ, 65 bytes
        log A /install: load $TOOLS\vcspawn.exe to read its string 101: "Build Spawner"
        log A /install: copy $TOOLS\vcspawn.exe to $PKG\vcspawn_ms.exe unless it exists
        log A /install: load $PKG\vcspawn_ms.exe to read its string 101: "Build Spawner"
        log A /install: copy $TOOLS\vcspawn.exe to $TOOLS\vcspawn_ms.exe
        log A /install: copy ovcspawn.exe to $TOOLS\vcspawn.exe
        log A /install: start "regsvr32.exe /c /s OrvikPkg.dll" in $PKG
        log A /install: "regsvr32.exe /c /s OrvikPkg.dll" ended with exit code 0
        log A /install: open key $VS\Packages\$GUID\ with KEY_ALL_ACCESS
        log A /install: write value Enabled of $VS\Packages\$GUID\: REG_DWORD, 4 bytes
        log A /install: open key $VS with KEY_ALL_ACCESS
        log A /install: read value InstallDir of $VS: REG_SZ, 65 bytes
        log A /install: start ""$IDE\Common7\IDE\devenv.exe" /setup" in $PKG
        log A /install: ""$IDE\Common7\IDE\devenv.exe" /setup" ended with exit code 0
        log A end: exit code 0)"},
    {"FailingRegistrationNamesTheCommandAndItsExitCode", "registered",
     "--env TESTBED_ORVIKPKG_FAIL=register --log regsvr32|message%20box|quiet|end: -- /s /enable", R"(
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s OrvikPkg.dll" [OK] -> OK
        exit -1)" SPAWNERS_SWAPPED R"(
        run $PKG\OrvikPkg.dll DllRegisterServer
        log A /enable: start "regsvr32.exe /c /s OrvikPkg.dll" in $PKG
        log A /enable: "regsvr32.exe /c /s OrvikPkg.dll" ended with exit code 5
        log A /enable: message box "RegOrvikPkg" "Error executing regsvr32.exe /c /s OrvikPkg.dll": OK
        log A /enable: quiet mode hides "Failed to register Orvik Package\n"
        log A end: exit code -1)"},
    {"RefusedWriteNamesTheKeyTheCallAndTheError", "registered",
     "--fault RegSetValueExA(Enabled)=5 --log failed%20with|end: -- /enable", R"(
        box "RegOrvikPkg" error "Failed to register Orvik Package\n" [OK] -> OK
        exit -1)" ENABLE_CHANGES R"(
        log A /enable: write value Enabled of $VS\Packages\$GUID\: REG_DWORD, 4 bytes: RegSetValueExA failed with error 5: Access denied.
        log A end: exit code -1)"},
    {"ReinstallLogsBothProcesses", "registered installed=7.0 older-copy",
     "--answer yes --log start-up:%20command|end: -- /install", R"(
        box "Reinstall Orvik Integration Tool" none "Orvik Integration Tool is already installed.\r\nWould you like to reinstall?" [Yes No] -> Yes
        exit 0)" INSTALLED_OVER_THE_COPY R"(
        run $OLD\VelPkg.dll DllUnregisterServer in $OLD
        run ""$IDE\Common7\IDE\devenv.exe" /setup" in $OLD)" INSTALL_RUNS R"(
        log A start-up: command line ""$PKG\RegOrvikPkg.exe" /install" in $PKG, ENVSDK_ROOTSUFFIX ""
        log B start-up: command line ""$OLD\RegOrvikPkg.exe" /uninstall" in $OLD, ENVSDK_ROOTSUFFIX ""
        log B end: exit code 0
        log A end: exit code 0)"},
    {"UnwritableLogChangesNothing", "registered",
     "--env REGORVIK_LOG=C:\\No%20Such%20Folder\\orvik.log -- /s /enable", R"(
        exit 0
        + $VS\Packages\$GUID\Enabled = dword 1)" ENABLE_CHANGES},
});
