#include "WindowReader.h"

#include "Probe.h"

namespace bench {
namespace {

constexpr UINT kReadTimeoutMs = 2000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kUsageTextId = 1005;

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReadTimeoutMs, result) != 0;
}

bool IsCheckable(const ControlRecord& control) {
  if (lstrcmpiA(control.className.c_str(), "Button") != 0) return false;
  switch (control.style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
  }
  return false;
}

IconKind ReadIcon(HWND window) {
  auto probed = static_cast<ProbedIcon>(reinterpret_cast<INT_PTR>(GetPropA(window, kIconProperty)));
  switch (probed) {
    case ProbedIcon::kNoIconControl:
    case ProbedIcon::kNone:
      return IconKind::kNone;
    case ProbedIcon::kHand:
      return IconKind::kError;
    case ProbedIcon::kExclamation:
      return IconKind::kExclamation;
    case ProbedIcon::kQuestion:
      return IconKind::kQuestion;
    case ProbedIcon::kAsterisk:
      return IconKind::kInformation;
    case ProbedIcon::kOther:
      return IconKind::kOther;
  }
  return IconKind::kUnknown;
}

bool LooksLikeMessageBox(const WindowRecord& window) {
  if (window.className != "#32770") return false;
  bool hasIconControl = false;
  for (int id : kMessageBoxIconIds) {
    const ControlRecord* icon = window.Control(id);
    hasIconControl = hasIconControl || (icon && lstrcmpiA(icon->className.c_str(), "Static") == 0);
  }
  return hasIconControl && window.Control(kMessageBoxTextId) != nullptr;
}

}  // namespace

std::string ReadClassName(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string ReadWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendWithin(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
    // A program that does not answer still has the text the system keeps.
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &copied)) return {};
  text.resize(copied < length ? copied : length);
  return text;
}

ControlRecord ReadControl(HWND control) {
  ControlRecord record;
  // Template ids are 16 bits in old-style dialogs and 32 in extended ones:
  // the static "no id" control reads 0xFFFF either way.
  record.id = GetDlgCtrlID(control);
  if (record.id == -1) record.id = kMessageBoxTextId;
  record.className = ReadClassName(control);
  record.text = ReadWindowText(control);
  record.style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
  record.visible = IsWindowVisible(control) != FALSE;
  record.enabled = IsWindowEnabled(control) != FALSE;
  DWORD_PTR checked = 0;
  if (IsCheckable(record) && SendWithin(control, BM_GETCHECK, 0, 0, &checked)) record.checked = static_cast<int>(checked);
  return record;
}

std::vector<ControlRecord> ReadControls(HWND dialog) {
  std::vector<ControlRecord> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    controls.push_back(ReadControl(child));
  return controls;
}

WindowRecord ReadWindow(HWND window) {
  WindowRecord record;
  record.className = ReadClassName(window);
  record.caption = ReadWindowText(window);
  if (HWND owner = GetWindow(window, GW_OWNER)) record.ownerCaption = ReadWindowText(owner);
  record.controls = ReadControls(window);
  for (const ControlRecord& control : record.controls)
    if (control.IsPushButton()) record.buttons.push_back(control);
  if (const ControlRecord* edit = record.Control(kUsageTextId)) record.editText = edit->text;
  record.isMessageBox = LooksLikeMessageBox(record);
  if (record.isMessageBox) record.text = record.Control(kMessageBoxTextId)->text;
  record.icon = ReadIcon(window);
  return record;
}

int DefaultButtonId(HWND dialog) {
  // The button drawn as the default is what Enter presses; DM_GETDEFID alone
  // may name IDOK in a box that has no such button.
  for (const ControlRecord& control : ReadControls(dialog))
    if (control.IsPushButton() && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return control.id;
  DWORD_PTR answer = 0;
  if (SendWithin(dialog, DM_GETDEFID, 0, 0, &answer) && HIWORD(answer) == DC_HASDEFID &&
      GetDlgItem(dialog, LOWORD(answer)))
    return LOWORD(answer);
  return 0;
}

}  // namespace bench
