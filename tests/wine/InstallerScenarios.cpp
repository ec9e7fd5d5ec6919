// The example installer (installer/) run by Wine's msiexec on a machine with
// the IDE: the tool's /s /install once the files are in place, its
// /s /uninstall before they go, and a failing tool failing the installation,
// whose files are rolled back while the tool's own changes stay.
#include "Scenario.h"

#define MSI "C:\\RegOrvikBench\\RegOrvikPkg.msi"
#define WITH_THE_INSTALLER "no-package-files put:" MSI "=RegOrvikPkg.msi "

SCENARIOS(Installer, {
    {"InstallRunsTheToolQuietly", WITH_THE_INSTALLER, "--cwd C:\\RegOrvikBench --exact msiexec /i " MSI " /qn", R"(
        exit 0
        + $VS\Packages\$GUID\
        + $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        + $VS\Packages\$GUID\Enabled = dword 1
        + $VS\Packages\$GUID\InstallPath = sz "$PKG86\\0"
        + class OrvikPkg.dll = $PKG86\OrvikPkg.dll
        + class VelPkg.dll = $PKG86\VelPkg.dll
        ~ $TOOLS\vcspawn.exe = ovcspawn.exe
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        + C:\Program Files (x86)\Orvik\
        + $PKG86\
        + $PKG86\OrvikPkg.dll = OrvikPkg.dll
        + $PKG86\ovcspawn.exe = ovcspawn.exe
        + $PKG86\RegOrvikPkg.exe = RegOrvikPkg.exe
        + $PKG86\vcspawn_ms.exe = vcspawn.exe
        + $PKG86\VelPkg.dll = VelPkg.dll
        run $PKG86\VelPkg.dll DllRegisterServer in $PKG86
        run $PKG86\OrvikPkg.dll DllRegisterServer in $PKG86
        run ""$IDE\Common7\IDE\devenv.exe" /setup" in $PKG86)"},
    // What the installation added goes, but for the copy of the IDE's
    // spawner beside it and the vendor's folder.
    {"UninstallRunsTheToolBeforeTheFilesGo", WITH_THE_INSTALLER "exec:msiexec%20/i%20" MSI "%20/qn",
     "--cwd C:\\RegOrvikBench --exact msiexec /x " MSI " /qn", R"(
        exit 0
        - $VS\Packages\$GUID\
        - $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        - $VS\Packages\$GUID\Enabled = dword 1
        - $VS\Packages\$GUID\InstallPath = sz "$PKG86\\0"
        - class OrvikPkg.dll = $PKG86\OrvikPkg.dll
        - class VelPkg.dll = $PKG86\VelPkg.dll
        ~ $TOOLS\vcspawn.exe = vcspawn.exe
        - $PKG86\
        - $PKG86\OrvikPkg.dll = OrvikPkg.dll
        - $PKG86\ovcspawn.exe = ovcspawn.exe
        - $PKG86\RegOrvikPkg.exe = RegOrvikPkg.exe
        - $PKG86\vcspawn_ms.exe = vcspawn.exe
        - $PKG86\VelPkg.dll = VelPkg.dll
        run $PKG86\OrvikPkg.dll DllUnregisterServer in $PKG86
        run $PKG86\VelPkg.dll DllUnregisterServer in $PKG86
        run ""$IDE\Common7\IDE\devenv.exe" /setup" in $PKG86)"},
    // Without the IDE's spawner /s /install fails silently; Wine's msiexec
    // then ends with 1627, Windows' with 1603.
    {"FailingToolFailsTheInstallation", WITH_THE_INSTALLER "no-ide-spawner", "--cwd C:\\RegOrvikBench --exact msiexec /i " MSI " /qn", R"(
        exit 1627
        + $VS\Packages\$GUID\
        + $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        + $VS\Packages\$GUID\InstallPath = sz "$PKG86\\0"
        + class VelPkg.dll = $PKG86\VelPkg.dll
        + C:\Program Files (x86)\Orvik\
        run $PKG86\VelPkg.dll DllRegisterServer in $PKG86)"},
});
