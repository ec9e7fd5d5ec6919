// /install: VelPkg.dll registered, the package enabled and the IDE set up
// again, after the installed version has been weighed against the tool's own
// 7.0, with the question and the installed copy's own uninstall; and what a
// failing step leaves behind.
#include "Scenario.h"

#define REINSTALL_QUESTION \
  R"(box "Reinstall Orvik Integration Tool" none "Orvik Integration Tool is already installed.\r\nWould you like to reinstall?" [Yes No])"
#define INSTALL_FAILED R"(box "RegOrvikPkg" error "Failed to install Orvik C++ Integration Tool\n" [OK] -> OK)"
SCENARIOS(Install, {
    // Nothing installed: the whole walk, silently. Under a suffix only the
    // suffixed package key makes an installed copy, whatever version the
    // unsuffixed one holds, and the IDE's set-up gets the suffix.
    {"SuffixedInstallIgnoresTheUnsuffixedVersion", "suffix=Exp installed=7.1", "--env ENVSDK_ROOTSUFFIX=Exp -- /install",
     "exit 0" INSTALL_CHANGES_BELOW("$VSExp", " /rootsuffix Exp")},

    // An older or the same version: asked first. Yes runs the installed
    // copy's own uninstall in its directory, which its regsvr32.exe and
    // devenv.exe inherit; the new copy's runs show the directory restored.
    {"OlderVersionAnsweredNoChangesNothing", "registered installed=6.5 older-copy", "--answer no -- /install",
     REINSTALL_QUESTION R"( -> No
        )" INSTALL_FAILED R"(
        exit -1)"},
    // Under a suffix too, the installed copy is the one whose version and
    // directory its installer keeps in the unsuffixed key; what the suffixed
    // key holds does not count.
    {"SuffixedReinstallWeighsTheUnsuffixedCopy",
     "suffix=Exp registered installed=6.5 older-copy reg:$VSExp\\Packages\\$GUID\\ProductVersion=sz0:7.1",
     "--env ENVSDK_ROOTSUFFIX=Exp --answer yes -- /install", REINSTALL_QUESTION R"( -> Yes
        exit 0
        + $VSExp\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll)" SPAWNERS_SWAPPED R"(
        run $OLD\VelPkg.dll DllUnregisterServer in $OLD
        run ""$IDE\Common7\IDE\devenv.exe" /setup /rootsuffix Exp" in $OLD)" INSTALL_RUNS_WITH(" /rootsuffix Exp")},
    // The copy's directory is used as stored: without its backslash the copy
    // is not found, which is reported, and the install goes on from the
    // tool's own directory.
    {"InstallPathWithoutBackslash", "registered installed=7.0 older-copy reg:$VS\\Packages\\$GUID\\InstallPath=sz0:$OLD",
     "--answer yes -- /install", REINSTALL_QUESTION R"( -> Yes
        box "RegOrvikPkg" exclamation "Error executing $OLDRegOrvikPkg.exe /uninstall" [OK] -> OK
        exit 0)" INSTALLED_OVER_THE_COPY INSTALL_RUNS},

    // A later version is said even in quiet mode, changes nothing and is no
    // failure: the run goes on with the next option.
    {"LaterVersionIsSaidAndTheRunGoesOn", "registered installed=7.1", "-- /s /install /install", R"(
        box "RegOrvikPkg" exclamation "Later version already installed" [OK] -> OK
        box "RegOrvikPkg" exclamation "Later version already installed" [OK] -> OK
        exit 0)"},
    // A version that cannot be read fails with the failure text alone: the
    // tool's own under another file name, or the installed one under a
    // suffix, whose unsuffixed key this machine lacks.
    {"OwnVersionUnreadableUnderAnotherName", "tool-name=Orvik%20Setup.exe registered installed=7.0", "-- /install", R"(
        box "Orvik Setup" error "Failed to install Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1)"},
    {"InstalledVersionUnreadableUnderASuffix", "suffix=Exp registered", "--env ENVSDK_ROOTSUFFIX=Exp -- /s /install", "exit -1"},

    // A failing step ends the install; what the steps before it did stays.
    {"EnableFailsWithVelPkgRegistered", "", "--env TESTBED_ORVIKPKG_FAIL=register -- /install", R"(
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s OrvikPkg.dll" [OK] -> OK
        )" INSTALL_FAILED R"(
        exit -1
        + $VS\Packages\$GUID\
        + $VS\Packages\$GUID\@ = sz "Orvik C++ Compiler Package\0"
        + $VS\Packages\$GUID\InstallPath = sz "$PKG\\0"
        + class VelPkg.dll = $PKG\VelPkg.dll)" SPAWNERS_SWAPPED R"(
        run $PKG\VelPkg.dll DllRegisterServer
        run $PKG\OrvikPkg.dll DllRegisterServer)"},
});
