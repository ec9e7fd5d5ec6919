// The Enable/Disable dialog and its About box, used as a person uses them:
// with the mouse, the keyboard and the system menu, the machine checked
// between the steps while the dialog waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kAppName[] = "RegOrvikPkg";
constexpr char kDialogCaption[] = "Orvik Package Registration";
constexpr int kApply = 0x3021;
constexpr int kEnable = 1000;
constexpr int kDisable = 1001;
constexpr int kNoId = 0xFFFF;
constexpr WPARAM kAboutCommand = 0x10;

constexpr char kEnableCaption[] = "&Enable Orvik Package\n(turn on Orvik C++ Compiler integration features)";
constexpr char kDisableCaption[] = "&Disable Orvik Package\n(turn off Orvik C++ Compiler integration features)";
constexpr char kFailedEnable[] = "Failed to register Orvik Package";
constexpr char kFailedDisable[] = "Failed to unregister Orvik Package";

using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

std::string ToolsFile(const char* name) { return std::string(layout::kIdeToolsDir) + name; }
std::string PackageFile(const char* name) { return std::string(layout::kPackageDir) + name; }

// A control as the tests compare it: its id, class, caption, button type and state.
std::string Describe(const ControlRecord& control) {
  std::string text = std::to_string(control.id) + " " + control.className;
  // An icon's window text is its resource ordinal, not a text.
  if (lstrcmpiA(control.className.c_str(), "Static") == 0 && (control.style & SS_TYPEMASK) == SS_ICON)
    text += " icon";
  else
    text += " \"" + MakeVisible(control.text) + "\"";
  if (lstrcmpiA(control.className.c_str(), "Button") == 0) {
    text += " type " + std::to_string(control.style & BS_TYPEMASK);
    if (control.style & BS_MULTILINE) text += " multiline";
  }
  if (!control.enabled) text += " disabled";
  if (control.checked == BST_CHECKED) text += " checked";
  return text;
}

std::vector<std::string> Describe(const std::vector<ControlRecord>& controls) {
  std::vector<std::string> described;
  for (const ControlRecord& control : controls) described.push_back(Describe(control));
  return described;
}

// The controls of the dialog in tab order, with `checked` the checked radio button.
std::vector<std::string> DialogControls(int checked, bool applyEnabled) {
  return {"1 Button \"OK\" type 1",
          std::string("12321 Button \"&Apply\" type 0") + (applyEnabled ? "" : " disabled"),
          "2 Button \"Cancel\" type 0",
          "1000 Button \"" + MakeVisible(kEnableCaption) + "\" type 9 multiline" + (checked == kEnable ? " checked" : ""),
          "1001 Button \"" + MakeVisible(kDisableCaption) + "\" type 9 multiline" + (checked == kDisable ? " checked" : ""),
          "65535 Button \"\" type 7"};
}

// What the dialog shows between two steps: the checked radio button, whether
// Apply can be pressed, and what the Cancel button reads.
struct DialogState {
  int checked;
  bool applyEnabled;
  std::string cancelCaption = "Cancel";
};

std::string Describe(const DialogState& state) {
  return "checked " + std::to_string(state.checked) + ", Apply " + (state.applyEnabled ? "enabled" : "disabled") +
         ", Cancel reads \"" + state.cancelCaption + "\"";
}

::testing::AssertionResult Shows(LiveWindow& dialog, const DialogState& expected) {
  std::optional<ControlRecord> enable = dialog.Control(kEnable);
  std::optional<ControlRecord> disable = dialog.Control(kDisable);
  std::optional<ControlRecord> apply = dialog.Control(kApply);
  std::optional<ControlRecord> cancel = dialog.Control(IDCANCEL);
  if (!enable || !disable || !apply || !cancel) return ::testing::AssertionFailure() << "a control is missing";
  int checked = 0;
  if (enable->checked == BST_CHECKED) checked += kEnable;
  if (disable->checked == BST_CHECKED) checked += kDisable;
  std::string shown = Describe(DialogState{checked, apply->enabled, cancel->text});
  if (shown != Describe(expected))
    return ::testing::AssertionFailure() << "the dialog shows " << shown << "; expected " << Describe(expected);
  return ::testing::AssertionSuccess();
}

