#include "Automation.h"

#include "Probe.h"
#include "Session.h"
#include "WindowReader.h"

namespace bench {
namespace {

std::string WithoutAmpersands(const std::string& caption) {
  std::string plain;
  for (char c : caption)
    if (c != '&') plain += c;
  return plain;
}

std::string Quoted(const std::string& text) { return "\"" + MakeVisible(text) + "\""; }

}  // namespace

const char* IconKindName(IconKind kind) {
  switch (kind) {
    case IconKind::kUnknown:
      return "unknown";
    case IconKind::kNone:
      return "none";
    case IconKind::kError:
      return "error";
    case IconKind::kExclamation:
      return "exclamation";
    case IconKind::kQuestion:
      return "question";
    case IconKind::kInformation:
      return "information";
    case IconKind::kOther:
      return "other";
  }
  return "?";
}

bool ControlRecord::IsPushButton() const {
  if (lstrcmpiA(className.c_str(), "Button") != 0) return false;
  DWORD type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

const ControlRecord* WindowRecord::Control(int id) const {
  for (const ControlRecord& control : controls)
    if (control.id == id) return &control;
  return nullptr;
}

WindowRecord& LiveWindow::record() { return session_.Record(record_); }

void LiveWindow::Note(const std::string& action) { record().actions.push_back(action); }

bool LiveWindow::Refuse(const std::string& what) {
  Note("refused: " + what);
  session_.Fail("refused to " + what + ", as a person could not do it");
  return false;
}

HWND LiveWindow::UsableControl(int id, const char* verb) {
  HWND control = GetDlgItem(window_, id);
  if (!control) {
    Refuse(std::string(verb) + " control " + std::to_string(id) + ", which does not exist");
    return nullptr;
  }
  std::string name = std::string(verb) + " " + std::to_string(id) + " " + Quoted(ReadWindowText(control));
  if (!IsWindowEnabled(window_)) return Refuse(name + " in a disabled window"), nullptr;
  if (!IsWindowVisible(control)) return Refuse(name + ", which is hidden"), nullptr;
  if (!IsWindowEnabled(control)) return Refuse(name + ", which is disabled"), nullptr;
  return control;
}

bool LiveWindow::Press(int id) {
  HWND button = UsableControl(id, "press");
  if (!button) return false;
  std::string caption = ReadWindowText(button);
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  Note("pressed " + std::to_string(id) + " " + Quoted(caption) +
       (record().answeredByDefault ? " (no answer scripted: the default button)" : ""));
  return Settle();
}

bool LiveWindow::Press(const std::string& caption) {
  for (const ControlRecord& control : Controls())
    if (control.IsPushButton() && lstrcmpiA(WithoutAmpersands(control.text).c_str(), caption.c_str()) == 0)
      return Press(control.id);
  return Refuse("press a button captioned " + Quoted(caption) + ", which does not exist");
}

bool LiveWindow::Click(int id) {
  HWND control = UsableControl(id, "click");
  if (!control) return false;
  PostMessageA(control, BM_CLICK, 0, 0);
  Note("clicked " + std::to_string(id) + " " + Quoted(ReadWindowText(control)));
  return Settle();
}

HWND LiveWindow::FocusedControl() {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread);
  return thread.hwndFocus ? thread.hwndFocus : window_;
}

bool LiveWindow::Key(UINT virtualKey) {
  if (!IsWindowEnabled(window_)) return Refuse("type into a disabled window");
  HWND target = FocusedControl();
  auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | scanCode);
  PostMessageA(target, WM_KEYUP, virtualKey, 1 | scanCode | 0xC0000000);
  Note("key " + std::to_string(virtualKey) + " to " + ReadClassName(target) + " " +
       std::to_string(GetDlgCtrlID(target)));
  return Settle();
}

bool LiveWindow::Char(char character) {
  if (!IsWindowEnabled(window_)) return Refuse("type into a disabled window");
  PostMessageA(FocusedControl(), WM_CHAR, static_cast<unsigned char>(character), 1);
  Note("typed " + Quoted(std::string(1, character)));
  return Settle();
}

bool LiveWindow::AltKey(char letter) {
  if (!IsWindowEnabled(window_)) return Refuse("type into a disabled window");
  HWND target = FocusedControl();
  auto virtualKey = static_cast<UINT>(VkKeyScanA(letter) & 0xFF);
  // Bit 29, the context code, says that Alt is down.
  LPARAM flags = 1 | (static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16) | (1 << 29);
  PostMessageA(target, WM_SYSKEYDOWN, virtualKey, flags);
  PostMessageA(target, WM_SYSKEYUP, virtualKey, flags | 0xC0000000);
  Note("Alt+" + std::string(1, letter) + " to " + ReadClassName(target) + " " + std::to_string(GetDlgCtrlID(target)));
  return Settle();
}

bool LiveWindow::SysCommand(WPARAM command) {
  if (!IsWindowEnabled(window_)) return Refuse("open the system menu of a disabled window");
  PostMessageA(window_, WM_SYSCOMMAND, command, 0);
  Note("system command " + std::to_string(command));
  return Settle();
}

bool LiveWindow::Close() {
  if (!IsWindowEnabled(window_)) return Refuse("close a disabled window");
  PostMessageA(window_, WM_CLOSE, 0, 0);
  Note(std::string("closed") + (record().answeredByDefault ? " (no answer scripted)" : ""));
  return Settle();
}

bool LiveWindow::Settle() { return session_.Settle(window_); }

std::optional<ControlRecord> LiveWindow::Control(int id) {
  HWND control = GetDlgItem(window_, id);
  if (!control) return std::nullopt;
  return ReadControl(control);
}

std::vector<ControlRecord> LiveWindow::Controls() { return ReadControls(window_); }

int LiveWindow::FocusedId() {
  HWND focus = FocusedControl();
  return focus == window_ ? 0 : GetDlgCtrlID(focus);
}

std::optional<std::vector<MenuItemRecord>> LiveWindow::SystemMenu() {
  static const UINT question = RegisterWindowMessageA(kSystemMenuMessage);
  std::string name = kSystemMenuMapping + std::to_string(GetCurrentProcessId());
  HANDLE mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(PublishedMenu), name.c_str());
  if (!mapping) return std::nullopt;
  std::optional<std::vector<MenuItemRecord>> items;
  if (auto* menu = static_cast<PublishedMenu*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
    menu->count = -1;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window_, question, GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    // Wine answers the send before it runs the hook that fills the mapping in.
    const volatile int& published = menu->count;
    for (int waited = 0; published < 0 && waited < 2000; waited += 5) Sleep(5);
    MemoryBarrier();
    if (published >= 0) {
      items.emplace();
      for (int i = 0; i < menu->count; ++i) {
        const PublishedMenuItem& item = menu->items[i];
        menu->items[i].text[sizeof item.text - 1] = '\0';
        items->push_back({item.id, item.text, (item.type & MFT_SEPARATOR) != 0,
                          (item.state & (MFS_DISABLED | MFS_GRAYED)) == 0});
      }
    }
    UnmapViewOfFile(menu);
  }
  CloseHandle(mapping);
  return items;
}

Answer Answer::Press(int id) {
  return {"press " + std::to_string(id), [id](LiveWindow& window) { return window.Press(id); }};
}

Answer Answer::Press(const std::string& caption) {
  return {"press \"" + caption + "\"", [caption](LiveWindow& window) { return window.Press(caption); }};
}

Answer Answer::Do(std::string description, WindowAction act) { return {std::move(description), std::move(act)}; }

RunResult RunProgram(const RunOptions& options) { return Session(options).Run(); }

}  // namespace bench
