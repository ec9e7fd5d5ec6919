#include "platform/memory/MemoryUi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/WinConstants.h"
#include "platform/memory/FaultPlan.h"

namespace memory {

namespace {

const char kDialogClass[] = "#32770";
constexpr std::uintptr_t kIconHandleBase = 0x7000000;
constexpr std::uintptr_t kMenuHandleBase = 0x8000000;
constexpr std::uintptr_t kDcHandleBase = 0x9000000;

// A dialog unit is a quarter of the average character width and an eighth of
// the character height of the dialog's font: 6 by 13 pixels for
// "MS Shell Dlg" at 8 points and 96 dots per inch.
int DluToPixelsX(int dlu) { return (dlu * 6 + 2) / 4; }
int DluToPixelsY(int dlu) { return (dlu * 13 + 4) / 8; }

const char* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::AutoRadioButton:
    case ControlKind::GroupBox:
      return "Button";
    case ControlKind::Edit:
      return "Edit";
    case ControlKind::Static:
    case ControlKind::Icon:
      return "Static";
  }
  return "Static";
}

bool IsPushButton(ControlKind kind) { return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton; }

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c; }

bool SameNoCase(const std::string& a, const char* b) {
  const std::size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string Escaped(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

std::string Hex(std::uintptr_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

int CopyText(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

std::uintptr_t Value(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

platform::WindowHandle AsWindow(std::uintptr_t value) { return reinterpret_cast<platform::WindowHandle>(value); }

}  // namespace

struct MemoryUi::Window {
  std::string className;
  std::string text;
  std::uintptr_t parent = 0;
  bool topLevel = false;
  bool enabled = true;
  bool iconic = false;
  platform::Rect client;
  // A control
  int controlId = 0;
  ControlKind kind = ControlKind::Static;
  bool group = false;
  std::uint32_t check = 0;
  // A dialog
  platform::DialogProcedure* procedure = nullptr;
  std::size_t record = 0;
  std::vector<std::uintptr_t> controls;
  bool hasSystemMenu = false;
  bool ended = false;
  std::intptr_t result = 0;
  std::vector<MenuItem> systemMenu;
  std::intptr_t bigIcon = 0;
  std::intptr_t smallIcon = 0;
};

MemoryUi::MemoryUi() = default;

MemoryUi::~MemoryUi() = default;

void MemoryUi::SetDialogTemplate(std::uint32_t id, const DialogTemplate& dialogTemplate) {
  templates_[id] = dialogTemplate;
}

void MemoryUi::ScriptDialog(std::uint32_t templateId, DialogScript script) {
  scripts_[templateId].push_back(std::move(script));
}

MemoryUi::Window* MemoryUi::Find(platform::WindowHandle window) {
  const auto found = windows_.find(Value(window));
  return found != windows_.end() ? found->second.get() : nullptr;
}

const MemoryUi::Window* MemoryUi::Find(platform::WindowHandle window) const {
  const auto found = windows_.find(Value(window));
  return found != windows_.end() ? found->second.get() : nullptr;
}

MemoryUi::Window* MemoryUi::FindDialog(platform::WindowHandle dialog) {
  Window* window = Find(dialog);
  return window != nullptr && window->procedure != nullptr ? window : nullptr;
}

MemoryUi::Window* MemoryUi::Control(platform::WindowHandle dialog, int id) {
  return Find(GetDlgItem(dialog, id));
}

platform::WindowHandle MemoryUi::NewWindow(Window window) {
  const std::uintptr_t handle = nextHandle_;
  nextHandle_ += 2;
  if (window.topLevel) topLevel_.push_back(handle);
  windows_[handle] = std::make_unique<Window>(std::move(window));
  return AsWindow(handle);
}

void MemoryUi::DestroyWindow(platform::WindowHandle window) {
  Window* found = Find(window);
  if (found == nullptr) return;
  for (std::uintptr_t control : found->controls) windows_.erase(control);
  topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), Value(window)), topLevel_.end());
  windows_.erase(Value(window));
}

platform::WindowHandle MemoryUi::AddWindow(const std::string& className, const std::string& title) {
  Window window;
  window.className = className;
  window.text = title;
  window.topLevel = true;
  window.hasSystemMenu = true;
  return NewWindow(window);
}

void MemoryUi::RemoveWindow(platform::WindowHandle window) { DestroyWindow(window); }

void MemoryUi::Note(const std::string& line) {
  transcript_.push_back(std::string(static_cast<std::size_t>(depth_) * 2, ' ') + line);
}

void MemoryUi::Problem(const std::string& line) {
  problems_.push_back(line);
  Note("problem: " + line);
}

std::string MemoryUi::IconName(std::intptr_t icon) const {
  const std::uint32_t resource = IconResource(reinterpret_cast<platform::IconHandle>(icon));
  return resource != 0 ? "icon " + std::to_string(resource) : "icon " + Hex(static_cast<std::uintptr_t>(icon));
}

std::uint32_t MemoryUi::IconResource(platform::IconHandle icon) const {
  const std::uintptr_t value = Value(icon);
  if (value <= kIconHandleBase || value >= kMenuHandleBase) return 0;
  return static_cast<std::uint32_t>(value - kIconHandleBase);
}

int MemoryUi::UnscriptedAnswer(const MessageBoxCall& box) {
  switch (box.type & win::kMbTypeMask) {
    case win::kMbOk:
      return win::kIdOk;
    case win::kMbAbortRetryIgnore:
      Problem("unscripted question: " + Escaped(box.text));
      return win::kIdAbort;
    case win::kMbYesNo:
      Problem("unscripted question: " + Escaped(box.text));
      return win::kIdNo;
    default:
      Problem("unscripted question: " + Escaped(box.text));
      return win::kIdCancel;
  }
}

int MemoryUi::MessageBox(platform::WindowHandle owner, const char* text, const char* caption, std::uint32_t type) {
  MessageBoxCall box;
  box.owner = owner;
  if (const Window* dialog = Find(owner); dialog != nullptr && dialog->procedure != nullptr) {
    box.ownerTemplate = dialogs_[dialog->record].templateId;
  }
  box.text = text != nullptr ? text : "";
  // A null caption shows as "Error", as Windows does.
  box.caption = caption != nullptr ? caption : "Error";
  box.type = type;
  const std::string shown = "message box " + Escaped(box.caption) + " " + Escaped(box.text) + " type " + Hex(type);
  if (faults_ != nullptr && faults_->Enter(Call::MessageBox)) {
    Note(shown + " failed");
    return 0;
  }
  if (!answers_.empty()) {
    box.answer = answers_.front();
    answers_.pop_front();
  } else if (messageBoxHandler_) {
    box.answer = messageBoxHandler_(box);
  } else {
    box.answer = UnscriptedAnswer(box);
  }
  messageBoxes_.push_back(box);
  Note(shown + " -> " + std::to_string(box.answer));
  return box.answer;
}

platform::WindowHandle MemoryUi::FindWindow(const char* className, const char* windowName) {
  for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) {
    const Window& window = *windows_.at(*it);
    if (className != nullptr && !SameNoCase(window.className, className)) continue;
    if (windowName != nullptr && !SameNoCase(window.text, windowName)) continue;
    return AsWindow(*it);
  }
  return nullptr;
}

