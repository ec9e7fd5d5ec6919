// The simulated machine built from machine words (README.md): the IDE, the
// package directory with the tool, the package's registration, then the
// edits a case needs on top. Everything the tool may touch is wiped first.
#include <windows.h>

#include <msi.h>

#include <cstdlib>
#include <map>
#include <set>

#include "Bench.h"
#include "Layout.h"
#include "Session.h"

namespace bench {
namespace {

using namespace layout;

std::string Error(const std::string& what, DWORD code) { return what + " failed with error " + std::to_string(code); }

// Wide names, so that files named in another code page go too.
void DeleteDirectoryTree(const std::wstring& directory) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &entry);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
    std::wstring name = entry.cFileName, path = directory + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteDirectoryTree(path);
    else DeleteFileW(path.c_str());
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  RemoveDirectoryW(directory.c_str());
}

// Runs a command line to its end: empty when it ended with 0, else why not.
// A program that shows a window ends the step at once, named, as does one
// that takes longer than a minute; whatever it started ends with it.
std::string Execute(const std::string& commandLine, bool unseen = false) {
  ProgramGroup programs;
  PROCESS_INFORMATION process = {};
  const std::string desktop = UnseenDesktopName();
  if (!programs.Start(nullptr, commandLine, nullptr, nullptr, unseen && OnUnseenDesktop([] {}) ? desktop.c_str() : nullptr,
                      process))
    return Error(commandLine, GetLastError());
  ResumeThread(process.hThread);
  std::string why;
  for (const ULONGLONG start = GetTickCount64(); why.empty() && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT;) {
    if (std::string shown = programs.ShownWindow(unseen); !shown.empty()) why = "it showed a window: " + shown;
    else if (GetTickCount64() - start > 60000) why = "it did not end within a minute";
  }
  DWORD exitCode = 0;
  if (why.empty() && GetExitCodeProcess(process.hProcess, &exitCode) && exitCode)
    why = "it ended with " + std::to_string(static_cast<long>(exitCode));
  for (HANDLE handle : {process.hThread, process.hProcess}) CloseHandle(handle);
  return why.empty() ? why : commandLine + ": " + why;
}

// What Windows Installer records of installed products, in the 64-bit view
// where Wine's keeps it for every program. A removal that failed or was
// rolled back leaves some of it, such as the package's component still
// claimed by a product that is gone, which would keep the next product's
// files at its removal. No product but the example's is ever installed here.
void ForgetInstalledProducts() {
  for (const char* key : {"Software\\Classes\\Installer", "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData"}) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &handle)) continue;
    RegDeleteTreeA(handle, nullptr);
    RegCloseKey(handle);
  }
}

std::string Wipe() {
  // The example installer's products would outlive their files and keys.
  // Their tool may find the machine in any state, so its failure is not let
  // stop their removal (FORCEREMOVE=1), and what a removal that failed all
  // the same leaves of them is forgotten.
  std::vector<std::string> products;
  char product[39];
  for (DWORD i = 0; MsiEnumRelatedProductsA(kInstallerUpgradeCode, 0, i, product) == ERROR_SUCCESS; ++i)
    products.emplace_back(product);
  for (const std::string& code : products) Execute("msiexec.exe /x " + code + " FORCEREMOVE=1 /qn", true);
  ForgetInstalledProducts();
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kWineKey, kWineVersion);  // a run's Windows version
  std::vector<std::string> keys = IdeRootKeys();
  keys.insert(keys.end(), {kVendorKey, kClassesKey + std::string(kPackageGuid), kClassesKey + std::string(kOrvikPkgClsid)});
  for (const std::string& key : keys)
    if (LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str()); status && status != ERROR_FILE_NOT_FOUND)
      return Error("deleting HKLM\\" + key, status);
  for (std::string directory : {kIdeRoot, kVendorDir, kBenchDir}) {
    DeleteDirectoryTree(std::wstring(directory.begin(), directory.end()));
    if (GetFileAttributesA(directory.c_str()) != INVALID_FILE_ATTRIBUTES) return "could not remove " + directory;
  }
  return {};
}

// Every directory of the path, stepping over double-byte characters so that
// a second byte 0x5C is not taken for a separator.
void CreateDirectories(const std::string& directory) {
  for (std::size_t at = 3; at < directory.size(); ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(directory[at]))) ++at;
    else if (directory[at] == '\\') CreateDirectoryA(directory.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(directory.c_str(), nullptr);
}

std::string Put(const std::string& built, const std::string& path) {
  CreateDirectories(path.substr(0, path.find_last_of('\\')));
  return CopyFileA(BuiltFile(built).c_str(), path.c_str(), FALSE) ? "" : Error("copying " + built + " to " + path, GetLastError());
}

