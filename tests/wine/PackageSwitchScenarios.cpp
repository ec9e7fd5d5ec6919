// /enable and /disable on a machine whose package the IDE knows: the IDE's
// spawner swapped for the vendor's and back, OrvikPkg.dll registered and
// unregistered by the real regsvr32.exe, Enabled written last; and the
// recorded state as the dialog starts from it.
#include "Scenario.h"

#define DISABLED "registered enabled=0 "
// The dialog's Enable button as the recorded state shows it.
#define ENABLED_VALUE "reg:$VS\\Packages\\$GUID\\Enabled="
#define SHOW_ENABLE "--answer show:1000,cancel"
#define ENABLE_BUTTON(state)                                                                                \
  "window \"Orvik Package Registration\"\n"                                                                 \
  R"-(show 1000 "&Enable Orvik Package\n(turn on Orvik C++ Compiler integration features)" radio multiline )-" \
  state "\npress Cancel\nexit 0"
// InstallPath naming a directory that does not exist: no backup can go there.
#define NO_PACKAGE_DIR "reg:$VS\\Packages\\$GUID\\InstallPath=sz0:C:\\Program%20Files%20(x86)\\Orvik\\Not%20There\\ "
constexpr char kNotEnabled[] = R"(box "RegOrvikPkg" error "Failed to register Orvik Package\n" [OK] -> OK
                                 exit -1)";

SCENARIOS(PackageSwitch, {
    {"EnableKeepsAnEarlierBackup", DISABLED "put:$PKG\\vcspawn_ms.exe=empty.exe", "-- /enable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = ovcspawn.exe
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllRegisterServer)"},
    // After a first enable the copy beside the vendor's spawner comes from
    // the backup, which must be there; the marker is read in any case, also
    // from a spawner that cannot run here (it imports a DLL the machine lacks).
    {"RepeatedEnableRefreshesTheCopyFromTheBackup",
     DISABLED "put:$TOOLS\\vcspawn.exe=ovcspawn_missing_dll.dll put:$PKG\\vcspawn_ms.exe=empty.exe", "-- /enable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = ovcspawn.exe
        + $TOOLS\vcspawn_ms.exe = empty.exe
        run $PKG\OrvikPkg.dll DllRegisterServer)"},
    {"RepeatedEnableWithoutBackupFails", DISABLED "put:$TOOLS\\vcspawn.exe=ovcspawn_caps.exe", "-- /enable", kNotEnabled},
    {"EnableWithoutTheIdesSpawnerChangesNothing", DISABLED "no-ide-spawner", "-- /enable", kNotEnabled},
    {"EnableWithoutTheVendorsSpawnerStopsAfterTheBackups", DISABLED "del:$PKG\\ovcspawn.exe", "-- /enable", R"(
        box "RegOrvikPkg" exclamation "Can't copy file ovcspawn.exe to\n$TOOLS\vcspawn.exe" [OK] -> OK
        box "RegOrvikPkg" error "Failed to register Orvik Package\n" [OK] -> OK
        exit -1
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        + $PKG\vcspawn_ms.exe = vcspawn.exe)"},
    {"EnableWhoseBackupCannotBeWrittenNamesTheSpawner", DISABLED NO_PACKAGE_DIR, "-- /enable", R"(
        box "RegOrvikPkg" exclamation "Can't find file: $TOOLS\vcspawn.exe" [OK] -> OK
        box "RegOrvikPkg" error "Failed to register Orvik Package\n" [OK] -> OK
        exit -1)"},
    // A read-only spawner, the vendor's or the IDE's, leaves no read-only
    // copy; where the system refuses to replace a read-only file (the faults
    // stand for that refusal) its attribute goes and the copy is made again.
    {"ReadOnlySpawnersLeaveNoReadOnlyCopies", DISABLED "readonly:$PKG\\ovcspawn.exe readonly:$TOOLS\\vcspawn.exe",
     "--fault CopyFileA(ovcspawn.exe)#1=5 -- /enable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 1)" ENABLE_CHANGES},
    {"DisableReplacesAReadOnlySpawner", ENABLED "readonly:$TOOLS\\vcspawn.exe readonly:$PKG\\vcspawn_ms.exe",
     "--fault MoveFileExA#1=5 -- /disable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 0
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = vcspawn.exe
        - $PKG\vcspawn_ms.exe = vcspawn.exe, read-only
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},
    {"DisableWithoutBackupUnregistersFirst", ENABLED "del:$PKG\\vcspawn_ms.exe", "-- /disable", R"(
        box "RegOrvikPkg" exclamation "Can't copy file $PKG\vcspawn_ms.exe\nto $TOOLS\vcspawn.exe" [OK] -> OK
        box "RegOrvikPkg" error "Failed to unregister Orvik Package\n" [OK] -> OK
        exit -1
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},

    // Quiet mode silences the file messages and the failure text, not the
    // report of a program that failed.
    {"QuietEnableWithoutTheVendorsSpawner", DISABLED "del:$PKG\\ovcspawn.exe", "-- /s /enable", R"(
        exit -1
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        + $PKG\vcspawn_ms.exe = vcspawn.exe)"},
    {"QuietEnableWhoseBackupCannotBeWritten", DISABLED NO_PACKAGE_DIR, "-- /enable /s", R"(
        exit -1)"},
    {"QuietDisableWithoutBackup", ENABLED "del:$PKG\\vcspawn_ms.exe", "-- -S /disable", R"(
        exit -1
        - class OrvikPkg.dll = $PKG\OrvikPkg.dll
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},

    // Windows refusing the copy beside the vendor's spawner.
    {"CopyBesideTheVendorsSpawnerRefusedIsNoFailure", DISABLED, "--fault CopyFileA(Tools\\vcspawn_ms.exe)=5 -- /enable", R"(
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 1
        + class OrvikPkg.dll = $PKG\OrvikPkg.dll
        ~ $TOOLS\vcspawn.exe = ovcspawn.exe
        + $PKG\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllRegisterServer)"},

    // The dialog starts from the recorded state: four bytes that read as the
    // number 1 are enabled whatever their type; a longer value never is.
    {"EnabledReadAsANumber", "registered enabled=257", SHOW_ENABLE, ENABLE_BUTTON("unchecked")},
    {"EnabledOfAnyTypeCounts", "registered " ENABLED_VALUE "binary:01000000", SHOW_ENABLE, ENABLE_BUTTON("checked")},
    {"EnabledLongerThanFourBytesIsNot", "registered " ENABLED_VALUE "qword:1", SHOW_ENABLE, ENABLE_BUTTON("unchecked")},
});
