#pragma once
// One run of a program under the driver (Session.cpp), the steps of the
// answer language (Steps.cpp) and the reading of its windows (Windows.cpp).
// Internal to the bench.

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Bench.h"

namespace bench {

// A hidden top-level window of CLASS|TITLE, as a running IDE has its main
// window; null when it could not be created.
HWND CreateIdeWindow(const std::string& window);

// A window station nobody sees, with its desktop (Unseen.cpp): programs are
// started there by name; work on its windows runs on the bench's one thread
// there, and is waited for (false when it could not run).
std::string UnseenDesktopName();
bool OnUnseenDesktop(const std::function<void()>& work);
std::vector<HWND> VisibleUnseenWindows();

// The programs of one run or provisioning step: the one started, and every
// program it starts in turn, held by a job that ends them all when it is
// closed, also when the bench itself is ended (Wine honours that too).
class ProgramGroup {
 public:
  ProgramGroup();
  ~ProgramGroup() { CloseHandle(job_); }
  ProgramGroup(const ProgramGroup&) = delete;
  ProgramGroup& operator=(const ProgramGroup&) = delete;

  // Starts a program suspended, in the group; false with the system's error.
  bool Start(const char* application, std::string commandLine, void* environment, const char* directory,
             const char* desktop, PROCESS_INFORMATION& process);
  bool Holds(DWORD processId);
  // The file name of a program of the group ("devenv.exe").
  std::string NameOf(DWORD processId);
  // Ends every program of the group.
  void End() { TerminateJobObject(job_, 0xDEAD); }
  // The header of a visible top-level window of the group on the bench's
  // desktop, or on the one nobody sees; empty when there is none.
  std::string ShownWindow(bool unseen);

 private:
  void Refresh();  // the processes running now

  HANDLE job_;
  std::map<DWORD, bool> held_;  // the programs known to be of the group or not
  std::map<DWORD, DWORD> parents_;
  std::map<DWORD, std::string> names_;
};

std::vector<HWND> TopLevelWindows();

class Session {
 public:
  explicit Session(const RunOptions& options) : options_(options) {}
  ~Session();

  int Run(std::string& transcript);

  // Waits until the program has taken what was done to the window,
  // answering the windows it opens meanwhile. True once the window is
  // enabled again with nothing else pending, or gone.
  bool Settle(HWND window);
  bool Fail(const std::string& why);  // records the first reason; always false
  // An action line below the window's header ("press OK" of a one-press
  // answer ends the header as "-> OK" instead).
  void Note(HWND window, const std::string& action);
  // A hidden top-level window of CLASS|TITLE for the rest of the run, as a
  // running IDE has its main window.
  bool StartIdeWindow(const std::string& window);

 private:
  bool Start();
  // The run's IDE windows, where the program runs.
  bool StartIdeWindows();
  HWND FindReadyWindow(bool* dialogPending);
  void AnswerWindow(HWND window);
  bool HasTaken(HWND window, bool synced);
  bool TimeIsUp();
  void EndPrograms();

  const RunOptions& options_;
  std::vector<std::string> lines_;
  std::string failure_;
  PROCESS_INFORMATION process_ = {};
  std::vector<HHOOK> hooks_;
  std::vector<HWND> ideWindows_;
  WPARAM syncNumber_ = 0;
  ULONGLONG started_ = 0;
  std::size_t nextAnswer_ = 0;
  std::map<HWND, std::string> headers_;
  HWND lastHeader_ = nullptr;
  HWND pressInline_ = nullptr;
  ProgramGroup programs_;
};

bool Perform(Session& session, HWND window, const Step& step);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
std::string WithoutAmpersands(std::string caption);
// "box CAPTION ICON TEXT [BUTTONS]" or "window CAPTION", with its owner.
std::string Header(HWND window);
// ID "TEXT" and the state: kind, checked, disabled, hidden.
std::string ControlLine(HWND control);
std::vector<HWND> Controls(HWND dialog);
// The button Enter would press, else OK or Cancel when present; 0 when none.
int DefaultButton(HWND dialog);

}  // namespace bench