// The dialog as the first window, then exactly these message boxes, each
// captioned with the program's name and owned by the dialog.
::testing::AssertionResult DialogThenBoxes(const RunResult& result, const std::vector<ExpectedBox>& boxes) {
  if (result.windows.empty() || result.windows[0].caption != kDialogCaption)
    return ::testing::AssertionFailure() << "the dialog was not the first window:\n" << FormatTranscript(result);
  RunResult afterDialog = result;
  afterDialog.windows.erase(afterDialog.windows.begin());
  ::testing::AssertionResult shown = ShowedBoxes(afterDialog, boxes);
  if (!shown) return shown;
  for (const WindowRecord& box : afterDialog.windows)
    if (box.ownerCaption != std::optional<std::string>(kDialogCaption))
      return ::testing::AssertionFailure() << "the box \"" << MakeVisible(box.text) << "\" is not owned by the dialog:\n"
                                           << FormatTranscript(result);
  return ::testing::AssertionSuccess();
}

std::vector<std::string> LoggedEntries(const std::vector<LogLine>& log) {
  std::vector<std::string> entries;
  for (const LogLine& line : log) entries.push_back(line.text);
  return entries;
}

class DialogTest : public ScenarioTest {
 protected:
  // A machine whose package the IDE knows, with Enabled as given.
  void ProvisionRegistered(std::optional<std::uint32_t> enabled) {
    MachineSpec registered;
    registered.packageRegistered = true;
    registered.enabled = enabled;
    Provision(registered);
  }

  // Really enabled, by the tool itself, with the run log emptied afterwards.
  void ProvisionEnabled() {
    ProvisionRegistered(0);
    ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
    ASSERT_TRUE(MachineIs(true));
    DeleteFileA(layout::kRunLog);
  }

  // The tool started without options; `act` handles the dialog, `later`
  // answers the windows that come after it.
  RunResult RunDialog(WindowAction act, std::vector<Answer> later = {}, const Environment& environment = {}) {
    std::vector<Answer> answers = {Answer::Do("the dialog", std::move(act))};
    answers.insert(answers.end(), later.begin(), later.end());
    RunOptions options = ToolRun("\"" + ToolPath() + "\"", std::move(answers));
    options.environment.insert(options.environment.end(), environment.begin(), environment.end());
    return RunProgram(options);
  }

  // The three marks of an enabled package, or of a disabled one, and Enabled
  // recording it.
  ::testing::AssertionResult MachineIs(bool enabled) const {
    ::testing::AssertionResult result =
        FileEquals(ToolsFile("vcspawn.exe"), Built(enabled ? layout::kBuiltVendorSpawner : layout::kBuiltIdeSpawner));
    if (result)
      result = enabled ? FileEquals(PackageFile("vcspawn_ms.exe"), Built(layout::kBuiltIdeSpawner))
                       : FileAbsent(PackageFile("vcspawn_ms.exe"));
    const std::string server = layout::ClassKey(layout::kOrvikPkgClsid) + "\\InprocServer32";
    if (result)
      result = enabled ? ValueIs(server, nullptr, REG_SZ, Terminated(PackageFile("OrvikPkg.dll")))
                       : KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid));
    if (result) result = ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(enabled ? 1 : 0));
    return result;
  }
};

struct StartCase {
  const char* afterName;                 // what follows the tool's quoted path
  std::optional<std::uint32_t> enabled;  // Enabled in the package key
  int checked;
};

void PrintTo(const StartCase& start, std::ostream* out) {
  *out << "\"" << MakeVisible(start.afterName) << "\", Enabled "
       << (start.enabled ? std::to_string(*start.enabled) : std::string("absent"));
}