bool MemoryUi::EnumWindows(platform::EnumWindowsCallback callback, std::intptr_t lParam) {
  // The callback may open or close windows: walk a copy.
  const std::vector<std::uintptr_t> windows(topLevel_.rbegin(), topLevel_.rend());
  for (std::uintptr_t window : windows) {
    if (windows_.count(window) == 0) continue;
    if (callback(AsWindow(window), lParam) == 0) return false;
  }
  return true;
}

int MemoryUi::GetWindowText(platform::WindowHandle window, char* buffer, int size) {
  const Window* found = Find(window);
  if (found == nullptr) {
    CopyText("", buffer, size);
    return 0;
  }
  return CopyText(found->text, buffer, size);
}

int MemoryUi::GetWindowTextLength(platform::WindowHandle window) {
  const Window* found = Find(window);
  return found != nullptr ? static_cast<int>(found->text.size()) : 0;
}

int MemoryUi::GetClassName(platform::WindowHandle window, char* buffer, int size) {
  const Window* found = Find(window);
  return found != nullptr ? CopyText(found->className, buffer, size) : 0;
}

std::vector<ControlState> MemoryUi::ControlsOf(platform::WindowHandle dialog) const {
  std::vector<ControlState> controls;
  const Window* found = Find(dialog);
  if (found == nullptr) return controls;
  for (std::uintptr_t handle : found->controls) {
    const Window& control = *windows_.at(handle);
    controls.push_back(ControlState{control.controlId, control.kind, control.text, control.enabled, control.check});
  }
  return controls;
}

