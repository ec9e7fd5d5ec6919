// The driver: starts the program suspended with the probe inside it, then
// plays the person at the screen. Every window of the program or of a
// program it starts is answered once it is visible and enabled, as a person
// would; a window without a scripted answer gets its default button.
#include "Session.h"

#include <algorithm>

#include "Layout.h"
#include "probe/Probe.h"

namespace bench {
namespace {

constexpr DWORD kPollMs = 5;
constexpr UINT kRoundTripMs = 100;
constexpr DWORD kUnprobedPauseMs = 20;

// The bench's own environment with the run's settings. A machine run starts
// from none of the switches that steer the tool and the testbed, whatever the
// bench itself inherited.
std::string BuildEnvironment(const RunOptions& options) {
  decltype(options.environment) settings = {{"TESTBED_LOG", std::string(layout::kRunLog)}};
  for (const char* name : {"ENVSDK_ROOTSUFFIX", "TESTBED_DEVENV_EXIT", "TESTBED_ORVIKPKG_FAIL", "TESTBED_VELPKG_FAIL"})
    settings.emplace_back(name, std::nullopt);
  if (!options.machine) settings.clear();
  if (!options.log.empty()) settings.emplace_back("REGORVIK_LOG", std::string(layout::kToolLog));
  std::string faults;
  for (const std::string& fault : options.faults) faults += (faults.empty() ? "" : ";") + fault;
  settings.emplace_back(probe::kFaultsVariable, faults.empty() ? std::nullopt : std::optional(faults));
  settings.insert(settings.end(), options.environment.begin(), options.environment.end());
  std::vector<std::string> entries;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += lstrlenA(entry) + 1) entries.emplace_back(entry);
  FreeEnvironmentStringsA(strings);
  for (const auto& [name, value] : settings) {
    // Entries such as "=C:=C:\dir" begin with '='; a name runs to the next one.
    auto named = [&](const std::string& entry) { return lstrcmpiA(entry.substr(0, entry.find('=', 1)).c_str(), name.c_str()) == 0; };
    entries.erase(std::remove_if(entries.begin(), entries.end(), named), entries.end());
    if (value) entries.push_back(name + "=" + *value);
  }
  std::string block;
  for (const std::string& entry : entries) block += entry + '\0';
  return block + '\0';
}

// Waits a moment or until the process ends (true), serving meanwhile the
// bench's own windows: the IDE's window may be sent a message while the tool
// runs, and its sender would wait for the answer.
bool Pause(HANDLE process) {
  DWORD woken = MsgWaitForMultipleObjects(process ? 1 : 0, &process, FALSE, kPollMs, QS_ALLINPUT);
  for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
  return process && woken == WAIT_OBJECT_0;
}

bool IsImeWindow(HWND window) { return ClassOf(window) == "IME"; }

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

}  // namespace

Session::~Session() {
  for (HHOOK hook : hooks_) UnhookWindowsHookEx(hook);
  // A window is destroyed by the thread that made it.
  auto destroy = [&] {
    for (HWND ide : ideWindows_) DestroyWindow(ide);
  };
  if (options_.unattended) OnUnseenDesktop(destroy);
  else destroy();
  for (HANDLE handle : {process_.hThread, process_.hProcess})
    if (handle) CloseHandle(handle);
}

int Session::Run(std::string& transcript) {
  started_ = GetTickCount64();
  std::vector<std::string> before;
  if (options_.machine) DeleteFileA(layout::kRunLog);
  if (!options_.log.empty()) DeleteFileA(layout::kToolLog);
  if (options_.machine) before = Snapshot();
  // The Windows version Wine tells the programs started from here on; the
  // bench was told its own when it started. A wipe takes it away too.
  const std::string& version = options_.windowsVersion;
  if (!version.empty()) RegSetKeyValueA(HKEY_CURRENT_USER, layout::kWineKey, layout::kWineVersion, REG_SZ, version.c_str(), version.size() + 1);
  bool running = StartIdeWindows() && Start();
  while (running && failure_.empty()) {
    if (HWND ready = FindReadyWindow(nullptr)) AnswerWindow(ready);
    else if (Pause(process_.hProcess) || TimeIsUp()) break;
  }
  if (!version.empty()) RegDeleteKeyValueA(HKEY_CURRENT_USER, layout::kWineKey, layout::kWineVersion);
  if (failure_.empty() && nextAnswer_ < options_.answers.size())
    Fail(std::to_string(options_.answers.size() - nextAnswer_) + " answer(s) left for windows that never came");
  DWORD exitCode = 0;
  if (process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process_.hProcess, &exitCode))
    lines_.push_back("exit " + std::to_string(static_cast<int>(exitCode)));
  else if (process_.hProcess)
    EndPrograms();
  if (!failure_.empty()) lines_.push_back("failed: " + failure_);
  if (options_.machine) {
    for (const std::string& change : Changes(before, Snapshot())) lines_.push_back(change);
    for (const std::string& run : ProgramsRun()) lines_.push_back(run);
  }
  if (!options_.log.empty()) {
    for (const std::string& line : ToolLog(options_.log)) lines_.push_back(line);
  }
  for (std::string line : lines_) {
    line = ApplyAliases(line);
    auto holds = [&](const std::string& text) { return line.find(text) != std::string::npos; };
    if (std::none_of(options_.ignored.begin(), options_.ignored.end(), holds)) transcript += line + "\n";
  }
  return failure_.empty() ? static_cast<int>(exitCode) : kRunFailed;
}

