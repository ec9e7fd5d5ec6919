#include "win/Log.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
std::string currentOption = "start-up";

// The system's own message for an error, whole, on one line.
std::string SystemMessage(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string message(buffer != nullptr ? buffer : "", length);
  LocalFree(buffer);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message.empty() ? "(no message)" : message;
}

// REGORVIK_LOG; without it, for a run nobody can see, where an administrator
// looks after an installation that ran as LocalSystem: its temporary folder
// is the Windows one, beside the installer's own logs. Empty: no log.
std::string LogPath(bool unattended) {
  char path[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("REGORVIK_LOG", path, sizeof path);
  if (length != 0) return length < sizeof path ? std::string(path, length) : std::string();
  if (!unattended) return std::string();
  length = GetTempPathA(sizeof path, path);
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, length) + "RegOrvikPkg.log";
}

}  // namespace

void OpenLog(bool unattended) {
  const std::string path = LogPath(unattended);
  if (path.empty()) return;
  // Appending only: every write lands at the end, whoever else appends.
  logFile = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void LogStart(const std::string& commandLine, const std::string& rootSuffix) {
  if (logFile == INVALID_HANDLE_VALUE) return;
  LogStep("command line " + Quote(commandLine) + " in " + LoggedDirectory(nullptr) + ", ENVSDK_ROOTSUFFIX " +
          Quote(rootSuffix));
}

std::string LoggedDirectory(const char* directory) {
  if (directory != nullptr || logFile == INVALID_HANDLE_VALUE) return directory != nullptr ? directory : "";
  const DWORD lastError = GetLastError();
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  SetLastError(lastError);
  return current;
}

void CloseLog() {
  if (logFile == INVALID_HANDLE_VALUE) return;
  CloseHandle(logFile);
  logFile = INVALID_HANDLE_VALUE;
}

void SetLogOption(const std::string& option) { currentOption = option; }

void LogStep(const std::string& step) { LogResult(step, nullptr, ERROR_SUCCESS); }

void LogResult(const std::string& step, const char* call, DWORD error) {
  if (logFile == INVALID_HANDLE_VALUE) return;
  const DWORD lastError = GetLastError();
  SYSTEMTIME now;
  GetLocalTime(&now);
  char prefix[64];
  wsprintfA(prefix, "%04u-%02u-%02u %02u:%02u:%02u.%03u pid %lu ", now.wYear, now.wMonth, now.wDay, now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentProcessId());
  std::string line = prefix + currentOption + ": " + step;
  if (error != ERROR_SUCCESS) {
    line += std::string(": ") + call + " failed with error " + std::to_string(error) + ": " + SystemMessage(error);
  }
  line += "\r\n";
  DWORD written = 0;
  WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  SetLastError(lastError);
}

std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}