// The key, and a value of exactly these bytes unless name is null ("@" is the
// default value). The buffer has a non-zero byte after the bytes, so that no
// terminator is added to a text.
std::string Write(const std::string& key, const char* name, DWORD type = REG_NONE, std::string bytes = "") {
  HKEY handle;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return Error("creating HKLM\\" + key, status);
  const auto size = static_cast<DWORD>(bytes.size());
  bytes += '\xFF';
  if (name) status = RegSetValueExA(handle, lstrcmpA(name, "@") ? name : nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), size);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS ? "" : Error("writing HKLM\\" + key + "\\" + name, status);
}

std::string Number(const std::string& text, int size) {
  unsigned long long value = std::strtoull(text.c_str(), nullptr, 0);
  return std::string(reinterpret_cast<const char*>(&value), size);
}

// KEY\NAME=TYPE:DATA with sz, sz0 (with its terminator), dword, qword or binary (hex digits).
std::string WriteValue(const std::string& word) {
  std::size_t equals = word.find('='), colon = word.find(':', equals), slash = word.rfind('\\', equals);
  if (equals == std::string::npos || colon == std::string::npos || slash == std::string::npos) return "malformed: " + word;
  std::string type = word.substr(equals + 1, colon - equals - 1), data = word.substr(colon + 1), bytes;
  for (std::size_t i = 0; type == "binary" && i + 1 < data.size(); i += 2)
    bytes += static_cast<char>(std::strtoul(data.substr(i, 2).c_str(), nullptr, 16));
  const std::pair<const char*, std::pair<DWORD, std::string>> types[] = {
      {"sz", {REG_SZ, data}}, {"sz0", {REG_SZ, data + '\0'}}, {"dword", {REG_DWORD, Number(data, 4)}},
      {"qword", {REG_QWORD, Number(data, 8)}}, {"binary", {REG_BINARY, bytes}}};
  for (const auto& [name, value] : types)
    if (type == name) return Write(word.substr(0, slash), word.substr(slash + 1, equals - slash - 1).c_str(), value.first, value.second);
  return "unknown value type in " + word;
}

// KEY\NAME: the key with everything below it when there is one, else the value.
std::string Delete(const std::string& path) {
  std::size_t slash = path.rfind('\\');
  std::string name = path.substr(slash + 1);
  LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND)
    status = RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, path.substr(0, slash).c_str(), name == "@" ? nullptr : name.c_str());
  return status ? Error("deleting HKLM\\" + path, status) : "";
}

std::string Edit(const std::string& verb, const std::string& argument) {
  const std::string key = argument.compare(0, 5, "HKLM\\") == 0 ? argument.substr(5) : "";
  const std::size_t equals = argument.rfind('=');
  if (verb == "put" && equals != std::string::npos) return Put(argument.substr(equals + 1), argument.substr(0, equals));
  if (verb == "reg" && !key.empty()) return WriteValue(key);
  if (verb == "regdel" && !key.empty()) return Delete(key);
  if (verb == "mkkey" && !key.empty()) return Write(key, nullptr);
  if (verb == "exec") return Execute(argument);
  if (verb == "mkdir") {
    CreateDirectories(argument);
    return "";
  }
  BOOL done = FALSE;
  if (verb == "del") done = DeleteFileA(argument.c_str());
  else if (verb == "link" && equals != std::string::npos)
    done = CreateHardLinkA(argument.substr(0, equals).c_str(), argument.substr(equals + 1).c_str(), nullptr);
  else if (verb == "readonly") done = SetFileAttributesA(argument.c_str(), FILE_ATTRIBUTE_READONLY);
  else return "not a machine word: " + verb + ":" + argument;
  return done ? "" : Error(verb + " " + argument, GetLastError());
}

// The package becomes known to the IDE the way it does on a real machine: by
// VelPkg.dll's own registration, called as regsvr32.exe would call it.
std::string RegisterPackage(const std::string& dllPath, const std::string& rootSuffix) {
  HMODULE package = LoadLibraryA(dllPath.c_str());
  if (!package) return Error("loading " + dllPath, GetLastError());
  auto entry = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void (*)()>(GetProcAddress(package, "DllRegisterServer")));
  SetEnvironmentVariableA("ENVSDK_ROOTSUFFIX", rootSuffix.c_str());
  HRESULT result = entry ? entry() : E_NOINTERFACE;
  SetEnvironmentVariableA("ENVSDK_ROOTSUFFIX", nullptr);
  FreeLibrary(package);
  return FAILED(result) ? Error("registering " + dllPath, static_cast<DWORD>(result)) : "";
}

}  // namespace