// The program starts suspended; LoadLibraryA of the probe runs in a thread of
// it, so the probe's DllMain places the faults before the program's first
// instruction. Then the probe's hooks go on the program's main thread.
bool Session::Start() {
  std::string environment = BuildEnvironment(options_);
  // Where nobody sees there is no probe: nobody answers a window there, and
  // under Wine a program whose first thread to run is the probe's lives on
  // the bench's desktop, whatever desktop it was started on.
  const std::string desktop = UnseenDesktopName();
  if (options_.unattended && !options_.faults.empty())
    return Fail("faults cannot be placed where nobody sees: the probe would bring the program back to the bench's desktop");
  if (options_.unattended && !OnUnseenDesktop([] {})) return Fail("could not make a desktop on a window station nobody sees");
  auto optional = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
  if (!programs_.Start(optional(options_.application), options_.commandLine, &environment[0], optional(options_.directory),
                       options_.unattended ? desktop.c_str() : nullptr, process_))
    return Fail("could not start the program: CreateProcessA failed with error " + std::to_string(GetLastError()));
  if (options_.unattended) return ResumeThread(process_.hThread) != static_cast<DWORD>(-1);
  char own[MAX_PATH] = "";
  std::string path(own, GetModuleFileNameA(nullptr, own, sizeof own));
  path = path.substr(0, path.find_last_of('\\') + 1) + probe::kDll;
  HANDLE program = process_.hProcess, thread = nullptr;
  void* remote = VirtualAllocEx(program, nullptr, path.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  if (remote && WriteProcessMemory(program, remote, path.c_str(), path.size() + 1, nullptr))
    thread = CreateRemoteThread(program, nullptr, 0, loadLibrary, remote, 0, nullptr);
  DWORD loaded = 0;
  if (thread && WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0) GetExitCodeThread(thread, &loaded);
  if (thread) CloseHandle(thread);
  if (!loaded)
    return Fail("the probe " + path + " could not be loaded into the program" +
                (options_.faults.empty() ? "" : ", or refused a fault: malformed, or naming a function that the "
                                                "program does not import or the probe has no stand-in for"));
  SetEnvironmentVariableA(probe::kFaultsVariable, nullptr);  // the bench's own copy places none
  static HMODULE probe = LoadLibraryA(path.c_str());
  for (auto [type, name] : {std::pair{WH_CALLWNDPROCRET, probe::kWindowHook}, {WH_GETMESSAGE, probe::kSyncHook}}) {
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(probe, name)));
    hooks_.push_back(hook ? SetWindowsHookExA(type, hook, probe, process_.dwThreadId) : nullptr);
    if (!hooks_.back()) return Fail("the probe's hook " + std::string(name) + " could not be set");
  }
  return ResumeThread(process_.hThread) != static_cast<DWORD>(-1);
}

// Hidden, and shown by the bench itself: the tool only looks for it.
HWND CreateIdeWindow(const std::string& window) {
  const std::string className = window.substr(0, window.find('|'));
  const std::string title = window.substr(std::min(window.find('|') + 1, window.size()));
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = className.c_str();
  RegisterClassA(&windowClass);  // or registered by an earlier run
  return CreateWindowExA(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                         nullptr, nullptr);
}

// Where nobody sees, the windows are made by the bench's thread there.
bool Session::StartIdeWindows() {
  bool started = false;
  auto start = [&] {
    started = std::all_of(options_.ideWindows.begin(), options_.ideWindows.end(),
                          [&](const std::string& window) { return StartIdeWindow(window); });
  };
  if (!options_.unattended) start();
  else if (!OnUnseenDesktop(start)) return Fail("could not make a desktop on a window station nobody sees");
  return started;
}

