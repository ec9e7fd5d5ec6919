#include "Session.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "Probe.h"
#include "WindowReader.h"

namespace bench {
namespace {

constexpr DWORD kPollMs = 5;
constexpr UINT kRoundTripMs = 100;
constexpr DWORD kUnprobedPauseMs = 20;

bool SameName(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string NameOf(const std::string& entry) {
  // Entries such as "=C:=C:\dir" begin with '='; their name runs to the next one.
  std::size_t equals = entry.find('=', 1);
  return entry.substr(0, equals);
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> entries;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += lstrlenA(entry) + 1) entries.emplace_back(entry);
  FreeEnvironmentStringsA(strings);
  return entries;
}

std::string BuildEnvironment(const RunOptions& options) {
  std::vector<std::string> entries = CurrentEnvironment();
  for (const auto& [name, value] : options.environment) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const std::string& entry) { return SameName(NameOf(entry), name); }),
                  entries.end());
    if (value) entries.push_back(name + "=" + *value);
  }
  std::string block;
  for (const std::string& entry : entries) block += entry + '\0';
  block += '\0';
  return block;
}

std::string ModuleDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string directory = path;
  return directory.substr(0, directory.find_last_of("\\/") + 1);
}

bool IsImeWindow(HWND window) {
  if (ReadClassName(window) == "IME") return true;
  char caption[32] = "";
  GetWindowTextA(window, caption, sizeof caption);
  return lstrcmpA(caption, "Default IME") == 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

Session::Session(const RunOptions& options) : options_(options) {}

Session::~Session() {
  if (iconHook_) UnhookWindowsHookEx(iconHook_);
  if (syncHook_) UnhookWindowsHookEx(syncHook_);
  if (process_.hThread) CloseHandle(process_.hThread);
  if (process_.hProcess) CloseHandle(process_.hProcess);
}

RunResult Session::Run() {
  started_ = GetTickCount64();
  if (Start()) {
    Drive();
    if (!result_.exited) {
      RecordLeftOnScreen();
      EndFamily();
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    result_.exitCode = exitCode;
  }
  if (!Failed() && nextAnswer_ < options_.answers.size())
    Fail("the script has " + std::to_string(options_.answers.size() - nextAnswer_) +
         " answer(s) left for windows that never came, the first: " + options_.answers[nextAnswer_].description);
  result_.seconds = static_cast<double>(GetTickCount64() - started_) / 1000.0;
  return result_;
}

bool Session::Start() {
  std::string environment = BuildEnvironment(options_);
  std::string commandLine = options_.commandLine;  // CreateProcessA may write into it
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  const char* directory = options_.currentDirectory.empty() ? nullptr : options_.currentDirectory.c_str();
  const char* application = options_.applicationName ? options_.applicationName->c_str() : nullptr;
  // Suspended, so that the icon probe is in place before the first window.
  if (!CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, &environment[0],
                      directory, &startup, &process_)) {
    Fail("could not start the program: CreateProcessA failed with error " + std::to_string(GetLastError()));
    return false;
  }
  family_.insert(process_.dwProcessId);
  AttachProbe(process_.dwThreadId);
  ResumeThread(process_.hThread);
  return true;
}

namespace {

HOOKPROC ProbeHook(HMODULE probe, const char* name) {
  // Through a generic function pointer type, which the compilers accept
  // without warning for any function.
  return probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(probe, name))) : nullptr;
}

}  // namespace

void Session::AttachProbe(DWORD threadId) {
  std::string path = options_.probePath.empty() ? ModuleDirectory() + kProbeDll : options_.probePath;
  static HMODULE probe = LoadLibraryA(path.c_str());
  HOOKPROC iconHook = ProbeHook(probe, kIconProbeHook);
  HOOKPROC syncHook = ProbeHook(probe, kSyncProbeHook);
  if (iconHook && syncHook) {
    iconHook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, iconHook, probe, threadId);
    syncHook_ = SetWindowsHookExA(WH_GETMESSAGE, syncHook, probe, threadId);
  }
  if (!iconHook_ || !syncHook_)
    result_.notes.push_back("the probe " + path + " could not be attached (error " + std::to_string(GetLastError()) +
                            "): icons read as unknown, and input is waited for less exactly");
}

void Session::Drive() {
  while (!Failed()) {
    if (HWND ready = FindReadyWindow(nullptr)) {
      AnswerWindow(ready);
      continue;
    }
    if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) {
      result_.exited = true;
      return;
    }
    if (TimeIsUp()) return;
  }
}

bool Session::TimeIsUp() {
  if (GetTickCount64() - started_ < options_.timeoutMs) return false;
  Fail("the run took longer than " + std::to_string(options_.timeoutMs) + " ms and was ended");
  return true;
}

void Session::Fail(const std::string& why) {
  if (result_.failure.empty()) result_.failure = why;
}

