#pragma once
// How the program speaks to the person at the screen, and what it does when
// there is none. Decided here and nowhere else:
//
// - Quiet mode ("/s") silences the failure text of a run and the file
//   messages of enabling and disabling, and asks no questions (each asking
//   operation says what it does instead). Everything else is shown whatever
//   the mode: a program that failed to run, a later version already
//   installed, a missing IDE key, the IDE still open, the usage window and
//   the dialog.
// - Where nobody can see the program's windows (an installer's action or a
//   service running as LocalSystem, on a window station no user sees), a box
//   would wait for ever for a click nobody can give. Such a run follows quiet
//   mode's rules and shows nothing at all: each box is taken as answered
//   with OK, the usage window and the dialog are not opened, and every text
//   goes to the log with its caption instead.

#include <windows.h>

#include <string>
#include <utility>

class Speaker {
 public:
  // Why nobody can see the program's windows, or null when a person can:
  // the window station is not the visible one, or, from Windows Vista on,
  // the process runs in session 0, where no user works. Asked once, at
  // start-up.
  static const char* WhyNobodySees();

  // appName captions the application's boxes; unattended when nobody can
  // see them; owner is the main window while one runs.
  Speaker(std::string appName, bool quiet, bool unattended, HWND owner = nullptr)
      : appName_(std::move(appName)), quiet_(quiet), unattended_(unattended), owner_(owner) {}

  // The same voice, with `owner` as the window its boxes belong to.
  Speaker OwnedBy(HWND owner) const { return Speaker(appName_, quiet_, unattended_, owner); }

  // The failure of a command-line run, with the error icon.
  void ShowError(const std::string& text) const;
  // A file the package switch could not copy or find.
  void FileTrouble(const std::string& text) const;
  // Shown in quiet mode too.
  void Notice(const std::string& text) const { AppBox(text, MB_OK); }

  // In quiet mode, and where nobody can answer, no question is asked.
  bool MayAsk() const;
  // A question in a box of its own, not owned by any window: true for Yes.
  bool AskYesNo(const char* caption, const std::string& text, UINT icon) const;
  // An error in a box of its own captioned "Error", shown in quiet mode too.
  void Error(const std::string& text) const;
  // Whether the window of this caption and text (the usage window, the
  // dialog) may be opened: not where nobody can see it.
  bool MayOpenWindow(const char* caption, const char* text = "") const;

  // The application's message box: captioned with the application's name,
  // owned by the main window while one runs, showing the exclamation icon
  // when the type names no icon of its own.
  int AppBox(const std::string& text, UINT type) const;

 private:
  // The application's box, or in quiet mode a line of the log instead.
  void UnlessQuiet(const std::string& text, UINT type) const;
  // Every box goes through here: shown, or, where nobody sees it, written to
  // the log and taken as answered with OK.
  int Box(HWND owner, const std::string& text, const char* caption, UINT type) const;

  std::string appName_;
  bool quiet_;
  bool unattended_;
  HWND owner_;
};
