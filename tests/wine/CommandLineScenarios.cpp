// What a calling script sees of a run: the boxes or none, the exit code, and
// what stays done.
#include "Scenario.h"

SCENARIOS(CommandLine, {
    // A failure ends the run: what ran before stays done, nothing after runs.
    {"EarlierStepsStayDone", "", "-- /RegCompiler N B I L O P /SetCompiler Other", R"(
        box "RegOrvikPkg" error "Invalid argument: Other\n" [OK] -> OK
        exit -1)" LIST_CREATED("N") R"(
        + $TOOLKEY\Compilers\N\DefaultOptions = sz "O"
        + $TOOLKEY\Compilers\N\Documentation = sz "/SetCompiler"
        + $TOOLKEY\Compilers\N\Executable = sz "B"
        + $TOOLKEY\Compilers\N\Include = sz "I"
        + $TOOLKEY\Compilers\N\Library = sz "L"
        + $TOOLKEY\Compilers\N\TargetPlatform = sz "P")"},
    // Quiet mode, wherever it stands, leaves only the exit code to tell.
    {"QuietFailureEndsTheRunSilently", "", "-- /UnregAllCompilers /RegCompiler N B I L O P \"/s\"", R"(
        exit -1)"},
});