std::intptr_t MemoryUi::DialogBox(std::uint32_t templateId, platform::WindowHandle parent,
                                  platform::DialogProcedure& procedure) {
  if (faults_ != nullptr && faults_->Enter(Call::DialogBox)) {
    Note("dialog " + std::to_string(templateId) + " failed");
    return -1;
  }
  const auto found = templates_.find(templateId);
  if (found == templates_.end()) {
    Problem("no template for dialog " + std::to_string(templateId));
    return -1;
  }
  const DialogTemplate& dialogTemplate = found->second;

  Window dialogWindow;
  dialogWindow.className = kDialogClass;
  dialogWindow.text = dialogTemplate.caption;
  dialogWindow.parent = Value(parent);
  dialogWindow.topLevel = true;
  dialogWindow.client = {0, 0, DluToPixelsX(dialogTemplate.widthDlu), DluToPixelsY(dialogTemplate.heightDlu)};
  dialogWindow.procedure = &procedure;
  dialogWindow.hasSystemMenu = dialogTemplate.systemMenu;
  dialogWindow.record = dialogs_.size();
  const platform::WindowHandle dialog = NewWindow(dialogWindow);
  for (const ControlTemplate& control : dialogTemplate.controls) {
    Window child;
    child.className = ClassOf(control.kind);
    child.text = control.text;
    child.parent = Value(dialog);
    child.enabled = control.enabled;
    child.controlId = control.id;
    child.kind = control.kind;
    child.group = control.group;
    Find(dialog)->controls.push_back(Value(NewWindow(child)));
  }

  DialogRecord record;
  record.templateId = templateId;
  record.window = dialog;
  record.parent = parent;
  record.caption = dialogTemplate.caption;
  dialogs_.push_back(record);
  Note("dialog " + std::to_string(templateId) + " " + Escaped(dialogTemplate.caption) + " opened");
  ++depth_;

  Deliver(dialog, win::kWmInitDialog, 0, 0);
  dialogs_[Find(dialog)->record].controlsAfterInit = ControlsOf(dialog);

  DialogDriver user(*this, dialog);
  auto& queued = scripts_[templateId];
  if (!Find(dialog)->ended) {
    if (queued.empty()) {
      user.PressEnter();
    } else {
      const DialogScript script = std::move(queued.front());
      queued.pop_front();
      script(user);
    }
  }
  Window& window = *Find(dialog);
  if (!window.ended) {
    Problem("dialog " + std::to_string(templateId) + " was left open");
    window.ended = true;
    window.result = win::kIdCancel;
  }

  DialogRecord& done = dialogs_[window.record];
  done.controlsAtEnd = ControlsOf(dialog);
  done.systemMenu = window.systemMenu;
  done.bigIcon = reinterpret_cast<platform::IconHandle>(window.bigIcon);
  done.smallIcon = reinterpret_cast<platform::IconHandle>(window.smallIcon);
  done.ended = true;
  done.result = window.result;
  --depth_;
  Note("dialog " + std::to_string(templateId) + " ended " + std::to_string(window.result));
  const std::intptr_t result = window.result;
  DestroyWindow(dialog);
  return result;
}

