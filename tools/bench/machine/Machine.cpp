#include "Machine.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "Automation.h"
#include "MachineLayout.h"

namespace bench {
namespace {

using namespace layout;

std::string ErrorText(const std::string& what, DWORD error) { return what + " failed with error " + std::to_string(error); }

LONG DeleteKeyTree(HKEY parent, const std::string& path) {
  HKEY key;
  LONG status = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  char name[MAX_PATH];
  // Always the first subkey: each deletion moves the next one to index 0.
  for (DWORD size = sizeof name; RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       size = sizeof name) {
    status = DeleteKeyTree(key, name);
    if (status != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? RegDeleteKeyA(parent, path.c_str()) : status;
}

std::vector<std::string> SubkeyNames(HKEY parent, const std::string& path) {
  std::vector<std::string> names;
  HKEY key;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[MAX_PATH];
  for (DWORD index = 0, size = sizeof name;
       RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++index, size = sizeof name)
    names.emplace_back(name);
  RegCloseKey(key);
  return names;
}

std::string DeleteDirectoryTree(const std::string& directory) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string error;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    std::string path = directory + "\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      error = DeleteDirectoryTree(path);
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(path.c_str())) error = ErrorText("deleting " + path, GetLastError());
    }
  } while (error.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  if (error.empty() && !RemoveDirectoryA(directory.c_str())) error = ErrorText("removing " + directory, GetLastError());
  return error;
}

void CreateDirectories(const std::string& directory) {
  for (std::size_t at = directory.find('\\', 3); at != std::string::npos; at = directory.find('\\', at + 1))
    CreateDirectoryA(directory.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(directory.c_str(), nullptr);
}

std::string CopyInto(const std::string& buildDir, const char* built, const std::string& directory,
                     const std::string& name) {
  CreateDirectories(directory);
  std::string source = buildDir + "\\" + built;
  std::string target = directory + name;
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
    return ErrorText("copying " + source + " to " + target, GetLastError());
  return {};
}

std::string CopyPackage(const std::string& buildDir, const std::string& directory, const std::string& toolName) {
  std::string error = CopyInto(buildDir, kBuiltTool, directory, toolName);
  const char* built[] = {kBuiltOrvikPkg, kBuiltVelPkg, kBuiltVendorSpawner};
  for (std::size_t i = 0; i < std::size(built) && error.empty(); ++i)
    error = CopyInto(buildDir, built[i], directory, kPackageFiles[i]);
  return error;
}

std::string WriteValue(const std::string& keyPath, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
  if (status != ERROR_SUCCESS) return ErrorText("creating " + keyPath, static_cast<DWORD>(status));
  status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return ErrorText("writing " + keyPath + "\\" + name, static_cast<DWORD>(status));
  return {};
}

std::string CreateKey(const std::string& keyPath) {
  HKEY key;
  const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &key, nullptr);
  if (status != ERROR_SUCCESS) return ErrorText("creating " + keyPath, static_cast<DWORD>(status));
  RegCloseKey(key);
  return {};
}

std::string WriteText(const std::string& keyPath, const char* name, const std::string& text) {
  return WriteValue(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The package becomes known to the IDE the way it does on a real machine: by
// VelPkg.dll's own registration, called here as regsvr32.exe would call it.
std::string RegisterPackage(const std::string& dllPath, const std::string& rootSuffix) {
  HMODULE package = LoadLibraryA(dllPath.c_str());
  if (!package) return ErrorText("loading " + dllPath, GetLastError());
  using Entry = HRESULT(WINAPI*)();
  auto registerServer = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(package, "DllRegisterServer")));
  SetEnvironmentVariableA("ENVSDK_ROOTSUFFIX", rootSuffix.c_str());
  HRESULT result = registerServer ? registerServer() : E_NOINTERFACE;
  SetEnvironmentVariableA("ENVSDK_ROOTSUFFIX", nullptr);
  FreeLibrary(package);
  if (FAILED(result)) return ErrorText("registering " + dllPath, static_cast<DWORD>(result));
  return {};
}

std::string ProvisionIde(const MachineSpec& spec, const std::string& buildDir) {
  std::string error = WriteText(IdeRootKey(spec.rootSuffix), "InstallDir", kIdeExeDir);
  // An installed IDE keeps its packages below this key, whether or not ours is one.
  if (error.empty()) error = CreateKey(IdeRootKey(spec.rootSuffix) + "\\Packages");
  if (error.empty()) error = CopyInto(buildDir, kBuiltDevenv, kIdeExeDir, "devenv.exe");
  if (error.empty() && spec.ideSpawner) error = CopyInto(buildDir, kBuiltIdeSpawner, kIdeToolsDir, "vcspawn.exe");
  return error;
}

std::string ProvisionPackage(const MachineSpec& spec, const std::string& buildDir) {
  std::string error;
  if (spec.packageFiles) error = CopyPackage(buildDir, kPackageDir, spec.toolName);
  if (error.empty() && spec.packageRegistered) {
    std::string dll = spec.packageFiles ? std::string(kPackageDir) + "VelPkg.dll" : buildDir + "\\" + kBuiltVelPkg;
    error = RegisterPackage(dll, spec.rootSuffix);
  }
  if (error.empty() && spec.enabled) {
    DWORD enabled = *spec.enabled;
    error = WriteValue(PackageKey(spec.rootSuffix), "Enabled", REG_DWORD, &enabled, sizeof enabled);
  }
  if (error.empty() && spec.installedVersion) {
    error = WriteText(BasePackageKey(), "ProductVersion", *spec.installedVersion);
    if (error.empty()) error = WriteText(BasePackageKey(), "InstallPath", kOlderCopyDir);
  }
  if (error.empty() && spec.olderCopy) error = CopyPackage(buildDir, kOlderCopyDir, kToolName);
  return error;
}

std::string DescribeValue(DWORD type, const std::string& data) {
  char head[64];
  if ((type == REG_DWORD) && data.size() == 4) {
    DWORD number;
    std::copy(data.begin(), data.end(), reinterpret_cast<char*>(&number));
    std::snprintf(head, sizeof head, "REG_DWORD 0x%08lX", static_cast<unsigned long>(number));
    return head;
  }
  const char* names[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
                         "REG_LINK", "REG_MULTI_SZ"};
  std::string typeName = type < std::size(names) ? names[type] : "type " + std::to_string(type);
  std::string text = typeName + ", " + std::to_string(data.size()) + " bytes: ";
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) return text + "\"" + MakeVisible(data) + "\"";
  for (unsigned char byte : data) {
    std::snprintf(head, sizeof head, "%02X ", byte);
    text += head;
  }
  return text;
}

