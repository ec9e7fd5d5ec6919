#include "win/LogFile.h"

#include <aclapi.h>

#include "win/Handles.h"
#include "win/SystemFiles.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int kNewLogNames = 100;

// Appending only: every write lands at the end, whoever else appends.
HANDLE OpenForAppending(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  return CreateFileA(path.c_str(), FILE_APPEND_DATA | access, kShareAll, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

// GetTempPath2A where Windows has it: the same folder as GetTempPathA for an
// account, C:\Windows\SystemTemp for LocalSystem. Empty when it cannot be read.
std::string TemporaryFolder() {
  auto getTempPath = FindFunction<decltype(&GetTempPathA)>(GetModuleHandleA("kernel32.dll"), "GetTempPath2A");
  if (getTempPath == nullptr) getTempPath = &GetTempPathA;
  char path[MAX_PATH + 1] = {};
  const DWORD length = getTempPath(sizeof path, path);
  return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

bool IsProcessUser(PSID sid) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const UniqueHandle owned(token);
  alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  return GetTokenInformation(token, TokenUser, user, sizeof user, &size) &&
         EqualSid(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, sid);
}

// LocalSystem, the Administrators group (the owner of what an elevated
// administrator creates) or the account the tool runs as.
bool OwnedByTrustedAccount(HANDLE file) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                      &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const bool trusted = IsWellKnownSid(owner, WinLocalSystemSid) || IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                       IsProcessUser(owner);
  LocalFree(descriptor);
  return trusted;
}

// Why the tool must not write into this file it did not create; null when
// it may.
const char* WhyRefused(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!GetFileInformationByHandle(file, &information)) return "what it is cannot be read";
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return "it is a link";
  if (information.nNumberOfLinks > 1) return "it has more than one name";
  if (!OwnedByTrustedAccount(file)) return "another account owns it";
  return nullptr;
}

// A file of the run's own beside the refused one, under the first free name:
// CREATE_NEW never opens what is already there.
HANDLE NewLogIn(const std::string& folder) {
  for (int number = 1; number <= kNewLogNames; ++number) {
    const std::string path = folder + "RegOrvikPkg-" + std::to_string(number) + ".log";
    const HANDLE file = OpenForAppending(path, 0, CREATE_NEW, 0);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE OpenLogFile(bool unattended, std::string& refusal) {
  char named[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("REGORVIK_LOG", named, sizeof named);
  if (length != 0) {
    if (length >= sizeof named) return INVALID_HANDLE_VALUE;
    return OpenForAppending(std::string(named, length), 0, OPEN_ALWAYS, 0);
  }
  if (!unattended) return INVALID_HANDLE_VALUE;
  const std::string folder = TemporaryFolder();
  if (folder.empty()) return INVALID_HANDLE_VALUE;
  const std::string path = folder + "RegOrvikPkg.log";
  // The name itself is opened, not what a link there points to.
  const HANDLE file =
      OpenForAppending(path, FILE_READ_ATTRIBUTES | READ_CONTROL, OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT);
  if (file == INVALID_HANDLE_VALUE) return file;
  const char* why = WhyRefused(file);
  if (why == nullptr) return file;
  CloseHandle(file);
  refusal = "the log " + path + " is refused: " + why + "; this run logs here instead";
  return NewLogIn(folder);
}