class DialogStart : public DialogTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(DialogStart, ShowsTheRecordedStateWithApplyDisabledAndOkFocused) {
  ProvisionRegistered(GetParam().enabled);
  std::string before = SnapshotMachine();
  int focused = -1;
  RunResult result = RunCommandLine("\"" + ToolPath() + "\"" + GetParam().afterName,
                                    {Answer::Do("note the focus, press Cancel", [&](LiveWindow& dialog) {
                                      focused = dialog.FocusedId();
                                      return dialog.Press(IDCANCEL);
                                    })});
  EXPECT_TRUE(EndedWith(result, 0));
  ASSERT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
  const WindowRecord& dialog = result.windows[0];
  EXPECT_EQ(dialog.className, "#32770");
  EXPECT_EQ(dialog.caption, kDialogCaption);
  EXPECT_FALSE(dialog.isMessageBox);
  EXPECT_FALSE(dialog.ownerCaption);
  EXPECT_EQ(Describe(dialog.controls), DialogControls(GetParam().checked, false));
  EXPECT_EQ(focused, IDOK);
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

// Only the number 1 counts as enabled; blanks and tabs after the name still
// leave the command line without options.
INSTANTIATE_TEST_SUITE_P(EnabledValue, DialogStart,
                         ::testing::Values(StartCase{"", 1, kEnable}, StartCase{" \t \t", 0, kDisable},
                                           StartCase{"\t", std::nullopt, kDisable}, StartCase{"  ", 2, kDisable}));

struct ToggleCase {
  std::uint32_t enabled;
  int applied;  // the radio button checked at the start
  int other;
};

void PrintTo(const ToggleCase& toggle, std::ostream* out) { *out << "Enabled " << toggle.enabled; }

class DialogToggle : public DialogTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(DialogToggle, ApplyIsEnabledExactlyWhileTheCheckedButtonDiffersFromTheAppliedOne) {
  ProvisionRegistered(GetParam().enabled);
  std::string before = SnapshotMachine();
  const int applied = GetParam().applied;
  const int other = GetParam().other;
  RunResult result = RunDialog([&](LiveWindow& dialog) {
    const struct {
      int click;
      bool applyEnabled;
    } steps[] = {{other, true}, {other, true}, {applied, false}, {applied, false}, {other, true}};
    for (const auto& step : steps) {
      if (!dialog.Click(step.click)) return false;
      EXPECT_TRUE(Shows(dialog, {step.click, step.applyEnabled})) << "after a click on " << step.click;
    }
    return dialog.Press(IDCANCEL);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

INSTANTIATE_TEST_SUITE_P(FromEitherState, DialogToggle,
                         ::testing::Values(ToggleCase{1, kEnable, kDisable}, ToggleCase{0, kDisable, kEnable}));

TEST_F(DialogTest, ApplyEnablesThenDisablesAndCancelReadsCloseFromTheFirstSuccessOn) {
  ProvisionRegistered(0);
  ASSERT_TRUE(MachineIs(false));
  RunResult result = RunDialog([&](LiveWindow& dialog) {
    if (!dialog.Click(kEnable) || !dialog.Press(kApply)) return false;
    EXPECT_TRUE(Shows(dialog, {kEnable, false, "Close"}));
    EXPECT_TRUE(MachineIs(true));
    if (!dialog.Click(kDisable) || !dialog.Press(kApply)) return false;
    EXPECT_TRUE(Shows(dialog, {kDisable, false, "Close"}));
    EXPECT_TRUE(MachineIs(false));
    return dialog.Press(IDCANCEL);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {}));
  EXPECT_EQ(result.windows[0].Control(IDCANCEL)->text, "Cancel");  // as first read, before any Apply
  EXPECT_EQ(LoggedEntries(RunLog()), (std::vector<std::string>{"DllRegisterServer", "DllUnregisterServer"}));
}

struct FailureCase {
  const char* name;
  bool startEnabled;     // really enabled by "/enable" first
  const char* failing;   // TESTBED_ORVIKPKG_FAIL, or null
  int provision;         // 0: registered; 1: no ovcspawn.exe; 2: unknown to the IDE; 3: Enabled = 1 alone
  std::vector<std::pair<std::string, IconKind>> boxes;
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

class DialogApplyFailure : public DialogTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DialogApplyFailure, ShowsWhyThenPutsTheRadioButtonsBack) {
  const FailureCase& failure = GetParam();
  if (failure.startEnabled) {
    ProvisionEnabled();
  } else if (failure.provision == 2) {
    Provision(MachineSpec{});
  } else {
    ProvisionRegistered(failure.provision == 3 ? 1 : 0);
  }
  if (failure.provision == 1) {
    ASSERT_TRUE(DeleteFileA(PackageFile("ovcspawn.exe").c_str()));
  }
  const bool wasEnabled = failure.startEnabled || failure.provision == 3;
  const int applied = wasEnabled ? kEnable : kDisable;
  const int other = wasEnabled ? kDisable : kEnable;
  Environment environment;
  if (failure.failing) environment.emplace_back("TESTBED_ORVIKPKG_FAIL", std::string(failure.failing));

  RunResult result = RunDialog(
      [&](LiveWindow& dialog) {
        if (!dialog.Click(other) || !dialog.Press(kApply)) return false;
        EXPECT_TRUE(Shows(dialog, {applied, false}));
        // The dialog goes on as before: the other button enables Apply again.
        if (!dialog.Click(other)) return false;
        EXPECT_TRUE(Shows(dialog, {other, true}));
        return dialog.Press(IDCANCEL);
      },
      {}, environment);
  EXPECT_TRUE(EndedWith(result, 0));
  std::vector<ExpectedBox> boxes;
  for (const auto& [text, icon] : failure.boxes) boxes.push_back({kAppName, text, icon});
  EXPECT_TRUE(DialogThenBoxes(result, boxes));
  if (failure.provision == 2) {
    EXPECT_TRUE(KeyAbsent(layout::PackageKey("")));
  } else {
    EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(wasEnabled ? 1 : 0)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EnableOrDisable, DialogApplyFailure,
    ::testing::Values(
        FailureCase{"RegistrationFails", false, "register", 0,
                    {{"Error executing regsvr32.exe /c /s OrvikPkg.dll", IconKind::kExclamation},
                     {kFailedEnable, IconKind::kError}}},
        FailureCase{"VendorSpawnerMissing", false, nullptr, 1,
                    {{"Can't copy file ovcspawn.exe to\n" + ToolsFile("vcspawn.exe"), IconKind::kExclamation},
                     {kFailedEnable, IconKind::kError}}},
        FailureCase{"PackageUnknownToTheIde", false, nullptr, 2, {{kFailedEnable, IconKind::kError}}},
        FailureCase{"UnregistrationFails", true, "unregister", 0,
                    {{"Error executing regsvr32.exe /c /s /u OrvikPkg.dll", IconKind::kExclamation},
                     {kFailedDisable, IconKind::kError}}},
        FailureCase{"BackupMissing", false, nullptr, 3,
                    {{"Can't copy file " + PackageFile("vcspawn_ms.exe") + "\nto " + ToolsFile("vcspawn.exe"),
                      IconKind::kExclamation},
                     {kFailedDisable, IconKind::kError}}}),
    [](const ::testing::TestParamInfo<FailureCase>& test) { return std::string(test.param.name); });

TEST_F(DialogTest, OkAppliesTheChangeAndCloses) {
  ProvisionRegistered(0);
  RunResult result = RunDialog([](LiveWindow& dialog) { return dialog.Click(kEnable) && dialog.Press(IDOK); });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {}));
  EXPECT_TRUE(MachineIs(true));
}

TEST_F(DialogTest, OkClosesAfterAFailedApplyToo) {
  ProvisionEnabled();
  RunResult result = RunDialog([](LiveWindow& dialog) { return dialog.Click(kDisable) && dialog.Press(IDOK); }, {},
                               {{"TESTBED_ORVIKPKG_FAIL", std::string("1")}});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {{kAppName, "Error executing regsvr32.exe /c /s /u OrvikPkg.dll",
                                        IconKind::kExclamation},
                                       {kAppName, kFailedDisable}}));
  EXPECT_TRUE(MachineIs(true));
}

TEST_F(DialogTest, OkWithoutAChangeAppliesNothing) {
  ProvisionEnabled();
  std::string before = SnapshotMachine();
  RunResult result = RunDialog([](LiveWindow& dialog) {
    return dialog.Click(kDisable) && dialog.Click(kEnable) && dialog.Press(IDOK);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {}));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

struct CloseCase {
  const char* name;
  std::function<bool(LiveWindow&)> close;
};

void PrintTo(const CloseCase& closing, std::ostream* out) { *out << closing.name; }

class DialogClosed : public DialogTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(DialogClosed, WithAChangePendingChangesNothing) {
  ProvisionRegistered(0);
  std::string before = SnapshotMachine();
  const CloseCase& closing = GetParam();
  RunResult result = RunDialog([&](LiveWindow& dialog) { return dialog.Click(kEnable) && closing.close(dialog); });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {}));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, DialogClosed,
    ::testing::Values(CloseCase{"Cancel", [](LiveWindow& dialog) { return dialog.Press(IDCANCEL); }},
                      CloseCase{"Escape", [](LiveWindow& dialog) { return dialog.Key(VK_ESCAPE); }},
                      CloseCase{"CloseBox", [](LiveWindow& dialog) { return dialog.SysCommand(SC_CLOSE); }},
                      CloseCase{"CloseMessage", [](LiveWindow& dialog) { return dialog.Close(); }}),
    [](const ::testing::TestParamInfo<CloseCase>& test) { return std::string(test.param.name); });

