// The example installer (installer/) run by Wine's msiexec on a machine with
// the IDE: the tool's /s /install once the files and the recorded version
// are in place, its /s /uninstall before they go, and a failing tool failing
// the installation, whose files are rolled back (Wine runs the rollback's
// /s /uninstall after them, when the tool is gone, so the tool's own changes
// stay). A repair, a newer build and a rebuild of the same version go over
// an installed one, an older build does not. A failing tool fails a removal
// while the IDE is there, which puts the package back; the removal succeeds
// once the IDE is gone, or with FORCEREMOVE=1. Where nobody sees (a
// deployment system's msiexec), nothing waits for a click.
#include "Scenario.h"

#define MSI "C:\\RegOrvikBench\\RegOrvikPkg.msi"
#define NEXT_MSI "C:\\RegOrvikBench\\RegOrvikPkg-next.msi"
#define REBUILT_MSI "C:\\RegOrvikBench\\RegOrvikPkg-rebuilt.msi"
#define WITH_THE_INSTALLER "no-package-files put:" MSI "=RegOrvikPkg.msi "
#define INSTALLED WITH_THE_INSTALLER "exec:msiexec%20/i%20" MSI "%20/qn "
#define MSIEXEC "--cwd C:\\RegOrvikBench --exact msiexec "
#define PRODUCT R"(product "Orvik Integration Tool" 7.0.270)"
// A removal takes away what the installation added, but for the copy of the
// IDE's spawner beside it and the vendor's folder. Wine's msiexec takes the
// emptied keys above the recorded values with them, up to the IDE's Packages
// key, which held only ours.
#define REMOVED                                                        \
  "\n" R"(- $VS\Packages\)"                                            \
  "\n" R"(- $VS\Packages\$GUID\)"                                      \
  "\n" R"(- $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0")" \
  "\n" R"(- $VS\Packages\$GUID\Enabled = dword 1)"                     \
  "\n" R"(- $VS\Packages\$GUID\InstallPath = sz "$PKG\\0")"          \
  "\n" R"(- $VS\Packages\$GUID\ProductVersion = sz "7.0\0")"           \
  "\n" R"(- class OrvikPkg.dll = $PKG\OrvikPkg.dll)"                 \
  "\n" R"(- class VelPkg.dll = $PKG\VelPkg.dll)"                     \
  "\n" R"(~ $TOOLS\vcspawn.exe = vcspawn.exe)"                         \
  "\n" R"(- $PKG\)"                                                  \
  "\n" R"(- $PKG\OrvikPkg.dll = OrvikPkg.dll)"                       \
  "\n" R"(- $PKG\ovcspawn.exe = ovcspawn.exe)"                       \
  "\n" R"(- $PKG\RegOrvikPkg.exe = RegOrvikPkg.exe)"                 \
  "\n" R"(- $PKG\vcspawn_ms.exe = vcspawn.exe)"                      \
  "\n" R"(- $PKG\VelPkg.dll = VelPkg.dll)"                           \
  "\n" "- " PRODUCT UNINSTALL_RUNS
// A product replaced: the older tool takes the package out, the newer puts
// it back.
#define REPLACED                                                                                                  \
  UNINSTALL_RUNS INSTALL_RUNS                                                                                     \
  "\n" R"(log A start-up: command line ""$PKG\RegOrvikPkg.exe" /s /uninstall" in $PKG, ENVSDK_ROOTSUFFIX "")" \
  "\n" R"(log A end: exit code 0)"                                                                                \
  "\n" R"(log B start-up: command line ""$PKG\RegOrvikPkg.exe" /s /install" in $PKG, ENVSDK_ROOTSUFFIX "")"   \
  "\n" R"(log B end: exit code 0)"

