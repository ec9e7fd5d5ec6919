#pragma once
// The automation library: starts a Windows program with an exact command line
// and plays the person at the screen. It records every top-level window that
// the program (or a program it starts) shows, answers each from a script and
// reports the exit code with all 32 bits.
//
//   bench::RunOptions run;
//   run.commandLine = "\"C:\\Tools\\RegOrvikPkg.exe\" /install";
//   run.answers = {bench::Answer::Press("Yes")};
//   bench::RunResult result = bench::RunProgram(run);
//   std::cout << bench::FormatTranscript(result);
//
// A window is acted on once it is visible and enabled, as a person would. A
// window without an answer left in the script gets its default button
// pressed, and the record says so.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

enum class IconKind {
  kUnknown,  // the icon probe did not see the window
  kNone,
  kError,
  kExclamation,
  kQuestion,
  kInformation,
  kOther,
};

const char* IconKindName(IconKind kind);

struct ControlRecord {
  int id = 0;
  std::string className;
  std::string text;
  DWORD style = 0;
  bool visible = false;
  bool enabled = false;
  int checked = -1;  // BM_GETCHECK of check boxes and radio buttons, -1 for other controls

  bool IsPushButton() const;
};

struct MenuItemRecord {
  UINT id = 0;
  std::string text;
  bool separator = false;
  bool enabled = true;
};

struct WindowRecord {
  std::string processName;  // image name of the process that showed the window
  bool shownByChild = false;  // shown by a program that the started one ran
  std::string className;
  std::string caption;
  std::optional<std::string> ownerCaption;  // the caption of the window that owns it; none when unowned
  bool isMessageBox = false;
  std::string text;  // a message box's text (its static control 0xFFFF)
  IconKind icon = IconKind::kUnknown;
  std::vector<ControlRecord> buttons;   // push buttons, in tab order
  std::optional<std::string> editText;  // edit control 1005, when there is one
  std::vector<ControlRecord> controls;  // every control, in tab order
  std::vector<std::string> actions;     // what the driver did to the window, in order
  bool answeredByDefault = false;       // no answer was scripted for it

  const ControlRecord* Control(int id) const;
};

struct RunResult {
  std::vector<WindowRecord> windows;          // in the order they were answered
  std::vector<WindowRecord> leftOnScreen;     // still shown when the run was cut short
  bool exited = false;                        // the program ended by itself
  std::uint32_t exitCode = 0;                 // GetExitCodeProcess, all 32 bits
  std::string failure;                        // empty when the run went as scripted
  std::vector<std::string> notes;             // things worth knowing that are not failures
  double seconds = 0;

  bool Succeeded() const { return failure.empty(); }
};

class Session;

// The window being answered, handed to an answer's callback. Every action
// checks first that a person could do it: a disabled or hidden control
// cannot be clicked, and the refusal fails the run. Then, like a person
// watching the screen, it waits until the program has taken the input
// (Settle), so the next action sees its effect.
class LiveWindow {
 public:
  LiveWindow(Session& session, HWND window, std::size_t record) : session_(session), window_(window), record_(record) {}

  HWND handle() const { return window_; }
  WindowRecord& record();

  // A push button: WM_COMMAND with its id, as its click would send.
  bool Press(int id);
  // A push button found by its caption, '&' ignored and letter case too.
  bool Press(const std::string& caption);
  // BM_CLICK, for radio buttons and check boxes.
  bool Click(int id);
  // WM_KEYDOWN and WM_KEYUP (WM_CHAR for Char) to the focused control.
  bool Key(UINT virtualKey);
  bool Char(char character);
  // The letter typed with Alt held down (WM_SYSKEYDOWN and WM_SYSKEYUP to the
  // focused control), as a mnemonic is used.
  bool AltKey(char letter);
  bool SysCommand(WPARAM command);
  bool Close();

  // Waits until the program has dealt with what was done, answering the
  // windows it opens meanwhile from the script. True once this window is
  // enabled again with nothing else pending, or gone; false when the run
  // failed or ran out of time meanwhile.
  bool Settle();

  // A fresh look at one control, or at every control.
  std::optional<ControlRecord> Control(int id);
  std::vector<ControlRecord> Controls();
  // The id of the control that has the keyboard focus; 0 when none has.
  int FocusedId();
  // The items of the window's system menu, read by the probe inside the
  // program; none when the probe did not answer.
  std::optional<std::vector<MenuItemRecord>> SystemMenu();

  void Note(const std::string& action);

 private:
  bool Refuse(const std::string& what);
  HWND UsableControl(int id, const char* verb);
  HWND FocusedControl();

  Session& session_;
  HWND window_;
  std::size_t record_;
};

using WindowAction = std::function<bool(LiveWindow&)>;

// What to do with the next window. A callback returning false fails the run.
struct Answer {
  std::string description;
  WindowAction act;

  static Answer Press(int id);
  static Answer Press(const std::string& caption);
  static Answer Do(std::string description, WindowAction act);
};

struct RunOptions {
  std::string commandLine;  // exactly as the program receives it
  std::optional<std::string> applicationName;  // normally none: the system finds the program from the command line
  std::string currentDirectory;  // empty: the driver's own
  // Set (with a value) or removed (without) in a copy of the driver's environment.
  std::vector<std::pair<std::string, std::optional<std::string>>> environment;
  std::vector<Answer> answers;
  DWORD timeoutMs = 30000;
  std::string probePath;  // empty: bench_probe.dll beside the running program
};

RunResult RunProgram(const RunOptions& options);

// The run as a person reads it: each window with its kind, caption, text
// (line breaks and tabs made visible), icon, buttons and what was done.
std::string FormatTranscript(const RunResult& result);

// Control characters written as \n, \r, \t or \xNN; everything else unchanged.
std::string MakeVisible(const std::string& text);

}  // namespace bench