void DumpKey(std::string& out, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out += "[HKLM\\" + path + "]\n";
  std::vector<std::pair<std::string, std::string>> values;
  char name[16384];
  std::vector<BYTE> data(65536);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = sizeof name;
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    std::string shown = nameSize ? "\"" + std::string(name, nameSize) + "\"" : "@";
    values.emplace_back(shown, DescribeValue(type, std::string(data.begin(), data.begin() + dataSize)));
  }
  RegCloseKey(key);
  std::sort(values.begin(), values.end(),
            [](const auto& a, const auto& b) { return lstrcmpiA(a.first.c_str(), b.first.c_str()) < 0; });
  for (const auto& [shown, description] : values) out += "  " + shown + " = " + description + "\n";
  for (const std::string& subkey : SubkeyNames(HKEY_LOCAL_MACHINE, path)) DumpKey(out, path + "\\" + subkey);
}

std::string FileDigest(const std::string& path, unsigned long long& size) {
  std::ifstream file(path, std::ios::binary);
  unsigned long long hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  size = 0;
  for (char byte; file.get(byte); ++size) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  char text[32];
  std::snprintf(text, sizeof text, "%016llx", hash);
  return text;
}

void DumpDirectory(std::string& out, const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (lstrcmpA(entry.cFileName, ".") && lstrcmpA(entry.cFileName, "..")) names.emplace_back(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  for (const std::string& name : names) {
    std::string path = directory + "\\" + name;
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      out += path + "\\\n";
      DumpDirectory(out, path);
    } else {
      unsigned long long size = 0;
      std::string digest = FileDigest(path, size);
      out += path + "  " + std::to_string(size) + " bytes  fnv1a64 " + digest + "\n";
    }
  }
}

}  // namespace

std::string WipeMachine() {
  for (const std::string& name : SubkeyNames(HKEY_LOCAL_MACHINE, kVisualStudioKey))
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), 3, kIdeVersion, 3) == CSTR_EQUAL) {
      LONG status = DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\" + name);
      if (status != ERROR_SUCCESS) return ErrorText("deleting the key " + name, static_cast<DWORD>(status));
    }
  for (const std::string& key : {std::string(kVendorKey), ClassKey(kPackageGuid), ClassKey(kOrvikPkgClsid)}) {
    LONG status = DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
    if (status != ERROR_SUCCESS) return ErrorText("deleting the key " + key, static_cast<DWORD>(status));
  }
  for (const char* directory : {kIdeRoot, kVendorDir, kBenchDir}) {
    std::string error = DeleteDirectoryTree(directory);
    if (!error.empty()) return error;
  }
  return {};
}

std::string ProvisionMachine(const MachineSpec& spec, const std::string& buildDir) {
  std::string error = WipeMachine();
  if (error.empty()) CreateDirectories(kBenchDir);
  if (error.empty() && spec.ide) error = ProvisionIde(spec, buildDir);
  if (error.empty()) error = ProvisionPackage(spec, buildDir);
  return error;
}

std::string SnapshotMachine() {
  std::string out;
  DumpKey(out, kVisualStudioKey);
  DumpKey(out, kVendorKey);
  DumpKey(out, ClassKey(kPackageGuid));
  DumpKey(out, ClassKey(kOrvikPkgClsid));
  DumpDirectory(out, kIdeRoot);
  DumpDirectory(out, kVendorDir);
  return out;
}

std::string BuildDirectoryFromEnvironment() {
  char directory[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("REGORVIK_BUILD_DIR", directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return {};
  std::string path = directory;
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace bench