TEST_F(DialogTest, AnIdeStartedMeanwhileGetsTheRestartNoticeAfterASuccessfulApply) {
  ProvisionRegistered(0);
  std::unique_ptr<IdeWindow> ide;
  RunResult result = RunDialog([&](LiveWindow& dialog) {
    ide = std::make_unique<IdeWindow>(Built(layout::kBuiltIdeWindow), "wndclass_desked_gsk", "");
    EXPECT_TRUE(ide->Exists());
    if (!dialog.Click(kEnable) || !dialog.Press(kApply)) return false;
    EXPECT_TRUE(Shows(dialog, {kEnable, false, "Close"}));
    return dialog.Press(IDCANCEL);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(
      result, {{kAppName, "Changes will take effect after Visual Studio restarted", IconKind::kExclamation}}));
  EXPECT_TRUE(MachineIs(true));
}

TEST_F(DialogTest, AnIdeStartedMeanwhileGetsNoNoticeWhenApplyFails) {
  ProvisionRegistered(0);
  std::unique_ptr<IdeWindow> ide;
  RunResult result = RunDialog(
      [&](LiveWindow& dialog) {
        ide = std::make_unique<IdeWindow>(Built(layout::kBuiltIdeWindow), "wndclass_desked_gsk", "");
        return dialog.Click(kEnable) && dialog.Press(kApply) && dialog.Press(IDCANCEL);
      },
      {}, {{"TESTBED_ORVIKPKG_FAIL", std::string("1")}});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {{kAppName, "Error executing regsvr32.exe /c /s OrvikPkg.dll",
                                        IconKind::kExclamation},
                                       {kAppName, kFailedEnable}}));
}