bool Session::StartIdeWindow(const std::string& window) {
  ideWindows_.push_back(CreateIdeWindow(window));
  return ideWindows_.back() || Fail("could not create the IDE window " + window);
}

bool Session::TimeIsUp() {
  if (GetTickCount64() - started_ < options_.timeoutSeconds * 1000) return false;
  return !Fail("the run took longer than " + std::to_string(static_cast<long>(options_.timeoutSeconds * 1000)) +
               " ms and was ended");
}

bool Session::Fail(const std::string& why) {
  if (failure_.empty()) failure_ = why;
  return false;
}

HWND Session::FindReadyWindow(bool* dialogPending) {
  // Where nobody sees, a window that shows would wait for ever: the run
  // fails at once, naming it.
  if (options_.unattended)
    if (std::string shown = programs_.ShownWindow(true); !shown.empty()) Fail("a window was shown where nobody can see it: " + shown);
  for (HWND window : TopLevelWindows()) {
    if (headers_.count(window) || !programs_.Holds(ProcessOf(window)) || IsImeWindow(window)) continue;
    if (IsWindowVisible(window) && IsWindowEnabled(window)) return window;
    // Message boxes are created hidden and shown a moment later.
    if (dialogPending && ClassOf(window) == "#32770") *dialogPending = true;
  }
  return nullptr;
}

void Session::AnswerWindow(HWND window) {
  std::string header = Header(window);
  if (ProcessOf(window) != process_.dwProcessId) header += " from " + programs_.NameOf(ProcessOf(window));
  headers_[window] = header;
  lines_.push_back(header);
  lastHeader_ = window;
  Answer answer = {{"close", "", 0}};
  if (nextAnswer_ < options_.answers.size()) answer = options_.answers[nextAnswer_++];
  else if (ClassOf(window) == "#32770") answer = {{"press", "", DefaultButton(window)}};
  pressInline_ = answer.size() == 1 && answer[0].verb == "press" ? window : nullptr;
  for (const Step& step : answer)
    if (!Perform(*this, window, step)) return;
}

void Session::Note(HWND window, const std::string& action) {
  if (pressInline_ == window && action.compare(0, 6, "press ") == 0) {
    lines_.back() += " -> " + action.substr(6);
  } else {
    if (lastHeader_ != window) lines_.push_back(headers_[window]);
    lines_.push_back("  " + action);
  }
  lastHeader_ = window;
  pressInline_ = nullptr;
}

bool Session::Settle(HWND window) {
  // The sync message goes behind the input already posted; a child program's
  // windows have no probe to report it.
  static const UINT sync = RegisterWindowMessageA(probe::kSync);
  auto postSync = [&] {
    bool probed = GetWindowThreadProcessId(window, nullptr) == process_.dwThreadId;
    return probed && PostMessageA(window, sync, ++syncNumber_, 0);
  };
  bool synced = postSync();
  for (;;) {
    if (!failure_.empty()) return false;
    if (!IsWindow(window)) return true;
    bool pending = false;
    if (HWND ready = FindReadyWindow(&pending)) {
      AnswerWindow(ready);
      // The program goes on from where that window left it: wait for it anew.
      synced = postSync();
      continue;
    }
    if (TimeIsUp()) return false;
    if (pending || !IsWindowEnabled(window) || !HasTaken(window, synced)) {
      Pause(nullptr);
      continue;
    }
    // The program has taken all input and gone back to waiting for more:
    // whatever it opened meanwhile already exists, hidden or not.
    if (FindReadyWindow(&pending) || pending) continue;
    if (IsWindowEnabled(window)) return true;
  }
}

bool Session::HasTaken(HWND window, bool synced) {
  if (synced) return reinterpret_cast<WPARAM>(GetPropA(window, probe::kSync)) == syncNumber_;
  // Without the probe: the program answers sent messages once it is back in
  // a message loop. Two round trips and a pause make it likely, not certain,
  // that posted input was dispatched.
  DWORD_PTR ignored = 0;
  for (int i = 0; i < 2; ++i)
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kRoundTripMs, &ignored)) return false;
  Sleep(kUnprobedPauseMs);
  return true;
}

// Records what was left on the screen, then ends the started program and
// every program it started.
void Session::EndPrograms() {
  for (HWND window : TopLevelWindows())
    if (programs_.Holds(ProcessOf(window)) && !IsImeWindow(window) && IsWindowVisible(window))
      lines_.push_back("left " + Header(window));
  programs_.End();
  WaitForSingleObject(process_.hProcess, 5000);
}

int Run(const RunOptions& options, std::string& transcript) { return Session(options).Run(transcript); }

}  // namespace bench
