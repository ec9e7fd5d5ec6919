// The machine as stable text, one line per key, value, class, directory and
// file below the places the tool may touch; the changes between two such
// snapshots; and the programs the testbed logged as run.
#include <windows.h>

#include <msi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "Bench.h"
#include "Layout.h"

namespace bench {
namespace {

using namespace layout;

bool Before(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

std::vector<std::string> Subkeys(HKEY key) {
  std::vector<std::string> names;
  char name[MAX_PATH];
  for (DWORD i = 0, size = sizeof name; !RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr); size = sizeof name, ++i)
    names.emplace_back(name, size);
  return names;
}

// Texts with their escapes, so that a stored terminator shows as \0.
std::string ValueText(DWORD type, const std::string& data) {
  const char* names[] = {"none", "sz", "expand_sz", "binary", "dword", "dword_be", "link", "multi_sz"};
  std::string text = type < 8 ? names[type] : type == REG_QWORD ? "qword" : "type " + std::to_string(type);
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) return text + " " + Quoted(data);
  DWORD number = 0;
  if (type == REG_DWORD && data.size() == 4) return text + " " + std::to_string(*static_cast<DWORD*>(std::memcpy(&number, data.data(), 4)));
  for (unsigned char byte : data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    text += hex;
  }
  return text;
}

void DumpKey(std::vector<std::string>& lines, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  const std::string shown = "HKLM\\" + path + "\\";
  std::vector<std::string> values;
  std::string name(16384, '\0'), data(65536, '\0');
  for (DWORD i = 0, type = 0;; ++i) {
    DWORD nameSize = 16384, size = 65536;
    if (RegEnumValueA(key, i, &name[0], &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size)) break;
    values.push_back(shown + (nameSize ? name.substr(0, nameSize) : "@") + " = " + ValueText(type, data.substr(0, size)));
  }
  std::sort(values.begin(), values.end(), Before);
  lines.push_back(shown);
  lines.insert(lines.end(), values.begin(), values.end());
  for (const std::string& subkey : Subkeys(key)) DumpKey(lines, path + "\\" + subkey);
  RegCloseKey(key);
}

// A file's content is named by the built file it equals.
std::string FileText(const std::string& path, DWORD attributes) {
  static const auto built = [] {
    std::vector<std::pair<std::string, std::string>> files;
    for (const char* name : {kToolName, "vcspawn.exe", "ovcspawn.exe", "ovcspawn_caps.exe", "devenv.exe", "empty.exe",
                             "OrvikPkg.dll", "VelPkg.dll"})
      files.emplace_back(name, ReadAll(BuiltFile(name)));
    return files;
  }();
  std::string bytes = ReadAll(path), text = std::to_string(bytes.size()) + " bytes";
  // A log's lines are as many from run to run; its bytes are not (times, process ids).
  if (path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".log") == 0)
    text = std::to_string(std::count(bytes.begin(), bytes.end(), '\n')) + " lines";
  for (const auto& [name, content] : built)
    if (content == bytes) text = name;
  return text + (attributes & FILE_ATTRIBUTE_READONLY ? ", read-only" : "");
}

void DumpFiles(std::vector<std::string>& lines, const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return lines.push_back(path + " = " + FileText(path, attributes));
  lines.push_back(path + "\\");
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry))
    if (lstrcmpA(entry.cFileName, ".") && lstrcmpA(entry.cFileName, "..")) names.emplace_back(entry.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  std::sort(names.begin(), names.end(), Before);
  for (const std::string& name : names) DumpFiles(lines, path + "\\" + name);
}

// The example installer's products, by name and version: a product code is
// new with every build.
void ListProducts(std::vector<std::string>& lines) {
  char code[39];
  for (DWORD i = 0; MsiEnumRelatedProductsA(kInstallerUpgradeCode, 0, i, code) == ERROR_SUCCESS; ++i) {
    char name[256] = "", version[64] = "";
    DWORD nameSize = sizeof name, versionSize = sizeof version;
    MsiGetProductInfoA(code, INSTALLPROPERTY_PRODUCTNAME, name, &nameSize);
    MsiGetProductInfoA(code, INSTALLPROPERTY_VERSIONSTRING, version, &versionSize);
    lines.push_back("product " + Quoted(name) + " " + version);
  }
}

}  // namespace

std::string ReadAll(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes.substr(0, read);
}

