// The Enable/Disable dialog and the About box, against the in-memory windows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTest.h"
#include "resource.h"

namespace unit {
namespace {

// Start-up with nothing after the program's name: the dialog as main window.
class DialogTest : public AppTest {
 protected:
  void SetUp() override {
    AddMachine(machine);
    machine.environment.SetCommandLine("\"C:\\Program Files\\Orvik\\RegOrvikPkg.exe\"  ");
  }
  // Runs the program with `script` acting on the dialog; returns the exit code.
  int RunDialog(const memory::DialogScript& script) {
    machine.ui.ScriptDialog(IDD_REGORVIKPKG_DIALOG, script);
    const int exitCode = app.Run();
    EXPECT_TRUE(machine.ui.Problems().empty()) << machine.ui.Problems().front();
    return exitCode;
  }
  bool Enabled() const {
    const auto value = machine.registry.GetValue(kPackageKey, "Enabled");
    return value && value->data[0] == 1;
  }
};

TEST_F(DialogTest, StartsFromTheRecordedStateWithApplyDisabled) {
  for (const int enabled : {1, 0, -1}) {
    SCOPED_TRACE(enabled);
    memory::MemoryPlatform m;
    CRegOrvikPkgApp a(m);
    if (enabled >= 0) m.registry.SetDword(kPackageKey, "Enabled", static_cast<std::uint32_t>(enabled));
    m.ui.ScriptDialog(IDD_REGORVIKPKG_DIALOG, [&](memory::DialogDriver& user) {
      EXPECT_EQ(user.IsChecked(IDC_ENABLE), enabled == 1);
      EXPECT_EQ(user.IsChecked(IDC_DISABLE), enabled != 1);
      EXPECT_FALSE(user.IsEnabled(IDC_APPLY));
      EXPECT_EQ(user.Text(2), "Cancel");
      user.PressEscape();
    });
    EXPECT_EQ(a.Run(), 0);
    const memory::DialogRecord& record = m.ui.Dialogs().at(0);
    EXPECT_EQ(record.systemMenu,
              (std::vector<memory::MenuItem>{{0x800, 0, ""}, {0x0, 0x10, "&About RegOrvikPkg..."}}));
    EXPECT_EQ(m.ui.IconResource(record.bigIcon), 128u);
    EXPECT_EQ(m.ui.IconResource(record.smallIcon), 128u);
  }
}

TEST_F(DialogTest, ApplyIsEnabledExactlyWhileTheChoiceDiffersFromTheAppliedState) {
  EXPECT_EQ(RunDialog([](memory::DialogDriver& user) {
              EXPECT_TRUE(user.Click(IDC_DISABLE));
              EXPECT_FALSE(user.IsEnabled(IDC_APPLY));
              EXPECT_TRUE(user.Click(IDC_ENABLE));
              EXPECT_TRUE(user.IsEnabled(IDC_APPLY));
              EXPECT_TRUE(user.Click(IDC_DISABLE));
              EXPECT_FALSE(user.IsEnabled(IDC_APPLY));
              EXPECT_FALSE(user.Click(IDC_APPLY));  // a disabled button cannot be pressed
              user.PressEscape();
            }),
            0);
  EXPECT_TRUE(Runs().empty());
}

TEST_F(DialogTest, SuccessfulApplyEnablesAndTurnsCancelIntoCloseForGood) {
  RunDialog([this](memory::DialogDriver& user) {
    user.Click(IDC_ENABLE);
    user.Click(IDC_APPLY);
    EXPECT_TRUE(Enabled());
    EXPECT_FALSE(user.IsEnabled(IDC_APPLY));
    EXPECT_EQ(user.Text(2), "Close");
    user.Click(IDC_DISABLE);
    user.Click(IDC_APPLY);
    EXPECT_FALSE(Enabled());
    EXPECT_EQ(user.Text(2), "Close");
    user.PressEscape();
  });
  EXPECT_EQ(Runs(), (std::vector<std::string>{"regsvr32.exe /c /s OrvikPkg.dll", "regsvr32.exe /c /s /u OrvikPkg.dll"}));
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
}

TEST_F(DialogTest, FailedApplyReportsAndPutsTheButtonsBack) {
  machine.files.Remove(std::string(kPackageDir) + "ovcspawn.exe");
  EXPECT_EQ(RunDialog([](memory::DialogDriver& user) {
              user.Click(IDC_ENABLE);
              user.Click(IDC_APPLY);
              EXPECT_TRUE(user.IsChecked(IDC_DISABLE));
              EXPECT_FALSE(user.IsChecked(IDC_ENABLE));
              EXPECT_FALSE(user.IsEnabled(IDC_APPLY));
              EXPECT_EQ(user.Text(2), "Cancel");
              user.PressEscape();
            }),
            0);
  const std::vector<memory::MessageBoxCall>& boxes = machine.ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Can't copy file ovcspawn.exe to\nC:\\VS\\Common7\\Tools\\vcspawn.exe");
  EXPECT_EQ(boxes[1].text, "Failed to register Orvik Package");
  EXPECT_EQ(boxes[1].type, 0x10u);
  EXPECT_EQ(boxes[1].caption, "RegOrvikPkg");
  EXPECT_EQ(boxes[1].ownerTemplate, static_cast<std::uint32_t>(IDD_REGORVIKPKG_DIALOG));
}

TEST_F(DialogTest, OkAppliesAndClosesEvenAfterAFailure) {
  machine.registry.SetDword(kPackageKey, "Enabled", 1);
  EXPECT_EQ(RunDialog([](memory::DialogDriver& user) {
              user.Click(IDC_DISABLE);
              user.PressEnter();
              EXPECT_TRUE(user.Ended());
            }),
            0);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         "Can't copy file C:\\Pkg\\vcspawn_ms.exe\nto C:\\VS\\Common7\\Tools\\vcspawn.exe",
                         "Failed to unregister Orvik Package"}));
  EXPECT_EQ(machine.ui.Dialogs().at(0).result, 1);
}