std::intptr_t MemoryUi::Deliver(platform::WindowHandle dialog, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  Window* window = FindDialog(dialog);
  if (window == nullptr) return 0;
  std::intptr_t result = 0;
  if (window->procedure->HandleDialogMessage(dialog, message, wParam, lParam, result)) return result;
  return DefaultDialogMessage(dialog, message, wParam, lParam);
}

// What the system's dialog procedure does with a message the dialog left.
std::intptr_t MemoryUi::DefaultDialogMessage(platform::WindowHandle dialog, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
  Window* window = FindDialog(dialog);
  if (window == nullptr) return 0;
  switch (message) {
    case win::kWmSetIcon: {
      std::intptr_t& slot = wParam == win::kIconBig ? window->bigIcon : window->smallIcon;
      const std::intptr_t previous = slot;
      slot = lParam;
      return previous;
    }
    case win::kWmSysCommand:
      if ((wParam & 0xFFF0) == win::kScClose) return Deliver(dialog, win::kWmClose, 0, 0);
      if ((wParam & 0xFFF0) == win::kScMinimize) window->iconic = true;
      if ((wParam & 0xFFF0) == win::kScRestore) window->iconic = false;
      return 0;
    case win::kWmClose: {
      // Closing cancels, unless a Cancel button exists and is disabled.
      const Window* cancel = Control(dialog, win::kIdCancel);
      if (cancel == nullptr || cancel->enabled) Command(dialog, win::kIdCancel);
      return 0;
    }
    default:
      return 0;
  }
}

void MemoryUi::Command(platform::WindowHandle dialog, int id) {
  const std::uintptr_t wParam = static_cast<std::uintptr_t>(id & 0xFFFF) | (std::uintptr_t{win::kBnClicked} << 16);
  Deliver(dialog, win::kWmCommand, wParam, static_cast<std::intptr_t>(Value(GetDlgItem(dialog, id))));
}

bool MemoryUi::EndDialog(platform::WindowHandle dialog, std::intptr_t result) {
  Window* window = FindDialog(dialog);
  if (window == nullptr || window->ended) return false;
  window->ended = true;
  window->result = result;
  return true;
}

platform::WindowHandle MemoryUi::GetDlgItem(platform::WindowHandle dialog, int id) {
  const Window* window = Find(dialog);
  if (window == nullptr) return nullptr;
  for (std::uintptr_t control : window->controls) {
    if (windows_.at(control)->controlId == id) return AsWindow(control);
  }
  return nullptr;
}

bool MemoryUi::EnableWindow(platform::WindowHandle window, bool enable) {
  Window* found = Find(window);
  if (found == nullptr) return false;
  const bool wasDisabled = !found->enabled;
  found->enabled = enable;
  return wasDisabled;
}

bool MemoryUi::IsWindowEnabled(platform::WindowHandle window) {
  const Window* found = Find(window);
  return found != nullptr && found->enabled;
}

bool MemoryUi::SetWindowText(platform::WindowHandle window, const char* text) {
  Window* found = Find(window);
  if (found == nullptr) return false;
  found->text = text != nullptr ? text : "";
  return true;
}

std::uint32_t MemoryUi::IsDlgButtonChecked(platform::WindowHandle dialog, int id) {
  const Window* control = Control(dialog, id);
  return control != nullptr ? control->check : 0;
}

bool MemoryUi::CheckDlgButton(platform::WindowHandle dialog, int id, std::uint32_t check) {
  Window* control = Control(dialog, id);
  if (control == nullptr) return false;
  control->check = check;
  return true;
}