std::vector<std::string> IdeRootKeys() {
  std::vector<std::string> roots;
  HKEY ide;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIdeKeys, 0, KEY_READ, &ide)) return roots;
  for (const std::string& name : Subkeys(ide))
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), 3, "7.0", 3) == CSTR_EQUAL)
      roots.push_back(kIdeKeys + std::string("\\") + name);
  RegCloseKey(ide);
  return roots;
}

std::vector<std::string> Snapshot() {
  std::vector<std::string> lines;
  for (const std::string& root : IdeRootKeys()) DumpKey(lines, root);
  DumpKey(lines, kVendorKey);
  // The testbed's COM classes, one line each: the DLL their InprocServer32 names.
  for (const auto& [dll, clsid] : kClasses) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kClassesKey + std::string(clsid)).c_str(), 0, KEY_READ, &key)) continue;
    char server[MAX_PATH] = "?";
    DWORD size = sizeof server;
    RegGetValueA(key, "InprocServer32", nullptr, RRF_RT_REG_SZ, nullptr, server, &size);
    RegCloseKey(key);
    lines.push_back("class " + std::string(dll) + " = " + server);
  }
  DumpFiles(lines, kIdeRoot);
  DumpFiles(lines, kVendorDir);
  ListProducts(lines);
  return lines;
}

// Lines are the same key, value, class or file when they agree up to " = ".
std::vector<std::string> Changes(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  auto identity = [](const std::string& line) { return line.substr(0, line.find(" = ")); };
  std::set<std::string> was, is;
  for (const std::string& line : before) was.insert(identity(line));
  for (const std::string& line : after) is.insert(identity(line));
  std::vector<std::string> changes;
  for (std::size_t i = 0, j = 0; i < before.size() || j < after.size();) {
    if (i < before.size() && (j == after.size() || !is.count(identity(before[i])))) {
      changes.push_back("- " + before[i++]);
    } else if (i == before.size() || !was.count(identity(after[j]))) {
      changes.push_back("+ " + after[j++]);
    } else {
      if (before[i] != after[j]) changes.push_back("~ " + after[j]);
      ++i, ++j;
    }
  }
  return changes;
}

std::vector<std::string> ProgramsRun() {
  const std::string log = ReadAll(kRunLog), packageDir(kPackageDir, sizeof kPackageDir - 2);
  std::vector<std::string> runs;
  for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    // <module> TAB <current directory> TAB <command line, or the DLL entry called>
    std::string line = log.substr(start, end - start);
    std::size_t first = line.find('\t'), second = line.find('\t', first + 1);
    if (second == std::string::npos) continue;
    std::string module = line.substr(0, first), directory = line.substr(first + 1, second - first - 1);
    bool dll = module.size() > 4 && lstrcmpiA(module.c_str() + module.size() - 4, ".dll") == 0;
    std::string run = "run " + (dll ? module + " " + line.substr(second + 1) : Quoted(line.substr(second + 1)));
    runs.push_back(run + (lstrcmpiA(directory.c_str(), packageDir.c_str()) ? " in " + directory : ""));
  }
  return runs;
}

std::vector<std::string> ToolLog(const std::string& patterns) {
  const std::string log = ReadAll(kToolLog);
  std::vector<std::string> processes, lines;
  for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    // YYYY-MM-DD HH:MM:SS.mmm pid N OPTION: STEP
    std::string line = log.substr(start, end - start);
    std::size_t pidEnd = line.find(' ', 28);
    bool stamped = line.size() > 28 && line[4] == '-' && line[13] == ':' && line[19] == '.' &&
                   line.compare(23, 5, " pid ") == 0 && pidEnd != std::string::npos;
    if (stamped) {
      std::string pid = line.substr(28, pidEnd - 28);
      auto known = std::find(processes.begin(), processes.end(), pid);
      if (known == processes.end()) known = processes.insert(processes.end(), pid);
      line = "log " + std::string(1, static_cast<char>('A' + (known - processes.begin()))) + line.substr(pidEnd);
    } else {
      line = "log ?? " + line;  // a line without its time and process: shown as it is, so that the row fails
    }
    bool wanted = patterns == "*";
    for (std::size_t from = 0, bar; !wanted && from <= patterns.size(); from = bar + 1) {
      bar = std::min(patterns.find('|', from), patterns.size());
      wanted = line.find(patterns.substr(from, bar - from)) != std::string::npos;
    }
    if (wanted) lines.push_back(line);
  }
  return lines;
}

}  // namespace bench