TEST_F(DialogTest, CancelEscapeAndTheCloseBoxChangeNothing) {
  const std::string before = machine.registry.Dump() + machine.files.Dump();
  for (int way = 0; way < 3; ++way) {
    machine.ui.ScriptDialog(IDD_REGORVIKPKG_DIALOG, [way](memory::DialogDriver& user) {
      user.Click(IDC_ENABLE);
      if (way == 0) user.Click(2);
      if (way == 1) user.PressEscape();
      if (way == 2) user.CloseBox();
    });
  }
  for (int way = 0; way < 3; ++way) EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(machine.registry.Dump() + machine.files.Dump(), before);
  EXPECT_TRUE(Runs().empty());
}

TEST_F(DialogTest, RestartNoticeWhenAnIdeWindowAppeared) {
  RunDialog([this](memory::DialogDriver& user) {
    machine.ui.AddWindow("wndclass_desked_gsk", "Microsoft Development Environment");
    user.Click(IDC_ENABLE);
    user.Click(IDC_APPLY);
    user.PressEscape();
  });
  ASSERT_EQ(machine.ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(machine.ui.MessageBoxes()[0].text, "Changes will take effect after Visual Studio restarted");
  EXPECT_EQ(machine.ui.MessageBoxes()[0].type, 0x30u);
}

TEST_F(DialogTest, SystemMenuOpensTheAboutBoxAndKeepsItsOwnCommands) {
  machine.ui.ScriptDialog(IDD_ABOUTBOX, [](memory::DialogDriver& about) {
    EXPECT_EQ(about.Caption(), "About RegOrvikPkg");
    about.PressEnter();
  });
  RunDialog([](memory::DialogDriver& user) {
    user.SystemCommand(0x10);
    user.SystemCommand(0x1F);  // the low four bits are the system's
    EXPECT_FALSE(user.Ended());
    user.SystemCommand(0xF060);  // SC_CLOSE: ends the dialog as Cancel
    EXPECT_TRUE(user.Ended());
  });
  ASSERT_EQ(machine.ui.Dialogs().size(), 3u);
  EXPECT_EQ(machine.ui.Dialogs()[1].templateId, static_cast<std::uint32_t>(IDD_ABOUTBOX));
  EXPECT_EQ(machine.ui.Dialogs()[2].templateId, static_cast<std::uint32_t>(IDD_ABOUTBOX));
  // Owned by the dialog, which waits behind it.
  EXPECT_EQ(machine.ui.Dialogs()[1].parent, machine.ui.Dialogs()[0].window);
  EXPECT_NE(machine.ui.Dialogs()[1].parent, nullptr);
}

TEST_F(DialogTest, MinimisedDialogDrawsItsIconCentred) {
  machine.ui.SetSystemMetric(11, 32);
  machine.ui.SetSystemMetric(12, 32);
  intptr_t dragIcon = 0;
  RunDialog([&dragIcon](memory::DialogDriver& user) {
    user.SetIconic(true);
    user.Paint();
    dragIcon = user.Send(0x0037, 0, 0);
    user.PressEscape();
  });
  EXPECT_NE(dragIcon, 0);
  // The background is erased first, then the program's icon is drawn.
  std::string painting;
  for (const std::string& line : machine.ui.Transcript()) {
    if (line.find("erase icon background") != std::string::npos) painting += "erase;";
    if (line.find("draw icon 128 at ") != std::string::npos) painting += "draw;";
  }
  EXPECT_EQ(painting, "erase;draw;");
}

}  // namespace
}  // namespace unit