SCENARIOS(Installer, {
    {"InstallRunsTheToolQuietly", WITH_THE_INSTALLER, "--cwd C:\\RegOrvikBench --exact msiexec /i " MSI " /qn", R"(
        exit 0
        + $VS\Packages\$GUID\
        + $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        + $VS\Packages\$GUID\Enabled = dword 1
        + $VS\Packages\$GUID\InstallPath = sz "$PKG\\0"
        + $VS\Packages\$GUID\ProductVersion = sz "7.0\0"
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        + class VelPkg.dll = $PKG\VelPkg.dll
        ~ $TOOLS\vcspawn.exe = ovcspawn.exe
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        + C:\Program Files (x86)\Orvik\
        + $PKG\
        + $PKG\OrvikPkg.dll = OrvikPkg.dll
        + $PKG\ovcspawn.exe = ovcspawn.exe
        + $PKG\RegOrvikPkg.exe = RegOrvikPkg.exe
        + $PKG\vcspawn_ms.exe = vcspawn.exe
        + $PKG\VelPkg.dll = VelPkg.dll
        + )" PRODUCT INSTALL_RUNS},
    {"UninstallRunsTheToolBeforeTheFilesGo", INSTALLED, MSIEXEC "/x " MSI " /qn", "exit 0" REMOVED},

    // A repair runs /s /install again: it finds the version the installer
    // recorded, the same as its own, and installs over itself.
    {"RepairInstallsOverItself", INSTALLED, MSIEXEC "/i " MSI " REINSTALL=ALL REINSTALLMODE=vomus /qn", "exit 0" INSTALL_RUNS},
    // A newer build removes the older product, then installs itself; a
    // second build of the same version, with a product code of its own, does
    // the same, leaving one product. An older build is refused.
    {"NewerBuildReplacesTheOlder", INSTALLED "put:" NEXT_MSI "=RegOrvikPkg-next.msi",
     "--log start-up:%20command|end: " MSIEXEC "/i " NEXT_MSI " /qn", R"(
        exit 0
        - )" PRODUCT R"(
        + product "Orvik Integration Tool" 7.0.271)" REPLACED},
    {"SameVersionRebuildReplacesTheInstalled", INSTALLED "put:" REBUILT_MSI "=RegOrvikPkg-rebuilt.msi",
     "--log start-up:%20command|end: " MSIEXEC "/i " REBUILT_MSI " /qn", "exit 0" REPLACED},
    {"OlderBuildIsRefused", WITH_THE_INSTALLER "put:" NEXT_MSI "=RegOrvikPkg-next.msi exec:msiexec%20/i%20" NEXT_MSI "%20/qn",
     "--unattended " MSIEXEC "/i " MSI " /qn", "exit 1603"},

    // A failing tool fails the installation, which Wine's msiexec ends with
    // 1627, Windows' with 1603; where nobody sees, its report is not shown
    // and the installation ends by itself, rolled back.
    {"UnattendedFailingInstallEndsByItself", WITH_THE_INSTALLER,
     "--unattended --env TESTBED_VELPKG_FAIL=register --log nobody|end: " MSIEXEC "/i " MSI " /qn", R"(
        exit 1627
        - $VS\Packages\
        + C:\Program Files (x86)\Orvik\
        run $PKG\VelPkg.dll DllRegisterServer
        log A start-up: nobody can see this program's windows: its window station is not visible
        log A /install: nobody can see the message box "RegOrvikPkg" "Error executing regsvr32.exe /c /s VelPkg.dll": taken as OK
        log A /install: nobody can see the message box "RegOrvikPkg" "Failed to install Orvik C++ Integration Tool\n": taken as OK
        log A end: exit code -1)"},
    // Without the IDE the package is refused before anything is installed.
    {"InstallWithoutTheIdeIsRefused", WITH_THE_INSTALLER "no-ide", "--unattended " MSIEXEC "/i " MSI " /qn", "exit 1603"},
    // Once the IDE is gone the tool can only fail, unseen; the removal
    // succeeds all the same.
    {"RemovalAfterTheIdeIsGoneSucceeds", INSTALLED "regdel:$VS", "--unattended --log nobody|end: " MSIEXEC "/x " MSI " /qn", R"(
        exit 0
        - $PKG\OrvikPkg.dll = OrvikPkg.dll
        - $PKG\ovcspawn.exe = ovcspawn.exe
        - $PKG\RegOrvikPkg.exe = RegOrvikPkg.exe
        - $PKG\VelPkg.dll = VelPkg.dll
        - )" PRODUCT R"(
        log A start-up: nobody can see this program's windows: its window station is not visible
        log A /uninstall: nobody can see the message box "Error" "The key "HKEY_LOCAL_MACHINE\Software\Microsoft\VisualStudio\7.0" is absent in the Registry.": taken as OK
        log A /uninstall: nobody can see the message box "RegOrvikPkg" "Failed to uninstall Orvik C++ Integration Tool\n": taken as OK
        log A end: exit code -1)"},
    // While the IDE is there a failing tool (A) fails the removal, whose
    // rollback puts the package back with /s /install (B, failing again on
    // the same set-up), its files still in place. Wine's rollback also drops
    // the product's registration, which Windows keeps: left out.
    {"RemovalWithAFailingToolFailsWhileTheIdeIsThere", INSTALLED,
     "--unattended --env TESTBED_DEVENV_EXIT=2 --ignore product --log end: " MSIEXEC "/x " MSI " /qn", R"(
        exit 1627)" UNINSTALL_RUNS INSTALL_RUNS R"(
        log A end: exit code -1
        log B end: exit code -1)"},
    // FORCEREMOVE=1 takes it out all the same.
    {"ForcedRemovalIgnoresAFailingTool", INSTALLED,
     "--unattended --env TESTBED_DEVENV_EXIT=2 --log end: " MSIEXEC "/x " MSI " FORCEREMOVE=1 /qn",
     "exit 0" REMOVED "\nlog A end: exit code -1"},
});