TEST_F(DialogTest, SystemMenuOpensTheAboutBoxAndKeepsTheSystemsCommands) {
  std::string before = SnapshotMachine();
  std::optional<std::vector<MenuItemRecord>> menu;
  int aboutFocus = -1;
  RunResult result = RunDialog(
      [&](LiveWindow& dialog) {
        menu = dialog.SystemMenu();
        // The system keeps the low four bits of a command for itself.
        if (!dialog.SysCommand(kAboutCommand) || !dialog.SysCommand(kAboutCommand | 0x3)) return false;
        EXPECT_TRUE(Shows(dialog, {kDisable, false}));
        return dialog.SysCommand(SC_CLOSE);
      },
      {Answer::Do("note the focus, press OK",
                  [&](LiveWindow& about) {
                    aboutFocus = about.FocusedId();
                    return about.Press(IDOK);
                  }),
       Answer::Press(IDOK)});
  EXPECT_TRUE(EndedWith(result, 0));

  ASSERT_TRUE(menu) << "the probe did not read the system menu";
  ASSERT_GE(menu->size(), 3u);
  const MenuItemRecord& separator = (*menu)[menu->size() - 2];
  const MenuItemRecord& about = menu->back();
  EXPECT_TRUE(separator.separator);
  EXPECT_FALSE(about.separator);
  EXPECT_EQ(about.id, kAboutCommand);
  EXPECT_EQ(about.text, "&About RegOrvikPkg...");
  EXPECT_TRUE(about.enabled);
  EXPECT_EQ(std::count_if(menu->begin(), menu->end(), [](const MenuItemRecord& item) { return item.id == SC_CLOSE; }), 1);

  ASSERT_EQ(result.windows.size(), 3u) << FormatTranscript(result);
  for (std::size_t i = 1; i < 3; ++i) {
    const WindowRecord& box = result.windows[i];
    EXPECT_EQ(box.caption, "About RegOrvikPkg");
    EXPECT_FALSE(box.isMessageBox);
    EXPECT_EQ(Describe(box.controls),
              (std::vector<std::string>{"65535 Static icon",
                                        "65535 Static \"Orvik Package Registration Utility\\nVersion 1.0\"",
                                        "65535 Static \"Copyright (C) 2026 Orvik\"", "1 Button \"OK\" type 1"}));
  }
  EXPECT_EQ(aboutFocus, IDOK);
  EXPECT_EQ(before, SnapshotMachine());
}

