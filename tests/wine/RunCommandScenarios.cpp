// Outside programs as the user meets them, through the IDE's set-up run and
// regsvr32.exe, each started in the package directory: exit code 1 is
// success as well as 0; any other code, or a program that cannot be started,
// is reported once with the exact command line, quiet or not, and ends the
// operation, leaving what it did before.
#include "Scenario.h"

// After a successful set-up run, uninstall removes the tool's key when it is empty.
#define EMPTY_TOOL_KEY "mkkey:$TOOLKEY"

SCENARIOS(RunCommand, {
    {"SetupExitingWithOneSucceeds", EMPTY_TOOL_KEY, "--env TESTBED_DEVENV_EXIT=1 -- /uninstall", R"(
        exit 0
        - $TOOLKEY\)" REMOVAL_RUNS_WITH("")},
    {"SetupExitingWithTwoIsReported", EMPTY_TOOL_KEY, "--env TESTBED_DEVENV_EXIT=2 -- /uninstall", R"(
        box "RegOrvikPkg" exclamation "Error executing "$IDE\Common7\IDE\devenv.exe" /setup" [OK] -> OK
        box "RegOrvikPkg" error "Failed to uninstall Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1)" REMOVAL_RUNS_WITH("")},
    {"ReportedInQuietModeWithTheSuffix", "suffix=Exp",
     "--env ENVSDK_ROOTSUFFIX=Exp --env TESTBED_DEVENV_EXIT=0xFFFFFFFF -- /s /uninstall", R"(
        box "RegOrvikPkg" exclamation "Error executing "$IDE\Common7\IDE\devenv.exe" /setup /rootsuffix Exp" [OK] -> OK
        exit -1)" REMOVAL_RUNS_WITH(" /rootsuffix Exp")},
    {"InstallWhoseSetupFailsKeepsTheRest", "", "--env TESTBED_DEVENV_EXIT=259 -- /install", R"(
        box "RegOrvikPkg" exclamation "Error executing "$IDE\Common7\IDE\devenv.exe" /setup" [OK] -> OK
        box "RegOrvikPkg" error "Failed to install Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1)" INSTALL_CHANGES},

    // A regsvr32.exe beside the tool and in its current directory, which
    // anybody who may write there could have put there, is not run.
    {"PlantedRegisterServerIsNotRun", "registered put:$PKG\\regsvr32.exe=devenv.exe", "-- /s /enable", R"(
        exit 0
        + $VS\Packages\$GUID\Enabled = dword 1)" ENABLE_CHANGES},

    {"RegistrationThatCannotStartEndsTheInstall", "", "--fault CreateProcessA(regsvr32)=2 -- /install", R"(
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s VelPkg.dll" [OK] -> OK
        box "RegOrvikPkg" error "Failed to install Orvik C++ Integration Tool\n" [OK] -> OK
        exit -1)"},
});
