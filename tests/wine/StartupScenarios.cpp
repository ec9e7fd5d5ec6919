// Start-up: the refusal while an IDE main window exists, before anything
// else; the usage window; the dialog when nothing follows the program's name.
#include "Scenario.h"

constexpr char kRefused[] = R"(box "RegOrvikPkg" error "Close the Visual Studio IDE before starting this utility" [OK] -> OK
                              exit -1)";
constexpr char kBogus[] = R"(box "RegOrvikPkg" error "Invalid argument: bogus\n" [OK] -> OK
                            exit -1)";

SCENARIOS(Startup, {
    // A hidden IDE main window counts, whatever its title; its class is
    // found without regard to case. Quiet mode does not silence the refusal.
    {"IdeWindowRefusesQuietInstall", "", "--ide-window wndclass_desked_gsk| -- /s /install", kRefused},
    {"IdeWindowRefusesHelp", "",
     "--ide-window WNDCLASS_DESKED_GSK|Microsoft%20Development%20Environment%20[design] -- /?", kRefused},
    {"IdeWindowRefusesTheDialog", "registered", "--ide-window Wndclass_Desked_Gsk|untitled", kRefused},
    // A title naming the IDE is not enough without its class.
    {"LongerClassIsNoIde", "", "--ide-window wndclass_desked_gsk_other|Microsoft%20Visual%20Studio -- bogus", kBogus},
    {"ShorterClassIsNoIde", "", "--ide-window wndclass_desked|Microsoft%20Development%20Environment -- bogus", kBogus},

    {"UsageWindow", "", "--answer focus,show,press:OK -- /?", R"(
        window "Orvik Package Registration Utility Command Line Parameters"
          focus 1
          show 1 "OK" default
          show 1005 ")" USAGE_TEXT R"(" edit multiline readonly vscroll hscroll
          press OK
        exit 0)"},

    {"NoArgumentShowsTheDialog", "registered enabled=1", "--answer focus,show,press:Cancel", R"-(
        window "Orvik Package Registration"
          focus 1
          show 1 "OK" default
          show 12321 "&Apply" push disabled
          show 2 "Cancel" push
          show 1000 "&Enable Orvik Package\n(turn on Orvik C++ Compiler integration features)" radio multiline checked
          show 1001 "&Disable Orvik Package\n(turn off Orvik C++ Compiler integration features)" radio multiline unchecked
          show 65535 "" group
          press Cancel
        exit 0)-"},
});
