// The Enable/Disable dialog as a person uses it: Apply, OK and Cancel over the
// recorded state, the restart notice and the About box. Every box it leads to
// belongs to it. Enabled = 1 checks Enable; 2, 0, none and an account that may
// not write check Disable. Apply cannot be pressed while it is disabled, so a
// click and a press of Apply show which button was the applied one.
#include "Scenario.h"

SCENARIOS(Dialog, {
    // Apply is enabled exactly while the checked button differs from the
    // applied one; Cancel applies nothing.
    {"ApplyFollowsTheCheckedButtonAndCancelUndoesNothing", "registered enabled=2",
     "--answer click:1000,show:12321,click:1001,show:12321,click:1000,cancel", R"(
        window "Orvik Package Registration"
          click 1000
          show 12321 "&Apply" push
          click 1001
          show 12321 "&Apply" push disabled
          click 1000
          press Cancel
        exit 0)"},
    // From the first change applied on, Cancel reads Close; a later change
    // is applied over the first.
    {"AppliedChangesStayAndCancelReadsClose", "registered",
     "--answer click:1000,press:Apply,show:12321,show:2,click:1001,press:Apply,show:2,press:Close", R"(
        window "Orvik Package Registration"
          click 1000
          press Apply
          show 12321 "&Apply" push disabled
          show 2 "Close" push
          click 1001
          press Apply
          show 2 "Close" push
          press Close
        exit 0
        + $VS\Packages\$GUID\Enabled = dword 0
        + $TOOLS\vcspawn_ms.exe = vcspawn.exe
        run $PKG\OrvikPkg.dll DllRegisterServer
        run $PKG\OrvikPkg.dll DllUnregisterServer)"},
    // An IDE started while the dialog is open hears of a change that worked.
    {"OkAppliesAndClosesWithANoticeForARunningIde", "registered enabled=0",
     "--answer ide-window:wndclass_desked_gsk|,click:1000,press:OK", R"(
        window "Orvik Package Registration"
          click 1000
          press OK
        box "RegOrvikPkg" exclamation "Changes will take effect after Visual Studio restarted" [OK] owned by "Orvik Package Registration" -> OK
        exit 0
        ~ $VS\Packages\$GUID\Enabled = dword 1)" ENABLE_CHANGES},

    // A change that fails: the operation's own report, then the dialog's,
    // and the buttons back as applied; no notice, and Cancel still reads
    // Cancel. OK tries once more and closes whatever happens; with nothing to
    // change it only closes.
    {"FailedDisableShowsWhyAndPutsTheButtonsBack", "registered enabled=1",
     "--env TESTBED_ORVIKPKG_FAIL=unregister "
     "--answer ide-window:wndclass_desked_gsk|,click:1001,press:Apply,show:1000,show:12321,show:2,click:1001,press:OK", R"-(
        window "Orvik Package Registration"
          click 1001
          press Apply
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s /u OrvikPkg.dll" [OK] owned by "Orvik Package Registration" -> OK
        box "RegOrvikPkg" error "Failed to unregister Orvik Package" [OK] owned by "Orvik Package Registration" -> OK
        window "Orvik Package Registration"
          show 1000 "&Enable Orvik Package\n(turn on Orvik C++ Compiler integration features)" radio multiline checked
          show 12321 "&Apply" push disabled
          show 2 "Cancel" push
          click 1001
          press OK
        box "RegOrvikPkg" exclamation "Error executing regsvr32.exe /c /s /u OrvikPkg.dll" [OK] owned by "Orvik Package Registration" -> OK
        box "RegOrvikPkg" error "Failed to unregister Orvik Package" [OK] owned by "Orvik Package Registration" -> OK
        exit 0
        run $PKG\OrvikPkg.dll DllUnregisterServer
        run $PKG\OrvikPkg.dll DllUnregisterServer)-"},
    {"ReadOnlyAccountStartsDisabledAndCannotEnable", "registered enabled=1",
     "--fault RegOpenKeyExA(F003F)=5 --answer click:1000,press:Apply,show:1001,ok", R"-(
        window "Orvik Package Registration"
          click 1000
          press Apply
        box "RegOrvikPkg" error "Failed to register Orvik Package" [OK] owned by "Orvik Package Registration" -> OK
        window "Orvik Package Registration"
          show 1001 "&Disable Orvik Package\n(turn off Orvik C++ Compiler integration features)" radio multiline checked
          press OK
        exit 0)-"},

    // The system menu's own item opens the About box whatever the low four
    // bits of the command; the system's commands keep their meaning.
    {"SystemMenuOpensTheAboutBox", "", "--answer menu,sys:16,sys:0x13,sys:0xF060 --answer show,ok --answer ok", R"(
        window "Orvik Package Registration"
          menu separator | 16 "&About RegOrvikPkg..."
          sys 16
        window "About RegOrvikPkg" owned by "Orvik Package Registration"
          show 65535 icon
          show 65535 "Orvik Package Registration Utility\nVersion 1.0"
          show 65535 "Copyright (C) 2026 Orvik"
          show 1 "OK" default
          press OK
        window "Orvik Package Registration"
          sys 0x13
        window "About RegOrvikPkg" owned by "Orvik Package Registration" -> OK
        window "Orvik Package Registration"
          sys 0xF060
        exit 0)"},
});
