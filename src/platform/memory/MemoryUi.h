#pragma once
// Windows, dialogs and message boxes of the in-memory Windows, with a "user"
// that a test scripts.
//
// Message boxes are recorded with owner, text, caption and type, and answered
// from a queue of answers or by a handler. A box nobody scripted answers IDOK
// when it only has OK; any other box (a question) answers its negative button
// (IDNO, IDCANCEL or IDABORT) and is recorded as a problem, so that a test
// that forgot to script a question sees it in Problems().
//
// Top-level windows are added by the test (AddWindow) or are the dialogs
// running. Like Wine, FindWindowA and EnumWindows go from the newest window to
// the oldest, FindWindowA compares class and title without regard to case,
// and GetWindowTextA/GetClassNameA copy at most size - 1 characters.
//
// DialogBox builds the dialog from a template the test (or
// InstallProgramResources) set for its id, sends WM_INITDIALOG, then lets the
// script queued for that template act as the user until the dialog ends. With
// no script the dialog is closed as if Enter were pressed. A script that
// returns while its dialog is still open is a problem; the dialog is then
// ended with IDCANCEL. Dialogs and message boxes shown from inside handlers
// nest, and everything lands in one transcript, in order.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Ui.h"
#include "platform/memory/DialogTemplate.h"

namespace memory {

class FaultPlan;
class MemoryUi;

struct ControlState {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  std::string text;
  bool enabled = true;
  std::uint32_t check = 0;
  bool operator==(const ControlState& other) const {
    return id == other.id && kind == other.kind && text == other.text && enabled == other.enabled &&
           check == other.check;
  }
};

struct MenuItem {
  std::uint32_t flags = 0;
  std::uintptr_t id = 0;
  std::string text;
  bool operator==(const MenuItem& other) const {
    return flags == other.flags && id == other.id && text == other.text;
  }
};

struct MessageBoxCall {
  platform::WindowHandle owner = nullptr;
  std::uint32_t ownerTemplate = 0;  // the template of the dialog that owns it, 0 for none
  std::string text;
  std::string caption;
  std::uint32_t type = 0;
  int answer = 0;
};

struct DialogRecord {
  std::uint32_t templateId = 0;
  platform::WindowHandle window = nullptr;  // invalid once the dialog ended
  platform::WindowHandle parent = nullptr;
  std::string caption;
  std::vector<ControlState> controlsAfterInit;
  std::vector<ControlState> controlsAtEnd;
  std::vector<MenuItem> systemMenu;
  platform::IconHandle bigIcon = nullptr;
  platform::IconHandle smallIcon = nullptr;
  bool ended = false;
  std::intptr_t result = 0;
};

// The user in front of one running dialog.
class DialogDriver {
 public:
  DialogDriver(MemoryUi& ui, platform::WindowHandle dialog) : ui_(ui), dialog_(dialog) {}

  std::uint32_t TemplateId() const;
  platform::WindowHandle Window() const { return dialog_; }
  bool Ended() const;

  // A click: refused (false) when the control is missing or disabled or the
  // dialog has ended. A radio button is checked, the others of its group
  // unchecked, then the dialog is told like for a push button.
  bool Click(int id);
  void PressEnter();   // the default button when it is enabled, else IDOK
  void PressEscape();  // IDCANCEL
  void CloseBox();     // WM_SYSCOMMAND SC_CLOSE, which the system turns into IDCANCEL
  void SystemCommand(std::uintptr_t command);
  void SetIconic(bool iconic);
  void Paint();  // WM_PAINT
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  std::string Caption() const;
  bool Exists(int id) const;
  std::string Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsChecked(int id) const;
  std::vector<ControlState> Controls() const;
  std::vector<MenuItem> SystemMenu() const;

 private:
  MemoryUi& ui_;
  platform::WindowHandle dialog_;
};

using DialogScript = std::function<void(DialogDriver& user)>;
using MessageBoxHandler = std::function<int(const MessageBoxCall& box)>;

class MemoryUi final : public platform::Ui {
 public:
  MemoryUi();
  ~MemoryUi() override;
  MemoryUi(const MemoryUi&) = delete;
  MemoryUi& operator=(const MemoryUi&) = delete;

  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }

  // Set-up.
  void SetDialogTemplate(std::uint32_t id, const DialogTemplate& dialogTemplate);
  void SetOwnIcons(const std::vector<std::uint32_t>& resourceIds) { ownIcons_ = resourceIds; }
  void SetSystemMetric(int index, int value) { metrics_[index] = value; }
  platform::WindowHandle AddWindow(const std::string& className, const std::string& title);
  void RemoveWindow(platform::WindowHandle window);

