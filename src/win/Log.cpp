#include "win/Log.h"

#include "win/LogFile.h"

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

}  // namespace

void OpenLog(bool unattended) {
  std::string refusal;
  logFile = OpenLogFile(unattended, refusal);
  if (!refusal.empty()) LogStep(refusal);
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

bool Logging() { return logFile != INVALID_HANDLE_VALUE; }

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