platform::MenuHandle MemoryUi::GetSystemMenu(platform::WindowHandle window, bool revert) {
  Window* found = Find(window);
  if (found == nullptr || !found->hasSystemMenu) return nullptr;
  if (revert) {
    found->systemMenu.clear();
    return nullptr;
  }
  return reinterpret_cast<platform::MenuHandle>(kMenuHandleBase + Value(window));
}

bool MemoryUi::AppendMenu(platform::MenuHandle menu, std::uint32_t flags, std::uintptr_t id, const char* text) {
  const std::uintptr_t value = Value(menu);
  Window* window = value > kMenuHandleBase ? Find(AsWindow(value - kMenuHandleBase)) : nullptr;
  if (window == nullptr || !window->hasSystemMenu) return false;
  window->systemMenu.push_back(MenuItem{flags, id, text != nullptr ? text : ""});
  return true;
}

std::intptr_t MemoryUi::SendMessage(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  if (message == win::kWmSetIcon) {
    Note(std::string("set icon ") + (wParam == win::kIconBig ? "big " : "small ") + IconName(lParam));
  } else if (message == win::kWmIconEraseBkgnd) {
    Note("erase icon background");
  }
  return Deliver(window, message, wParam, lParam);
}

platform::IconHandle MemoryUi::LoadIcon(std::uint32_t resourceId) {
  if (std::find(ownIcons_.begin(), ownIcons_.end(), resourceId) == ownIcons_.end()) return nullptr;
  return reinterpret_cast<platform::IconHandle>(kIconHandleBase + resourceId);
}

bool MemoryUi::IsIconic(platform::WindowHandle window) {
  const Window* found = Find(window);
  return found != nullptr && found->iconic;
}

void MemoryUi::CenterWindow(platform::WindowHandle window, platform::WindowHandle over) {
  if (Find(window) == nullptr) return;
  const Window* owner = over != nullptr ? Find(over) : nullptr;
  Note(owner != nullptr ? "centred over its owner" : "centred on the screen");
}

bool MemoryUi::GetClientRect(platform::WindowHandle window, platform::Rect* rect) {
  const Window* found = Find(window);
  if (found == nullptr || rect == nullptr) return false;
  *rect = found->client;
  return true;
}

int MemoryUi::GetSystemMetrics(int index) {
  const auto found = metrics_.find(index);
  if (found != metrics_.end()) return found->second;
  return (index == win::kSmCxIcon || index == win::kSmCyIcon) ? 32 : 0;
}

platform::DcHandle MemoryUi::BeginPaint(platform::WindowHandle window) {
  if (Find(window) == nullptr) return nullptr;
  const std::uintptr_t dc = kDcHandleBase + Value(window);
  paintingDcs_[dc] = Value(window);
  Note("begin paint");
  return reinterpret_cast<platform::DcHandle>(dc);
}

void MemoryUi::EndPaint(platform::WindowHandle window) {
  paintingDcs_.erase(kDcHandleBase + Value(window));
  Note("end paint");
}

bool MemoryUi::DrawIcon(platform::DcHandle dc, int x, int y, platform::IconHandle icon) {
  if (paintingDcs_.count(Value(dc)) == 0 || icon == nullptr) return false;
  Note("draw " + IconName(static_cast<std::intptr_t>(Value(icon))) + " at " + std::to_string(x) + "," +
       std::to_string(y));
  return true;
}

std::uint32_t DialogDriver::TemplateId() const {
  const MemoryUi::Window* window = ui_.Find(dialog_);
  return window != nullptr ? ui_.dialogs_[window->record].templateId : 0;
}

bool DialogDriver::Ended() const {
  const MemoryUi::Window* window = ui_.Find(dialog_);
  return window == nullptr || window->ended;
}

