// Windows, dialogs and message boxes of the in-memory Windows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/WinConstants.h"
#include "platform/memory/MemoryUi.h"

namespace {

using memory::ControlKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kShowBox = 10;
constexpr int kNested = 11;
constexpr int kFirstRadio = 20;
constexpr int kSecondRadio = 21;
constexpr int kOtherRadio = 22;

// A dialog that ends on OK and Cancel and runs what its buttons ask for.
class TestDialog : public platform::DialogProcedure {
 public:
  TestDialog(memory::MemoryUi& ui, std::function<void(platform::WindowHandle, int)> onCommand = nullptr)
      : ui_(ui), onCommand_(std::move(onCommand)) {}
  virtual ~TestDialog() = default;

  bool HandleDialogMessage(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t /*lParam*/, std::intptr_t& result) override {
    result = 0;
    messages.push_back(message);
    if (message == win::kWmInitDialog) {
      ui_.CheckDlgButton(dialog, kFirstRadio, win::kBstChecked);
      return true;
    }
    if (message != win::kWmCommand) return false;
    const int id = static_cast<int>(wParam & 0xFFFF);
    commands.push_back(id);
    if (onCommand_) onCommand_(dialog, id);
    if (id == win::kIdOk || id == win::kIdCancel) ui_.EndDialog(dialog, id);
    return true;
  }

  std::vector<std::uint32_t> messages;
  std::vector<int> commands;

 private:
  memory::MemoryUi& ui_;
  std::function<void(platform::WindowHandle, int)> onCommand_;
};

memory::DialogTemplate Template(const char* caption) {
  memory::DialogTemplate t;
  t.caption = caption;
  t.widthDlu = 200;
  t.heightDlu = 80;
  t.controls = {
      {win::kIdOk, ControlKind::DefaultPushButton, "OK", true, true},
      {win::kIdCancel, ControlKind::PushButton, "Cancel", true, false},
      {kShowBox, ControlKind::PushButton, "Box", true, false},
      {kNested, ControlKind::PushButton, "Nested", false, false},
      {kFirstRadio, ControlKind::AutoRadioButton, "First", true, true},
      {kSecondRadio, ControlKind::AutoRadioButton, "Second", true, false},
      {kOtherRadio, ControlKind::AutoRadioButton, "Other group", true, true},
  };
  return t;
}

class MemoryUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.SetDialogTemplate(1, Template("Outer"));
    ui_.SetDialogTemplate(2, Template("Inner"));
  }
  memory::MemoryUi ui_;
};

TEST_F(MemoryUiTest, ARadioClickChecksItsButtonAndClearsOnlyItsGroup) {
  TestDialog dialog(ui_);
  ui_.ScriptDialog(1, [](memory::DialogDriver& user) {
    EXPECT_TRUE(user.Click(kOtherRadio));
    EXPECT_TRUE(user.IsChecked(kFirstRadio));
    EXPECT_TRUE(user.Click(kSecondRadio));
    EXPECT_FALSE(user.IsChecked(kFirstRadio));
    EXPECT_TRUE(user.IsChecked(kSecondRadio));
    EXPECT_TRUE(user.IsChecked(kOtherRadio));
    user.PressEscape();
  });
  EXPECT_EQ(win::kIdCancel, ui_.DialogBox(1, nullptr, dialog));
  EXPECT_THAT(dialog.commands, ElementsAre(kOtherRadio, kSecondRadio, win::kIdCancel));
  EXPECT_THAT(ui_.Problems(), IsEmpty());
}

TEST_F(MemoryUiTest, DisabledAndMissingControlsRefuseClicks) {
  TestDialog dialog(ui_);
  ui_.ScriptDialog(1, [](memory::DialogDriver& user) {
    EXPECT_FALSE(user.Click(kNested));
    EXPECT_FALSE(user.Click(999));
    user.PressEnter();
    EXPECT_FALSE(user.Click(kShowBox));  // after the end
  });
  EXPECT_EQ(win::kIdOk, ui_.DialogBox(1, nullptr, dialog));
  EXPECT_THAT(dialog.commands, ElementsAre(win::kIdOk));
  EXPECT_THAT(ui_.Problems(), ElementsAre("click 10 after the dialog ended"));
}

TEST_F(MemoryUiTest, TheCloseBoxCancelsUnlessCancelIsDisabled) {
  TestDialog dialog(ui_);
  ui_.ScriptDialog(1, [&](memory::DialogDriver& user) {
    ui_.EnableWindow(ui_.GetDlgItem(user.Window(), win::kIdCancel), false);
    user.CloseBox();
    EXPECT_FALSE(user.Ended());
    ui_.EnableWindow(ui_.GetDlgItem(user.Window(), win::kIdCancel), true);
    user.CloseBox();
  });
  EXPECT_EQ(win::kIdCancel, ui_.DialogBox(1, nullptr, dialog));
  EXPECT_THAT(dialog.messages, ElementsAre(win::kWmInitDialog, win::kWmSysCommand, win::kWmClose,
                                           win::kWmSysCommand, win::kWmClose, win::kWmCommand));
}

