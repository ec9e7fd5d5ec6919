// /uninstall: the package disabled first when it is enabled, VelPkg.dll
// unregistered, the IDE set up again, and the tool's own key removed once no
// subkey is left below it, its parent Software\Orvik staying in any case.
#include "Scenario.h"

// The tool's key holding a value of its own and no subkey.
#define TOOL_KEY_WITH_A_VALUE "registered reg:$TOOLKEY\\Note=sz0:kept "
#define COMPILER "reg:$TOOLKEY\\Compilers\\OrvikCC\\Executable=sz:C:\\oc\\bin "

SCENARIOS(Uninstall, {
    // Installed and uninstalled in one run: the enabled package is disabled
    // first, and only the copy of the IDE's spawner beside it stays behind.
    // No tool key is nothing to remove.
    {"InstallThenUninstallLeavesTheSpawnerCopy", "", "-- /install /uninstall", R"(
        exit 0
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe)" INSTALL_RUNS UNINSTALL_RUNS},
    // Only Enabled = 1 is disabled. The suffix reaches the IDE's set-up but
    // not the tool's key, which keeps its compilers; once they are gone it
    // goes, with its values.
    {"DisabledPackageUnderASuffixKeepsTheCompilers", "suffix=Exp registered enabled=2 " COMPILER,
     "--env ENVSDK_ROOTSUFFIX=Exp -- /uninstall", R"(
        exit 0
        - $VSExp\Packages\$GUID\
        - $VSExp\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        - $VSExp\Packages\$GUID\Enabled = dword 2
        - $VSExp\Packages\$GUID\InstallPath = sz "$PKG\\0"
        - class VelPkg.dll = $PKG\VelPkg.dll)" REMOVAL_RUNS_WITH(" /rootsuffix Exp")},
    // Enabled = 1 under a suffix: the disable finds the IDE's spawner through the suffixed root.
    {"EnabledPackageUnderASuffixIsDisabledFirst", "suffix=Exp " ENABLED, "--env ENVSDK_ROOTSUFFIX=Exp -- /uninstall", R"(
        exit 0
        - $VSExp\Packages\$GUID\
        - $VSExp\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        - $VSExp\Packages\$GUID\Enabled = dword 1
        - $VSExp\Packages\$GUID\InstallPath = sz "$PKG\\0"
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        - class VelPkg.dll = $PKG\VelPkg.dll
        ~ $TOOLS\vcspawn.exe = vcspawn.exe
        - $PKG\vcspawn_ms.exe = vcspawn.exe)" UNINSTALL_RUNS_WITH(" /rootsuffix Exp")},
    {"ToolKeyGoesWithItsValuesOnceTheCompilersAre", TOOL_KEY_WITH_A_VALUE COMPILER, "-- /UnregAllCompilers /uninstall", R"(
        exit 0
        - $VS\Packages\$GUID\
        - $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        - $VS\Packages\$GUID\InstallPath = sz "$PKG\\0"
        - $TOOLKEY\
        - $TOOLKEY\Note = sz "kept\0"
        - $TOOLKEY\Compilers\
        - $TOOLKEY\Compilers\OrvikCC\
        - $TOOLKEY\Compilers\OrvikCC\Executable = sz "C:\oc\bin"
        - class VelPkg.dll = $PKG\VelPkg.dll)" REMOVAL_RUNS_WITH("")},

    // A failing step ends the uninstall; what the steps before it did stays,
    // the tool's key included.
    {"VelPkgUnregistrationFailsAfterTheDisable", ENABLED, "--env TESTBED_VELPKG_FAIL=unregister -- /uninstall", R"(
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s /u VelPkg.dll" [OK] -> OK
        box "RegOrvikPkg" error "Failed to uninstall Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1
        ~ $VS\Packages\$GUID\Enabled = dword 0
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = vcspawn.exe
        - $PKG\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllUnregisterServer
        run $PKG\VelPkg.dll DllUnregisterServer)"},
    {"ToolKeyRefusedOtherThanAbsent", TOOL_KEY_WITH_A_VALUE, "--fault RegOpenKeyExA(Integration%20Tool)=5 -- /uninstall", R"(
        box "RegOrvikPkg" error "Failed to uninstall Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1
        - $VS\Packages\$GUID\
        - $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        - $VS\Packages\$GUID\InstallPath = sz "$PKG\\0"
        - class VelPkg.dll = $PKG\VelPkg.dll)" REMOVAL_RUNS_WITH("")},
    // Enabled = 1 but no backup of the IDE's spawner: the disable fails once
    // OrvikPkg.dll is unregistered, and nothing after it runs.
    {"DisableFailsQuietly", "registered enabled=1", "-- /s /uninstall", R"(
        exit -1
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},
});