bool DialogDriver::Click(int id) {
  if (Ended()) {
    ui_.Problem("click " + std::to_string(id) + " after the dialog ended");
    return false;
  }
  MemoryUi::Window* control = ui_.Control(dialog_, id);
  if (control == nullptr) {
    ui_.Note("click " + std::to_string(id) + " refused: no such control");
    return false;
  }
  if (!control->enabled) {
    ui_.Note("click " + std::to_string(id) + " refused: disabled");
    return false;
  }
  if (!IsPushButton(control->kind) && control->kind != ControlKind::AutoRadioButton) {
    ui_.Note("click " + std::to_string(id) + " refused: not a button");
    return false;
  }
  ui_.Note("click " + std::to_string(id));
  if (control->kind == ControlKind::AutoRadioButton) {
    // The group runs from the last control that starts one up to the next.
    MemoryUi::Window& dialog = *ui_.Find(dialog_);
    const auto self = std::find(dialog.controls.begin(), dialog.controls.end(), Value(ui_.GetDlgItem(dialog_, id)));
    auto first = self;
    while (first != dialog.controls.begin() && !ui_.windows_.at(*first)->group) --first;
    for (auto it = first; it != dialog.controls.end(); ++it) {
      MemoryUi::Window& member = *ui_.windows_.at(*it);
      if (it != first && member.group) break;
      if (member.kind == ControlKind::AutoRadioButton) member.check = win::kBstUnchecked;
    }
    control->check = win::kBstChecked;
  }
  ui_.Command(dialog_, id);
  return true;
}

void DialogDriver::PressEnter() {
  if (Ended()) {
    ui_.Problem("enter after the dialog ended");
    return;
  }
  ui_.Note("enter");
  int id = win::kIdOk;
  for (const ControlState& control : ui_.ControlsOf(dialog_)) {
    if (control.kind == ControlKind::DefaultPushButton && control.enabled) id = control.id;
  }
  ui_.Command(dialog_, id);
}

void DialogDriver::PressEscape() {
  if (Ended()) {
    ui_.Problem("escape after the dialog ended");
    return;
  }
  ui_.Note("escape");
  ui_.Command(dialog_, win::kIdCancel);
}

void DialogDriver::CloseBox() {
  if (Ended()) {
    ui_.Problem("close box after the dialog ended");
    return;
  }
  ui_.Note("close box");
  ui_.Deliver(dialog_, win::kWmSysCommand, win::kScClose, 0);
}

void DialogDriver::SystemCommand(std::uintptr_t command) {
  if (Ended()) {
    ui_.Problem("system command after the dialog ended");
    return;
  }
  ui_.Note("system command " + Hex(command));
  ui_.Deliver(dialog_, win::kWmSysCommand, command, 0);
}

void DialogDriver::SetIconic(bool iconic) {
  if (MemoryUi::Window* window = ui_.Find(dialog_)) window->iconic = iconic;
}

void DialogDriver::Paint() {
  ui_.Note("paint");
  ui_.Deliver(dialog_, win::kWmPaint, 0, 0);
}

std::intptr_t DialogDriver::Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return ui_.Deliver(dialog_, message, wParam, lParam);
}

std::string DialogDriver::Caption() const {
  const MemoryUi::Window* window = ui_.Find(dialog_);
  return window != nullptr ? window->text : std::string();
}

bool DialogDriver::Exists(int id) const { return ui_.Control(dialog_, id) != nullptr; }

std::string DialogDriver::Text(int id) const {
  const MemoryUi::Window* control = ui_.Control(dialog_, id);
  return control != nullptr ? control->text : std::string();
}

bool DialogDriver::IsEnabled(int id) const {
  const MemoryUi::Window* control = ui_.Control(dialog_, id);
  return control != nullptr && control->enabled;
}

bool DialogDriver::IsChecked(int id) const {
  const MemoryUi::Window* control = ui_.Control(dialog_, id);
  return control != nullptr && control->check == win::kBstChecked;
}

std::vector<ControlState> DialogDriver::Controls() const { return ui_.ControlsOf(dialog_); }

std::vector<MenuItem> DialogDriver::SystemMenu() const {
  const MemoryUi::Window* window = ui_.Find(dialog_);
  return window != nullptr ? window->systemMenu : std::vector<MenuItem>();
}

}  // namespace memory