  // The user's part.
  void AnswerMessageBox(int answer) { answers_.push_back(answer); }
  void SetMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler_ = std::move(handler); }
  void ScriptDialog(std::uint32_t templateId, DialogScript script);

  // What happened.
  const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<DialogRecord>& Dialogs() const { return dialogs_; }
  // Everything shown and done, one line each, indented by dialog nesting.
  const std::vector<std::string>& Transcript() const { return transcript_; }
  // Things a test most likely did not mean: unscripted questions, scripts
  // that left a dialog open, actions on ended dialogs.
  const std::vector<std::string>& Problems() const { return problems_; }
  // The resource id an icon handle of LoadIcon stands for, 0 for another.
  std::uint32_t IconResource(platform::IconHandle icon) const;

  int MessageBox(platform::WindowHandle owner, const char* text, const char* caption, std::uint32_t type) override;
  platform::WindowHandle FindWindow(const char* className, const char* windowName) override;
  bool EnumWindows(platform::EnumWindowsCallback callback, std::intptr_t lParam) override;
  int GetWindowText(platform::WindowHandle window, char* buffer, int size) override;
  int GetWindowTextLength(platform::WindowHandle window) override;
  int GetClassName(platform::WindowHandle window, char* buffer, int size) override;
  std::intptr_t DialogBox(std::uint32_t templateId, platform::WindowHandle parent,
                          platform::DialogProcedure& procedure) override;
  bool EndDialog(platform::WindowHandle dialog, std::intptr_t result) override;
  platform::WindowHandle GetDlgItem(platform::WindowHandle dialog, int id) override;
  bool EnableWindow(platform::WindowHandle window, bool enable) override;
  bool IsWindowEnabled(platform::WindowHandle window) override;
  bool SetWindowText(platform::WindowHandle window, const char* text) override;
  std::uint32_t IsDlgButtonChecked(platform::WindowHandle dialog, int id) override;
  bool CheckDlgButton(platform::WindowHandle dialog, int id, std::uint32_t check) override;
  platform::MenuHandle GetSystemMenu(platform::WindowHandle window, bool revert) override;
  bool AppendMenu(platform::MenuHandle menu, std::uint32_t flags, std::uintptr_t id, const char* text) override;
  std::intptr_t SendMessage(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) override;
  platform::IconHandle LoadIcon(std::uint32_t resourceId) override;
  bool IsIconic(platform::WindowHandle window) override;
  void CenterWindow(platform::WindowHandle window, platform::WindowHandle over) override;
  bool GetClientRect(platform::WindowHandle window, platform::Rect* rect) override;
  int GetSystemMetrics(int index) override;
  platform::DcHandle BeginPaint(platform::WindowHandle window) override;
  void EndPaint(platform::WindowHandle window) override;
  bool DrawIcon(platform::DcHandle dc, int x, int y, platform::IconHandle icon) override;

 private:
  friend class DialogDriver;
  struct Window;

  Window* Find(platform::WindowHandle window);
  const Window* Find(platform::WindowHandle window) const;
  Window* FindDialog(platform::WindowHandle dialog);
  Window* Control(platform::WindowHandle dialog, int id);
  platform::WindowHandle NewWindow(Window window);
  void DestroyWindow(platform::WindowHandle window);
  std::vector<ControlState> ControlsOf(platform::WindowHandle dialog) const;
  std::intptr_t Deliver(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam);
  std::intptr_t DefaultDialogMessage(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam);
  void Command(platform::WindowHandle dialog, int id);
  int UnscriptedAnswer(const MessageBoxCall& box);
  void Note(const std::string& line);
  void Problem(const std::string& line);
  std::string IconName(std::intptr_t icon) const;

  FaultPlan* faults_ = nullptr;
  std::map<std::uintptr_t, std::unique_ptr<Window>> windows_;
  std::vector<std::uintptr_t> topLevel_;  // oldest first
  std::uintptr_t nextHandle_ = 0x10000;
  std::map<std::uint32_t, DialogTemplate> templates_;
  std::map<std::uint32_t, std::deque<DialogScript>> scripts_;
  std::vector<std::uint32_t> ownIcons_;
  std::map<int, int> metrics_;
  std::deque<int> answers_;
  MessageBoxHandler messageBoxHandler_;
  std::vector<MessageBoxCall> messageBoxes_;
  std::vector<DialogRecord> dialogs_;
  std::vector<std::string> transcript_;
  std::vector<std::string> problems_;
  int depth_ = 0;
  std::map<std::uintptr_t, std::uintptr_t> paintingDcs_;  // device context -> window
};

}  // namespace memory