// The About box, like the message boxes, belongs to the dialog and keeps it
// disabled while it is open.
TEST_F(DialogTest, AboutBoxIsOwnedByTheDialogWhichWaitsBehindIt) {
  HWND dialogWindow = nullptr;
  bool dialogEnabledBehindAbout = true;
  RunResult result = RunDialog(
      [&](LiveWindow& dialog) {
        dialogWindow = dialog.handle();
        return dialog.SysCommand(kAboutCommand) && dialog.Press(IDCANCEL);
      },
      {Answer::Do("look at the dialog behind, press OK", [&](LiveWindow& about) {
        dialogEnabledBehindAbout = IsWindowEnabled(dialogWindow) != FALSE;
        return about.Press(IDOK);
      })});
  EXPECT_TRUE(EndedWith(result, 0));
  ASSERT_EQ(result.windows.size(), 2u) << FormatTranscript(result);
  EXPECT_EQ(result.windows[1].ownerCaption, std::optional<std::string>(kDialogCaption));
  EXPECT_FALSE(dialogEnabledBehindAbout);
}

// The templates have no position: the dialog opens in the middle of the
// screen's work area, and the About box in the middle of the dialog.
TEST_F(DialogTest, OpensCentredAndTheAboutBoxOverTheDialog) {
  const auto centre = [](HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  POINT dialogCentre = {};
  POINT aboutCentre = {};
  RunResult result = RunDialog(
      [&](LiveWindow& dialog) {
        dialogCentre = centre(dialog.handle());
        return dialog.SysCommand(kAboutCommand) && dialog.Press(IDCANCEL);
      },
      {Answer::Do("measure, press OK", [&](LiveWindow& about) {
        aboutCentre = centre(about.handle());
        return about.Press(IDOK);
      })});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_NEAR(dialogCentre.x, (area.left + area.right) / 2, 1);
  EXPECT_NEAR(dialogCentre.y, (area.top + area.bottom) / 2, 1);
  EXPECT_NEAR(aboutCentre.x, dialogCentre.x, 1);
  EXPECT_NEAR(aboutCentre.y, dialogCentre.y, 1);
}

TEST_F(DialogTest, TabVisitsOkApplyCancelAndTheCheckedRadioButton) {
  ProvisionRegistered(0);
  std::vector<int> withApplyDisabled;
  std::vector<int> withApplyEnabled;
  RunResult result = RunDialog([&](LiveWindow& dialog) {
    for (int i = 0; i < 4; ++i) {
      if (!dialog.Key(VK_TAB)) return false;
      withApplyDisabled.push_back(dialog.FocusedId());
    }
    if (!dialog.Click(kEnable)) return false;
    for (int i = 0; i < 4; ++i) {
      if (!dialog.Key(VK_TAB)) return false;
      withApplyEnabled.push_back(dialog.FocusedId());
    }
    return dialog.Press(IDCANCEL);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_EQ(withApplyDisabled, (std::vector<int>{IDCANCEL, kDisable, IDOK, IDCANCEL}));
  EXPECT_EQ(withApplyEnabled, (std::vector<int>{IDOK, kApply, IDCANCEL, kEnable}));
}

TEST_F(DialogTest, MnemonicsCheckTheRadioButtonsAndApplyAndEnterIsOk) {
  ProvisionRegistered(0);
  RunResult result = RunDialog([&](LiveWindow& dialog) {
    if (!dialog.AltKey('e')) return false;
    EXPECT_TRUE(Shows(dialog, {kEnable, true}));
    if (!dialog.AltKey('d')) return false;
    EXPECT_TRUE(Shows(dialog, {kDisable, false}));
    if (!dialog.AltKey('a')) return false;  // Apply is disabled: nothing runs
    EXPECT_TRUE(RunLog().empty());
    if (!dialog.AltKey('e') || !dialog.AltKey('a')) return false;
    EXPECT_TRUE(Shows(dialog, {kEnable, false, "Close"}));
    EXPECT_TRUE(MachineIs(true));
    return dialog.AltKey('d') && dialog.Key(VK_RETURN);
  });
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(DialogThenBoxes(result, {}));
  EXPECT_TRUE(MachineIs(false));
}

}  // namespace
}  // namespace bench
