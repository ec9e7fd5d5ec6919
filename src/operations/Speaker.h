#pragma once
// How the program speaks to the person at the screen. What quiet mode ("/s")
// silences is decided here and nowhere else: the failure text of a run, the
// file messages of enabling and disabling, and the questions, which are then
// not asked at all (each asking operation says what it does instead).
// Everything else is shown whatever the mode: a program that failed to run,
// a later version already installed, a missing IDE key.

#include <windows.h>

#include <string>
#include <utility>

class Speaker {
 public:
  // appName captions the application's boxes; owner is the main window
  // while one runs.
  Speaker(std::string appName, bool quiet, HWND owner = nullptr)
      : appName_(std::move(appName)), quiet_(quiet), owner_(owner) {}

  // The same voice, with `owner` as the window its boxes belong to.
  Speaker OwnedBy(HWND owner) const { return Speaker(appName_, quiet_, owner); }

  // The failure of a command-line run, with the error icon.
  void ShowError(const std::string& text) const;
  // A file the package switch could not copy or find.
  void FileTrouble(const std::string& text) const;
  // Shown in quiet mode too.
  void Notice(const std::string& text) const { AppBox(text, MB_OK); }

  // In quiet mode no question is asked.
  bool MayAsk() const;
  // A question in a box of its own, not owned by any window: true for Yes.
  static bool AskYesNo(const char* caption, const std::string& text, UINT icon);
  // An error in a box of its own captioned "Error", shown in quiet mode too.
  static void Error(const std::string& text);

  // The application's message box: captioned with the application's name,
  // owned by the main window while one runs, showing the exclamation icon
  // when the type names no icon of its own.
  int AppBox(const std::string& text, UINT type) const;

 private:
  // The application's box, or in quiet mode a line of the log instead.
  void UnlessQuiet(const std::string& text, UINT type) const;

  std::string appName_;
  bool quiet_;
  HWND owner_;
};