HWND Session::FindReadyWindow(bool* dialogPending) {
  for (HWND window : TopLevelWindows()) {
    if (answered_.count(window)) continue;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!InFamily(processId) || IsImeWindow(window)) continue;
    if (IsWindowVisible(window) && IsWindowEnabled(window)) return window;
    // A dialog already created but not yet shown: message boxes are created
    // hidden and shown a moment later.
    if (dialogPending && ReadClassName(window) == "#32770") *dialogPending = true;
  }
  return nullptr;
}

void Session::AnswerWindow(HWND window) {
  answered_.insert(window);
  WindowRecord record = ReadWindow(window);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  record.processName = processNames_[processId];
  record.shownByChild = processId != process_.dwProcessId;
  result_.windows.push_back(std::move(record));
  LiveWindow live(*this, window, result_.windows.size() - 1);

  if (nextAnswer_ >= options_.answers.size()) {
    AnswerByDefault(live);
    return;
  }
  const Answer& answer = options_.answers[nextAnswer_++];
  if (!answer.act(live))
    Fail("the answer \"" + answer.description + "\" to window " + std::to_string(result_.windows.size()) +
         " could not be carried out");
}

void Session::AnswerByDefault(LiveWindow& window) {
  window.record().answeredByDefault = true;
  if (window.record().className != "#32770") {
    window.Close();
    return;
  }
  int id = DefaultButtonId(window.handle());
  if (id == 0) id = window.record().Control(IDOK) ? IDOK : IDCANCEL;
  window.Press(id);
}

bool Session::Settle(HWND window) {
  bool synced = PostSync(window);
  for (;;) {
    if (Failed()) return false;
    if (!IsWindow(window)) return true;
    bool pending = false;
    if (HWND ready = FindReadyWindow(&pending)) {
      AnswerWindow(ready);
      // The program goes on from where that window left it: wait for it anew.
      synced = PostSync(window);
      continue;
    }
    if (TimeIsUp()) return false;
    if (pending || !IsWindowEnabled(window) || !HasTaken(window, synced)) {
      Sleep(kPollMs);
      continue;
    }
    // The program has taken all input and gone back to waiting for more:
    // whatever it opened meanwhile already exists, hidden or not.
    pending = false;
    if (FindReadyWindow(&pending) || pending) continue;
    if (IsWindowEnabled(window)) return true;
  }
}

// Posts the sync message behind the input already posted; false when the
// window's program has no probe to report it.
bool Session::PostSync(HWND window) {
  static const UINT syncMessage = RegisterWindowMessageA(kSyncMessage);
  DWORD processId = 0;
  DWORD threadId = GetWindowThreadProcessId(window, &processId);
  if (!syncHook_ || threadId != process_.dwThreadId) return false;
  PostMessageA(window, syncMessage, ++syncNumber_, 0);
  return true;
}

bool Session::HasTaken(HWND window, bool synced) {
  if (synced) return reinterpret_cast<WPARAM>(GetPropA(window, kSyncProperty)) == syncNumber_;
  // Without the probe: the program answers sent messages once it is back in
  // a message loop. Two round trips and a pause make it likely, not certain,
  // that posted input was dispatched.
  for (int i = 0; i < 2; ++i) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kRoundTripMs, &ignored)) return false;
  }
  Sleep(kUnprobedPauseMs);
  return true;
}

bool Session::InFamily(DWORD processId) {
  if (family_.count(processId)) return true;
  if (strangers_.count(processId)) return false;
  RefreshProcesses();
  // A program counts when the chain of parents leads to the started one.
  for (DWORD id = processId, steps = 0; id != 0 && steps < 64; id = parents_[id], ++steps) {
    if (family_.count(id)) {
      family_.insert(processId);
      return true;
    }
    if (!parents_.count(id)) break;
  }
  strangers_.insert(processId);
  return false;
}

void Session::RefreshProcesses() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    parents_[entry.th32ProcessID] = entry.th32ParentProcessID;
    processNames_[entry.th32ProcessID] = entry.szExeFile;
  }
  CloseHandle(snapshot);
}

void Session::RecordLeftOnScreen() {
  for (HWND window : TopLevelWindows()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!InFamily(processId) || IsImeWindow(window) || !IsWindowVisible(window)) continue;
    WindowRecord record = ReadWindow(window);
    record.processName = processNames_[processId];
    record.shownByChild = processId != process_.dwProcessId;
    result_.leftOnScreen.push_back(std::move(record));
  }
}

// Ends the started program and every program below it, children first seen
// or not.
void Session::EndFamily() {
  RefreshProcesses();
  std::set<DWORD> doomed = family_;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [child, parent] : parents_)
      if (doomed.count(parent) && doomed.insert(child).second) grew = true;
  }
  for (DWORD processId : doomed) {
    if (processId == process_.dwProcessId) continue;
    if (HANDLE other = OpenProcess(PROCESS_TERMINATE, FALSE, processId)) {
      TerminateProcess(other, 0xDEAD);
      CloseHandle(other);
    }
  }
  TerminateProcess(process_.hProcess, 0xDEAD);
  WaitForSingleObject(process_.hProcess, 5000);
}

}  // namespace bench
