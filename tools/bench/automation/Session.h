#pragma once
// One run of a program under the driver: the process, the windows seen so far
// and the script's position. Internal to the automation library.

#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "Automation.h"

namespace bench {

class Session {
 public:
  explicit Session(const RunOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  RunResult Run();

  WindowRecord& Record(std::size_t index) { return result_.windows[index]; }
  bool Settle(HWND window);
  void Fail(const std::string& why);
  bool Failed() const { return !result_.failure.empty(); }

 private:
  bool Start();
  void AttachProbe(DWORD threadId);
  void Drive();
  HWND FindReadyWindow(bool* dialogPending);
  void AnswerWindow(HWND window);
  void AnswerByDefault(LiveWindow& window);
  bool PostSync(HWND window);
  bool HasTaken(HWND window, bool synced);
  bool TimeIsUp();
  bool InFamily(DWORD processId);
  void RefreshProcesses();
  void RecordLeftOnScreen();
  void EndFamily();

  const RunOptions& options_;
  RunResult result_;
  PROCESS_INFORMATION process_ = {};
  HHOOK iconHook_ = nullptr;
  HHOOK syncHook_ = nullptr;
  WPARAM syncNumber_ = 0;
  ULONGLONG started_ = 0;
  std::size_t nextAnswer_ = 0;
  std::set<HWND> answered_;
  std::set<DWORD> family_;
  std::set<DWORD> strangers_;
  std::map<DWORD, std::string> processNames_;
  std::map<DWORD, DWORD> parents_;
};

}  // namespace bench
