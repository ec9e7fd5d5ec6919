#include <cstdio>

#include "Automation.h"

namespace bench {
namespace {

std::string Quoted(const std::string& text) { return "\"" + MakeVisible(text) + "\""; }

std::string ControlFlags(const ControlRecord& control) {
  std::string flags;
  if (control.IsPushButton() && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) flags += " default";
  if (control.checked == BST_CHECKED) flags += " checked";
  if (control.checked == BST_UNCHECKED) flags += " unchecked";
  if (!control.enabled) flags += " disabled";
  if (!control.visible) flags += " hidden";
  return flags;
}

void AppendWindow(std::string& out, const std::string& heading, const WindowRecord& window) {
  out += heading + (window.isMessageBox ? "message box " : "window of class " + window.className + " ") +
         Quoted(window.caption);
  if (window.shownByChild) out += " (shown by " + window.processName + ", a child)";
  if (window.ownerCaption) out += " owned by " + Quoted(*window.ownerCaption);
  out += "\n";
  if (window.isMessageBox) {
    out += "  text:    " + Quoted(window.text) + "\n";
    out += std::string("  icon:    ") + IconKindName(window.icon) + "\n";
    out += "  buttons:";
    for (const ControlRecord& button : window.buttons)
      out += " " + std::to_string(button.id) + " " + Quoted(button.text) + ControlFlags(button) + ";";
    out += "\n";
  } else {
    for (const ControlRecord& control : window.controls)
      out += "  control " + std::to_string(control.id) + " " + control.className + " " + Quoted(control.text) +
             ControlFlags(control) + "\n";
  }
  for (const std::string& action : window.actions) out += "  done:    " + action + "\n";
}

}  // namespace

std::string MakeVisible(const std::string& text) {
  std::string visible;
  for (unsigned char c : text) {
    switch (c) {
      case '\n':
        visible += "\\n";
        break;
      case '\r':
        visible += "\\r";
        break;
      case '\t':
        visible += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
          visible += escaped;
        } else {
          visible += static_cast<char>(c);
        }
    }
  }
  return visible;
}

std::string FormatTranscript(const RunResult& result) {
  std::string out;
  for (std::size_t i = 0; i < result.windows.size(); ++i)
    AppendWindow(out, "window " + std::to_string(i + 1) + ": ", result.windows[i]);
  for (const WindowRecord& window : result.leftOnScreen) AppendWindow(out, "left on screen: ", window);
  if (result.windows.empty() && result.leftOnScreen.empty()) out += "no window shown\n";
  if (result.exited) {
    char code[64];
    std::snprintf(code, sizeof code, "exit code: 0x%08X (%d)\n", static_cast<unsigned>(result.exitCode),
                  static_cast<int>(result.exitCode));
    out += code;
  } else {
    out += "the program did not end by itself\n";
  }
  if (!result.failure.empty()) out += "FAILED: " + result.failure + "\n";
  for (const std::string& note : result.notes) out += "note: " + note + "\n";
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "time: %.2f s\n", result.seconds);
  return out + seconds;
}

}  // namespace bench
