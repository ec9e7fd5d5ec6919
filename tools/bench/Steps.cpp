// The answer language: what the driver does to a window, step by step. A
// step that acts is refused (and the run fails) when a person could not do
// it, such as clicking a disabled control; then the driver waits until the
// program has taken the input, so that the next step sees its effect.
#include <cstdlib>

#include "Session.h"
#include "probe/Probe.h"

namespace bench {
namespace {

constexpr std::pair<const char*, int> kButtons[] = {{"ok", IDOK},       {"cancel", IDCANCEL}, {"abort", IDABORT},
                                                    {"retry", IDRETRY}, {"ignore", IDIGNORE}, {"yes", IDYES},
                                                    {"no", IDNO}};
constexpr std::pair<const char*, int> kKeys[] = {{"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},
                                                 {"space", VK_SPACE},  {"up", VK_UP},         {"down", VK_DOWN},
                                                 {"left", VK_LEFT},    {"right", VK_RIGHT}};

bool Number(const std::string& text, int& number) {
  char* end = nullptr;
  number = static_cast<int>(std::strtol(text.c_str(), &end, 0));
  return !text.empty() && *end == '\0';
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus ? thread.hwndFocus : window;
}

int ButtonCaptioned(HWND window, const std::string& caption) {
  for (HWND control : Controls(window))
    if (ClassOf(control) == "Button" && lstrcmpiA(WithoutAmpersands(TextOf(control)).c_str(), caption.c_str()) == 0)
      return GetDlgCtrlID(control);
  return 0;
}

// The steps that only look, or hold the window up.
bool Look(Session& session, HWND window, const Step& step) {
  if (step.verb == "show") {
    // Without an id, every control in tab order.
    auto controls = step.text.empty() ? Controls(window) : std::vector<HWND>{GetDlgItem(window, step.number)};
    for (HWND control : controls)
      if (control) session.Note(window, "show " + ControlLine(control));
    return controls.empty() || controls[0] || session.Fail("there is no control " + step.text + " to show");
  }
  if (step.verb == "focus") {
    HWND focus = FocusedControl(window);
    session.Note(window, "focus " + (focus == window ? "none" : std::to_string(GetDlgCtrlID(focus))));
  } else if (step.verb == "menu") {
    char items[256] = "";
    auto atom = reinterpret_cast<INT_PTR>(GetPropA(window, probe::kMenuProperty));
    GlobalGetAtomNameA(static_cast<ATOM>(atom), items, sizeof items);
    session.Note(window, "menu " + Visible(items));
  } else {
    // Held up to look at the window or take its picture, until the file exists.
    for (int waited = 0; GetFileAttributesA(step.text.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 20) {
      if (waited >= 60000) return session.Fail("held a minute, and " + step.text + " never came");
      Sleep(20);
    }
  }
  return true;
}

}  // namespace

Answer ParseAnswer(const std::string& text) {
  Answer steps;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = text.find(',', start);
    const std::string part = text.substr(start, end - start);
    const std::size_t colon = part.find(':');
    Step step{part.substr(0, colon), colon == std::string::npos ? "" : part.substr(colon + 1)};
    const std::string& verb = step.verb;
    bool numbered = Number(step.text, step.number), bare = colon == std::string::npos;
    // A button's name or id alone presses it.
    for (const auto& [name, id] : kButtons)
      if (lstrcmpiA(part.c_str(), name) == 0) step = {"press", part, id};
    if (int id = 0; Number(part, id)) step = {"press", part, id};
    for (const auto& [name, key] : kKeys)
      if (verb == "key" && step.text == name) numbered = (step.number = key) != 0;
    bool fine = verb == "press" || verb == "hold" || verb == "ide-window" ? !step.text.empty()
                : verb == "click" || verb == "sys" || verb == "key" ? numbered
                : verb == "show" ? numbered || bare
                : verb == "char" || verb == "alt" ? step.text.size() == 1
                : bare && (verb == "close" || verb == "wait" || verb == "menu" || verb == "focus");
    if (!fine) throw UsageError{"not a step of an answer: " + part};
    steps.push_back(step);
  }
  return steps;
}

bool Perform(Session& session, HWND window, const Step& step) {
  const std::string& verb = step.verb;
  if (verb == "wait") return session.Settle(window);
  if (verb == "ide-window") return session.StartIdeWindow(step.text);
  if (verb == "show" || verb == "focus" || verb == "menu" || verb == "hold") return Look(session, window, step);
  const int id = verb == "press" && !step.number ? ButtonCaptioned(window, step.text) : step.number;
  HWND control = verb == "press" || verb == "click" ? GetDlgItem(window, id) : window;
  const char* refusal = !control                    ? ", which does not exist"
                        : !IsWindowEnabled(window)  ? " in a disabled window"
                        : !IsWindowVisible(control) ? ", which is hidden"
                        : !IsWindowEnabled(control) ? ", which is disabled"
                                                    : nullptr;
  if (refusal)
    return session.Fail("refused to " + verb + " " + (step.text.empty() ? std::to_string(id) : step.text) + refusal +
                        ", as a person could not");
  // Read before the input goes: the window may be gone soon after.
  const std::string caption = WithoutAmpersands(TextOf(control));
  HWND focus = FocusedControl(window);
  auto key = static_cast<UINT>(verb == "alt" ? VkKeyScanA(step.text[0]) & 0xFF : step.number);
  // Bit 29, the context code, says that Alt is down: a mnemonic.
  LPARAM flags = 1 | static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16 | (verb == "alt" ? 1 << 29 : 0);
  if (verb == "press") PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  if (verb == "click") PostMessageA(control, BM_CLICK, 0, 0);
  if (verb == "key" || verb == "alt") PostMessageA(focus, verb == "alt" ? WM_SYSKEYDOWN : WM_KEYDOWN, key, flags);
  if (verb == "key" || verb == "alt") PostMessageA(focus, verb == "alt" ? WM_SYSKEYUP : WM_KEYUP, key, flags | 0xC0000000);
  if (verb == "char") PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(step.text[0]), 1);
  if (verb == "sys") PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(step.number), 0);
  if (verb == "close") PostMessageA(window, WM_CLOSE, 0, 0);
  std::string detail = verb == "press" ? (caption.empty() ? std::to_string(id) : caption)
                       : verb == "click" ? std::to_string(id) : step.text;
  session.Note(window, verb + (detail.empty() ? "" : " " + detail));
  return session.Settle(window);
}

}  // namespace bench