std::string BuiltFile(const std::string& name) {
  char directory[MAX_PATH] = "", tool[MAX_PATH] = "";
  // A build that tests the release names the release's own program.
  const DWORD toolLength = GetEnvironmentVariableA("REGORVIK_TOOL_EXE", tool, sizeof tool);
  if (lstrcmpiA(name.c_str(), kToolName) == 0 && toolLength && toolLength < sizeof tool) return tool;
  GetEnvironmentVariableA("REGORVIK_BUILD_DIR", directory, sizeof directory);
  const char* folder = "\\testbed\\";
  if (lstrcmpiA(name.c_str(), kToolName) == 0) folder = "\\src\\";
  if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".msi") == 0) folder = "\\installer\\";
  return directory + std::string(folder) + name;
}

std::string Provision(const std::vector<std::string>& words, std::string* toolPath) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!GetProcAddress(ntdll, "wine_get_version") && !GetEnvironmentVariableA("REGORVIK_ALLOW_REAL_MACHINE", nullptr, 0))
    return "this is not Wine: set REGORVIK_ALLOW_REAL_MACHINE=1 to rebuild parts of this machine";
  if (!GetEnvironmentVariableA("REGORVIK_BUILD_DIR", nullptr, 0)) return "REGORVIK_BUILD_DIR must name the build directory";
  const std::set<std::string> switches = {"no-ide", "no-ide-spawner", "no-package-files", "registered", "older-copy"};
  const std::set<std::string> settings = {"suffix", "tool-name", "enabled", "installed"};
  std::set<std::string> on;
  std::map<std::string, std::string> values = {{"tool-name", kToolName}};
  std::vector<std::pair<std::string, std::string>> edits;
  for (const std::string& word : words) {
    const std::size_t equals = word.find('='), colon = word.find(':');
    if (colon < equals) edits.emplace_back(word.substr(0, colon), ExpandAliases(word.substr(colon + 1)));
    else if (equals != std::string::npos && settings.count(word.substr(0, equals))) values[word.substr(0, equals)] = word.substr(equals + 1);
    else if (switches.count(word)) on.insert(word);
    else return "not a machine word: " + word;
  }
  const bool ide = !on.count("no-ide"), packageFiles = !on.count("no-package-files");
  const std::string suffix = values["suffix"], toolName = values["tool-name"];
  if (toolPath) *toolPath = kPackageDir + toolName;
  std::string error = Wipe();
  auto keep = [&error](const std::string& result) { error = error.empty() ? result : error; };
  const std::string root = kIdeRootKey + suffix, baseKey = std::string(kIdeRootKey) + "\\Packages\\" + kPackageGuid;
  CreateDirectoryA(kBenchDir, nullptr);
  if (ide) keep(Write(root, "InstallDir", REG_SZ, kIdeExeDir + std::string(1, '\0')));
  // An installed IDE keeps its packages below this key, whether or not ours is one.
  if (ide) keep(Write(root + "\\Packages", nullptr));
  if (ide) keep(Put("devenv.exe", kIdeExeDir + std::string("devenv.exe")));
  if (ide && !on.count("no-ide-spawner")) keep(Put("vcspawn.exe", kIdeToolsDir + std::string("vcspawn.exe")));
  for (const char* directory : {packageFiles ? kPackageDir : nullptr, on.count("older-copy") ? kOlderCopyDir : nullptr}) {
    if (directory) keep(Put(kToolName, directory + (directory == kPackageDir ? toolName : kToolName)));
    for (const char* file : kPackageFiles)
      if (directory) keep(Put(file, directory + std::string(file)));
  }
  if (on.count("registered")) keep(RegisterPackage(packageFiles ? kPackageDir + std::string("VelPkg.dll") : BuiltFile("VelPkg.dll"), suffix));
  if (values.count("enabled")) keep(Write(root + "\\Packages\\" + kPackageGuid, "Enabled", REG_DWORD, Number(values["enabled"], 4)));
  if (values.count("installed")) keep(Write(baseKey, "ProductVersion", REG_SZ, values["installed"] + '\0'));
  if (values.count("installed")) keep(Write(baseKey, "InstallPath", REG_SZ, kOlderCopyDir + std::string(1, '\0')));
  for (const auto& [verb, argument] : edits) keep(error.empty() ? Edit(verb, argument) : "");
  return error;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\n') {
      if (!words.back().empty()) words.emplace_back();
    } else if (text[i] == '%' && i + 2 < text.size()) {
      words.back() += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      words.back() += text[i];
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

std::string ExpandAliases(std::string text) {
  for (const auto& [alias, path] : kAliases)
    for (std::size_t at; (at = text.find(alias)) != std::string::npos;) text.replace(at, lstrlenA(alias), path);
  return text;
}

std::string ApplyAliases(std::string text) {
  for (const auto& [alias, path] : kAliases)
    for (std::size_t at; (at = text.find(path)) != std::string::npos;) text.replace(at, lstrlenA(path), alias);
  return text;
}

}  // namespace bench
