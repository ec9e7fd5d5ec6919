// The programs a run or a provisioning step starts, held together by a job.
#include "Session.h"

#include <tlhelp32.h>

namespace bench {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

ProgramGroup::ProgramGroup() : job_(CreateJobObjectA(nullptr, nullptr)) {
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

bool ProgramGroup::Start(const char* application, std::string commandLine, void* environment, const char* directory,
                         const char* desktop, PROCESS_INFORMATION& process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string desktopName = desktop ? desktop : "";
  if (desktop) startup.lpDesktop = &desktopName[0];
  if (!CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, environment, directory,
                      &startup, &process))
    return false;
  if (AssignProcessToJobObject(job_, process.hProcess)) return held_[process.dwProcessId] = true;
  const DWORD error = GetLastError();
  TerminateProcess(process.hProcess, 0xDEAD);
  for (HANDLE handle : {process.hThread, process.hProcess}) CloseHandle(handle);
  process = {};
  SetLastError(error);
  return false;
}

// Wine answers neither IsProcessInJob nor the job's list of processes
// reliably: a program belongs to the group when its chain of parents leads
// to the one started.
bool ProgramGroup::Holds(DWORD processId) {
  if (auto known = held_.find(processId); known != held_.end()) return known->second;
  Refresh();
  for (DWORD id = processId, steps = 0; parents_.count(id) && steps < 64; id = parents_[id], ++steps)
    if (auto known = held_.find(parents_[id]); known != held_.end() && known->second) return held_[processId] = true;
  return held_[processId] = false;
}

std::string ProgramGroup::NameOf(DWORD processId) {
  Refresh();
  return names_[processId];
}

void ProgramGroup::Refresh() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    parents_[entry.th32ProcessID] = entry.th32ParentProcessID;
    names_[entry.th32ProcessID] = entry.szExeFile;
  }
  CloseHandle(snapshot);
}

std::string ProgramGroup::ShownWindow(bool unseen) {
  for (HWND window : unseen ? VisibleUnseenWindows() : TopLevelWindows()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!Holds(processId) || (!unseen && !IsWindowVisible(window)) || ClassOf(window) == "IME") continue;
    // A window of the desktop nobody sees is read from there.
    std::string header;
    if (!unseen) return Header(window);
    if (OnUnseenDesktop([&] { header = Header(window); })) return header;
  }
  return {};
}

}  // namespace bench