TEST_F(MemoryUiTest, NestedDialogsAndMessageBoxesShareOneTranscript) {
  TestDialog inner(ui_);
  TestDialog outer(ui_, [&](platform::WindowHandle dialog, int id) {
    if (id == kShowBox) ui_.MessageBox(dialog, "Really?", "Outer", win::kMbYesNo | win::kMbIconQuestion);
    if (id == kNested) ui_.DialogBox(2, dialog, inner);
  });
  ui_.AnswerMessageBox(win::kIdYes);
  ui_.ScriptDialog(1, [&](memory::DialogDriver& user) {
    user.Click(kShowBox);
    ui_.EnableWindow(ui_.GetDlgItem(user.Window(), kNested), true);
    user.Click(kNested);
    user.PressEnter();
  });
  EXPECT_EQ(win::kIdOk, ui_.DialogBox(1, nullptr, outer));
  EXPECT_THAT(ui_.Transcript(), ElementsAre("dialog 1 \"Outer\" opened",
                                            "  click 10",
                                            "  message box \"Outer\" \"Really?\" type 0x24 -> 6",
                                            "  click 11",
                                            "  dialog 2 \"Inner\" opened",
                                            "    enter",
                                            "  dialog 2 ended 1",
                                            "  enter",
                                            "dialog 1 ended 1"));
  ASSERT_EQ(1u, ui_.MessageBoxes().size());
  EXPECT_EQ(1u, ui_.MessageBoxes()[0].ownerTemplate);
  ASSERT_EQ(2u, ui_.Dialogs().size());
  EXPECT_EQ(ui_.Dialogs()[0].window, ui_.Dialogs()[1].parent);
}

TEST_F(MemoryUiTest, UnscriptedBoxesAnswerOkOrTheirNegativeButton) {
  const struct {
    std::uint32_t type;
    int answer;
    bool problem;
  } cases[] = {{win::kMbOk | win::kMbIconError, win::kIdOk, false},
               {win::kMbYesNo, win::kIdNo, true},
               {win::kMbOkCancel, win::kIdCancel, true},
               {win::kMbYesNoCancel, win::kIdCancel, true},
               {win::kMbAbortRetryIgnore, win::kIdAbort, true}};
  std::size_t problems = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(c.answer, ui_.MessageBox(nullptr, "text", "caption", c.type)) << c.type;
    problems += c.problem ? 1 : 0;
    EXPECT_EQ(problems, ui_.Problems().size()) << c.type;
  }
}

TEST_F(MemoryUiTest, ADialogWithoutScriptEndsAsIfEnterWerePressedAndOneLeftOpenIsAProblem) {
  TestDialog dialog(ui_);
  EXPECT_EQ(win::kIdOk, ui_.DialogBox(1, nullptr, dialog));
  EXPECT_EQ("Second", ui_.Dialogs()[0].controlsAfterInit[5].text);
  EXPECT_EQ(win::kBstChecked, ui_.Dialogs()[0].controlsAfterInit[4].check);
  ui_.ScriptDialog(1, [](memory::DialogDriver&) {});
  EXPECT_EQ(win::kIdCancel, ui_.DialogBox(1, nullptr, dialog));
  EXPECT_THAT(ui_.Problems(), ElementsAre("dialog 1 was left open"));
  EXPECT_EQ(-1, ui_.DialogBox(77, nullptr, dialog));
}

TEST_F(MemoryUiTest, WindowsAreFoundNewestFirstWithoutRegardToCase) {
  platform::WindowHandle older = ui_.AddWindow("MemProbeClassOne", "Title Of One");
  platform::WindowHandle newer = ui_.AddWindow("memprobeclasstwo", "Title Of Two");
  EXPECT_EQ(older, ui_.FindWindow("MEMPROBECLASSONE", nullptr));
  EXPECT_EQ(older, ui_.FindWindow(nullptr, "title of one"));
  EXPECT_EQ(nullptr, ui_.FindWindow("MemProbeClassOne", "Title Of Two"));
  EXPECT_EQ(nullptr, ui_.FindWindow("MemProbeClassOne", ""));
  std::vector<platform::WindowHandle> seen;
  static std::vector<platform::WindowHandle>* visited = nullptr;
  visited = &seen;
  EXPECT_TRUE(ui_.EnumWindows([](platform::WindowHandle w, std::intptr_t) { visited->push_back(w); return 1; }, 0));
  EXPECT_THAT(seen, ElementsAre(newer, older));
  seen.clear();
  EXPECT_FALSE(ui_.EnumWindows([](platform::WindowHandle w, std::intptr_t) { visited->push_back(w); return 0; }, 0));
  EXPECT_THAT(seen, ElementsAre(newer));
}

TEST_F(MemoryUiTest, TextAndClassNamesAreCutToTheBuffer) {
  platform::WindowHandle window = ui_.AddWindow("MemProbeClassTwo", "Title Of One");
  char buffer[16] = "xxxxxxxxxxxxxxx";
  EXPECT_EQ(4, ui_.GetWindowText(window, buffer, 5));
  EXPECT_STREQ("Titl", buffer);
  EXPECT_EQ(0, ui_.GetWindowText(window, buffer, 1));
  EXPECT_STREQ("", buffer);
  buffer[0] = 'x';
  EXPECT_EQ(0, ui_.GetWindowText(window, buffer, 0));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(4, ui_.GetClassName(window, buffer, 5));
  EXPECT_STREQ("MemP", buffer);
  EXPECT_EQ(12, ui_.GetWindowTextLength(window));
  EXPECT_EQ(0, ui_.GetWindowText(nullptr, buffer, sizeof buffer));
}

}  // namespace
