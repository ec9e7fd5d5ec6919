// Where nobody can see the tool's windows (an installer's action or a
// service running as LocalSystem, on a window station no user sees): every
// box that quiet mode keeps is written to the log instead and taken as OK,
// so the run ends by itself with quiet mode's exit code; the usage window
// and the dialog are not opened; nothing is asked, with /s or without. Such
// a run logs to the temporary folder when no log is named. The bench fails
// a row at once when a window shows there.
#include "Scenario.h"

// A temporary folder whose files the transcript shows: $PKG\Temp.
#define PKG_TEMP "C:\\Program%20Files%20(x86)\\Orvik\\Compiler%20Integration\\Temp"
#define UNSEEN "--unattended --log nobody|end: "
// The log's first line where nobody sees.
#define UNSEEN_START "\n" R"(log A start-up: nobody can see this program's windows: its window station is not visible)"
// The start and end of a log in the temporary folder, REGORVIK_LOG unset.
#define TEMPORARY_LOG "--unset REGORVIK_LOG --env TMP=C:\\RegOrvikBench --env TEMP=C:\\RegOrvikBench --log start-up|end: "

SCENARIOS(Unattended, {
    // The boxes quiet mode keeps.
    {"IdeOpen", "", UNSEEN "--ide-window wndclass_desked_gsk| -- /s /install", R"(
        exit -1)" UNSEEN_START R"(
        log A start-up: nobody can see the message box "RegOrvikPkg" "Close the Visual Studio IDE before starting this utility": taken as OK
        log A end: exit code -1)"},
    {"IdeKeyMissing", "no-ide", UNSEEN "-- /s /uninstall", R"(
        exit -1)" UNSEEN_START R"(
        log A /uninstall: nobody can see the message box "Error" "The key "HKEY_LOCAL_MACHINE\Software\Microsoft\VisualStudio\7.0" is absent in the Registry.": taken as OK
        log A /uninstall: nobody can see the message box "RegOrvikPkg" "Failed to uninstall Orvik C++ Integration Tool\n": taken as OK
        log A end: exit code -1)"},
    {"ProgramFailed", "", UNSEEN "--env TESTBED_VELPKG_FAIL=register -- /s /install", R"(
        exit -1
        run $PKG\VelPkg.dll DllRegisterServer)" UNSEEN_START R"(
        log A /install: nobody can see the message box "RegOrvikPkg" "Error executing regsvr32.exe /c /s VelPkg.dll": taken as OK
        log A /install: nobody can see the message box "RegOrvikPkg" "Failed to install Orvik C++ Integration Tool\n": taken as OK
        log A end: exit code -1)"},

    // From Windows Vista on, session 0 is the services' alone, whatever its
    // window station says; before, the person at the console worked there.
    {"SessionZeroFromVistaOn", "registered installed=7.1", "--fault ProcessIdToSessionId=ok:0 --log nobody|end: -- /s /install", R"(
        exit 0
        log A start-up: nobody can see this program's windows: it runs in session 0
        log A /install: nobody can see the message box "RegOrvikPkg" "Later version already installed": taken as OK
        log A end: exit code 0)"},
    {"SessionZeroBeforeVista", "registered enabled=1", "--windows-version winxp --fault ProcessIdToSessionId=ok:0 --answer cancel", R"(
        window "Orvik Package Registration" -> Cancel
        exit 0)"},

    // Windows a person opens, and a run without /s.
    {"UsageWindowNotOpened", "", UNSEEN "-- /?", R"(
        exit 0)" UNSEEN_START R"(
        log A usage: nobody can see the window "Orvik Package Registration Utility Command Line Parameters" ")" USAGE_TEXT R"(": it is not opened
        log A end: exit code 0)"},
    {"DialogNotOpened", "registered enabled=1", UNSEEN, R"(
        exit 0)" UNSEEN_START R"(
        log A dialog: nobody can see the window "Orvik Package Registration": it is not opened
        log A end: exit code 0)"},
    {"WithoutQuietNothingIsAsked", "registered installed=7.0 older-copy", UNSEEN "-- /install", R"(
        exit 0)" INSTALLED_OVER_THE_COPY INSTALL_RUNS UNSEEN_START R"(
        log A /install: nobody can answer a question: none is asked
        log A end: exit code 0)"},

    // A clean install does its whole work, and says so in the temporary
    // folder; a run a person can see writes no log there.
    {"CleanInstallLogsToTheTemporaryFolder", "", "--unattended " TEMPORARY_LOG "-- /s /install", R"(
        exit 0)" INSTALL_CHANGES UNSEEN_START R"(
        log A start-up: look for a window of class wndclass_desked_gsk with an IDE's title: none
        log A start-up: command line ""$PKG\RegOrvikPkg.exe" /s /install" in $PKG, ENVSDK_ROOTSUFFIX ""
        log A end: exit code 0)"},
    // A second name planted for the temporary folder's log, as anybody may
    // create files in LocalSystem's: the file it names is not written, the
    // run logs to a new file beside it.
    {"PlantedLinkAsTheLogIsRefused", "mkdir:$PKG\\Temp link:$PKG\\Temp\\RegOrvikPkg.log=$IDE\\Common7\\IDE\\devenv.exe",
     "--unattended --unset REGORVIK_LOG --env TMP=" PKG_TEMP " --env TEMP=" PKG_TEMP " -- bogus", R"(
        exit -1
        + $PKG\Temp\RegOrvikPkg-1.log = 6 lines)"},
    {"SeenRunWritesNoLog", "", TEMPORARY_LOG "-- /s /install", R"(
        exit 0)" INSTALL_CHANGES},
});
