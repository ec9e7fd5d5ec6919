// Reading another program's windows from outside: texts through WM_GETTEXT
// with a time limit (a busy program cannot hang the driver), states through
// the window manager, the icon from what the probe published.
#include <algorithm>
#include <cstdio>

#include "Session.h"
#include "probe/Probe.h"

namespace bench {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }
bool IsClass(HWND window, const char* name) { return window && lstrcmpiA(ClassOf(window).c_str(), name) == 0; }

// A button's kind by its type; empty for other controls.
std::string ButtonKind(HWND control) {
  const char* kinds[] = {"push", "default", "check", "check", "radio", "3state", "3state", "group", "user", "radio"};
  DWORD type = StyleOf(control) & BS_TYPEMASK;
  return !IsClass(control, "Button") ? "" : type < 10 ? kinds[type] : "button";
}

bool IsMessageBox(HWND window) {
  bool iconControl = false;
  for (int id : probe::kMessageBoxIconIds) iconControl = iconControl || IsClass(GetDlgItem(window, id), "Static");
  return iconControl && ClassOf(window) == "#32770" && GetDlgItem(window, kMessageBoxTextId);
}

}  // namespace

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 1024, copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
  std::string text(length + 1, '\0');
  // A program that does not answer still has the text the system keeps.
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                           &copied))
    copied = static_cast<DWORD_PTR>(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
  return text.substr(0, std::min(copied, length));
}

std::string WithoutAmpersands(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) controls.push_back(child);
  return controls;
}

std::string Header(HWND window) {
  std::string header = "window " + Quoted(TextOf(window));
  if (IsMessageBox(window)) {
    auto icon = reinterpret_cast<INT_PTR>(GetPropA(window, probe::kIconProperty));
    header = "box " + Quoted(TextOf(window)) + " " + probe::kIconNames[icon <= probe::kOther ? icon : 0] + " " +
             Quoted(TextOf(GetDlgItem(window, kMessageBoxTextId))) + " [";
    for (HWND control : Controls(window))
      if (ButtonKind(control) == "push" || ButtonKind(control) == "default")
        header += (header.back() == '[' ? "" : " ") + WithoutAmpersands(TextOf(control));
    header += "]";
  }
  if (HWND owner = GetWindow(window, GW_OWNER)) header += " owned by " + Quoted(TextOf(owner));
  return header;
}

std::string ControlLine(HWND control) {
  const DWORD style = StyleOf(control);
  const std::string kind = ButtonKind(control);
  // The "no id" static reads 0xFFFF from either kind of dialog template.
  std::string line = std::to_string(GetDlgCtrlID(control) & 0xFFFF) + " ";
  line += IsClass(control, "Static") && (style & SS_TYPEMASK) == SS_ICON ? "icon" : Quoted(TextOf(control));
  if (!kind.empty()) line += " " + kind + (style & BS_MULTILINE ? " multiline" : "");
  if (IsClass(control, "Edit"))
    line += std::string(" edit") + (style & ES_MULTILINE ? " multiline" : "") + (style & ES_READONLY ? " readonly" : "");
  DWORD_PTR checked = 0;
  if ((kind == "check" || kind == "radio" || kind == "3state") &&
      SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked))
    line += checked == BST_CHECKED ? " checked" : " unchecked";
  for (auto [flag, name] : {std::pair{WS_VSCROLL, " vscroll"}, {WS_HSCROLL, " hscroll"}, {WS_DISABLED, " disabled"}})
    if (style & flag) line += name;
  return line + (style & WS_VISIBLE ? "" : " hidden");
}

int DefaultButton(HWND dialog) {
  // The button drawn as the default is what Enter presses; DM_GETDEFID alone
  // may name IDOK in a box that has no such button.
  for (HWND control : Controls(dialog))
    if (ButtonKind(control) == "default") return GetDlgCtrlID(control);
  return GetDlgItem(dialog, IDOK) ? IDOK : GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : 0;
}

std::string Visible(const std::string& text) {
  std::string visible;
  for (unsigned char c : text) {
    char shown[8];
    const char* format = c == 0 ? "\\0" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\x%02X";
    std::snprintf(shown, sizeof shown, c < 0x20 || c == 0x7F ? format : "%c", c);
    visible += shown;
  }
  return visible;
}

}  // namespace bench
