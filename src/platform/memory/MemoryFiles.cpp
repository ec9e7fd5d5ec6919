#include "platform/memory/MemoryFiles.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

#include "platform/WinConstants.h"
#include "platform/memory/FaultPlan.h"

namespace memory {

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(const std::string& path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

std::string DriveOf(const std::string& path) {
  return std::string(1, static_cast<char>(path[0] & ~0x20)) + ":";
}

// Splits at backslashes that are characters of their own, never at the
// second byte of a double-byte character.
std::vector<std::string> SplitComponents(const CodePage& codePage, const std::string& text) {
  std::vector<std::string> components(1);
  const char* p = text.c_str();
  while (*p != '\0') {
    std::size_t length = 0;
    const unsigned int ch = codePage.CharAt(p, &length);
    if (ch == '\\') {
      components.emplace_back();
    } else {
      components.back().append(p, length);
    }
    p += length;
  }
  return components;
}

// The offset of the last character that is a backslash, or npos.
std::size_t LastSeparator(const CodePage& codePage, const std::string& text) {
  std::size_t last = std::string::npos;
  std::size_t offset = 0;
  while (offset < text.size()) {
    std::size_t length = 0;
    if (codePage.CharAt(text.c_str() + offset, &length) == '\\') last = offset;
    offset += length;
  }
  return last;
}

void StripTrailingDotsAndBlanks(std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  if (end > 0) name.erase(end);
}

std::string Described(const std::string& content) {
  static const char kHex[] = "0123456789abcdef";
  if (content.size() > 64) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : content) hash = (hash ^ c) * 16777619u;
    std::string text = "checksum ";
    for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(hash >> shift) & 0xF];
    return text;
  }
  std::string text = "\"";
  for (unsigned char c : content) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      text += static_cast<char>(c);
    } else {
      text += "\\x";
      text += kHex[c >> 4];
      text += kHex[c & 0xF];
    }
  }
  return text + "\"";
}

}  // namespace

MemoryFiles::MemoryFiles() { MakeDirectories("C:\\"); }

void MemoryFiles::SetCodePage(const CodePage& codePage) {
  codePage_ = codePage;
  std::map<std::vector<std::uint32_t>, Entry> entries;
  for (auto& entry : entries_) entries[KeyOf(entry.second.path)] = entry.second;
  entries_ = std::move(entries);
}

MemoryFiles::Resolved MemoryFiles::Resolve(const std::string& path, const std::string& givenBase) const {
  const std::string base = HasDrive(givenBase) ? givenBase : currentDirectory_;
  std::string text = path;
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  Resolved resolved;
  const std::size_t lastSeparator = LastSeparator(codePage_, text);
  resolved.trailingSeparator = !text.empty() && lastSeparator == text.size() - 1;

  if (HasDrive(text)) {
    const bool rooted = text.size() > 2 && text[2] == '\\';
    if (!rooted) {
      const std::string rest = text.substr(2);
      text = DriveOf(text) == DriveOf(base) ? base + "\\" + rest : text.substr(0, 2) + "\\" + rest;
    }
  } else if (!text.empty() && text[0] == '\\') {
    text = base.substr(0, 2) + text;
  } else {
    text = base + "\\" + text;
  }

  std::vector<std::string> kept;
  const std::vector<std::string> components = SplitComponents(codePage_, text.substr(2));
  for (const std::string& component : components) {
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(component);
  }
  if (!kept.empty()) StripTrailingDotsAndBlanks(kept.back());
  // The drive letter keeps the case it was written in, like the rest.
  resolved.full = text.substr(0, 2) + "\\";
  for (std::size_t i = 0; i < kept.size(); ++i) resolved.full += (i == 0 ? "" : "\\") + kept[i];
  return resolved;
}

std::vector<std::uint32_t> MemoryFiles::KeyOf(const std::string& fullPath) const {
  return codePage_.NameKey(fullPath);
}

const MemoryFiles::Entry* MemoryFiles::Find(const std::string& fullPath) const {
  const auto found = entries_.find(KeyOf(fullPath));
  return found != entries_.end() ? &found->second : nullptr;
}

bool MemoryFiles::DirectoryExists(const std::string& fullPath) const {
  const Entry* entry = Find(fullPath);
  return entry != nullptr && entry->directory;
}

bool MemoryFiles::Fail(long error) {
  lastError_ = static_cast<std::uint32_t>(error);
  return false;
}

std::string MemoryFiles::FullPath(const std::string& path) const { return FullPath(path, currentDirectory_); }

std::string MemoryFiles::FullPath(const std::string& path, const std::string& base) const {
  if (path.empty()) return std::string();
  return Resolve(path, base).full;
}

std::string MemoryFiles::DirectoryOf(const std::string& fullPath) const {
  const std::size_t separator = LastSeparator(codePage_, fullPath);
  if (separator == std::string::npos) return fullPath;
  return separator <= 2 ? fullPath.substr(0, 3) : fullPath.substr(0, separator);
}

std::string MemoryFiles::FileNameOf(const std::string& path) const {
  const std::size_t separator = LastSeparator(codePage_, path);
  if (separator != std::string::npos) return path.substr(separator + 1);
  return HasDrive(path) ? path.substr(2) : path;
}

void MemoryFiles::MakeDirectories(const std::string& fullPath) {
  const std::string parent = DirectoryOf(fullPath);
  if (parent != fullPath) MakeDirectories(parent);
  Entry& entry = entries_[KeyOf(fullPath)];
  if (entry.path.empty()) entry.path = fullPath;
  entry.directory = true;
  entry.content.clear();
}

bool MemoryFiles::CopyFile(const char* existing, const char* target, bool failIfExists) {
  if (faults_ != nullptr) {
    if (auto error = faults_->Enter(Call::CopyFile)) return Fail(*error);
  }
  if (existing == nullptr || target == nullptr || *existing == '\0' || *target == '\0') {
    return Fail(win::kErrorPathNotFound);
  }
  const Resolved from = Resolve(existing, currentDirectory_);
  const Resolved to = Resolve(target, currentDirectory_);
  if (from.trailingSeparator || to.trailingSeparator) return Fail(win::kErrorInvalidName);

  if (!DirectoryExists(DirectoryOf(from.full))) return Fail(win::kErrorPathNotFound);
  const Entry* source = Find(from.full);
  if (source == nullptr) return Fail(win::kErrorFileNotFound);
  if (source->directory) return Fail(win::kErrorAccessDenied);

  if (!DirectoryExists(DirectoryOf(to.full))) return Fail(win::kErrorPathNotFound);
  const Entry* destination = Find(to.full);
  if (destination != nullptr && destination->directory) return Fail(win::kErrorAccessDenied);
  if (destination != nullptr && failIfExists) return Fail(win::kErrorFileExists);
  if (destination == source) return Fail(win::kErrorSharingViolation);

  const std::string content = source->content;
  Entry& copy = entries_[KeyOf(to.full)];
  if (copy.path.empty()) copy.path = to.full;
  copy.content = content;
  return Succeed();
}

bool MemoryFiles::MoveEntry(const std::string& from, const std::string& to) {
  const std::vector<std::uint32_t> fromKey = KeyOf(from);
  const std::vector<std::uint32_t> prefix = KeyOf(from + "\\");
  const std::vector<std::uint32_t> targetKey = KeyOf(to);
  if (targetKey.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), targetKey.begin())) {
    return false;  // a directory cannot move into itself
  }
  std::vector<Entry> moved;
  for (auto it = entries_.begin(); it != entries_.end();) {
    const std::vector<std::uint32_t>& key = it->first;
    const bool below = key.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), key.begin());
    if (key == fromKey || below) {
      Entry entry = it->second;
      entry.path = to + entry.path.substr(from.size());
      moved.push_back(entry);
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
  for (const Entry& entry : moved) entries_[KeyOf(entry.path)] = entry;
  return true;
}

bool MemoryFiles::MoveFile(const char* existing, const char* target, std::uint32_t flags) {
  if (faults_ != nullptr) {
    if (auto error = faults_->Enter(Call::MoveFile)) return Fail(*error);
  }
  if (existing == nullptr || *existing == '\0') return Fail(win::kErrorPathNotFound);
  if (target == nullptr) return Fail(win::kErrorInvalidParameter);
  if (*target == '\0') return Fail(win::kErrorPathNotFound);
  const Resolved from = Resolve(existing, currentDirectory_);
  const Resolved to = Resolve(target, currentDirectory_);
  if (from.trailingSeparator || to.trailingSeparator) return Fail(win::kErrorInvalidName);

  if (!DirectoryExists(DirectoryOf(from.full))) return Fail(win::kErrorPathNotFound);
  const Entry* source = Find(from.full);
  if (source == nullptr) return Fail(win::kErrorFileNotFound);
  if (!DirectoryExists(DirectoryOf(to.full))) return Fail(win::kErrorPathNotFound);
  const Entry* destination = Find(to.full);
  if (destination == source) {
    MoveEntry(from.full, to.full);  // a change of case only
    return Succeed();
  }
  if (destination != nullptr) {
    if ((flags & win::kMoveFileReplaceExisting) == 0) return Fail(win::kErrorAlreadyExists);
    if (destination->directory || source->directory) return Fail(win::kErrorAccessDenied);
  }
  const bool otherDrive = DriveOf(from.full) != DriveOf(to.full);
  if (otherDrive && (source->directory || (flags & win::kMoveFileCopyAllowed) == 0)) {
    return Fail(win::kErrorNotSameDevice);
  }
  if (destination != nullptr) entries_.erase(KeyOf(to.full));
  if (!MoveEntry(from.full, to.full)) return Fail(win::kErrorAccessDenied);
  return Succeed();
}

std::uint32_t MemoryFiles::GetCurrentDirectory(std::uint32_t size, char* buffer) {
  if (faults_ != nullptr) {
    if (auto error = faults_->Enter(Call::GetCurrentDirectory)) {
      Fail(*error);
      return 0;
    }
  }
  const auto length = static_cast<std::uint32_t>(currentDirectory_.size());
  if (buffer == nullptr || size < length + 1) return length + 1;
  std::memcpy(buffer, currentDirectory_.c_str(), length + 1);
  return length;
}

bool MemoryFiles::SetCurrentDirectory(const char* path) {
  if (faults_ != nullptr) {
    if (auto error = faults_->Enter(Call::SetCurrentDirectory)) return Fail(*error);
  }
  if (path == nullptr || *path == '\0') return Fail(win::kErrorInvalidName);
  const Resolved resolved = Resolve(path, currentDirectory_);
  const Entry* entry = Find(resolved.full);
  if (entry == nullptr) {
    return Fail(DirectoryExists(DirectoryOf(resolved.full)) ? win::kErrorFileNotFound : win::kErrorPathNotFound);
  }
  if (!entry->directory) return Fail(resolved.trailingSeparator ? win::kErrorInvalidName : win::kErrorDirectory);
  // The path keeps the case it was given in, as on Windows.
  currentDirectory_ = resolved.full;
  return Succeed();
}

void MemoryFiles::WriteFile(const std::string& path, const std::string& content) {
  const std::string full = FullPath(path);
  MakeDirectories(DirectoryOf(full));
  Entry& entry = entries_[KeyOf(full)];
  if (entry.path.empty()) entry.path = full;
  entry.directory = false;
  entry.content = content;
}

void MemoryFiles::MakeDirectory(const std::string& path) { MakeDirectories(FullPath(path)); }

void MemoryFiles::Remove(const std::string& path) {
  const std::string full = FullPath(path);
  const std::vector<std::uint32_t> key = KeyOf(full);
  const std::vector<std::uint32_t> prefix = KeyOf(full + "\\");
  for (auto it = entries_.begin(); it != entries_.end();) {
    const bool below = it->first.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), it->first.begin());
    it = (it->first == key || below) ? entries_.erase(it) : std::next(it);
  }
}

bool MemoryFiles::Exists(const std::string& path) const { return Find(FullPath(path)) != nullptr; }

bool MemoryFiles::IsFile(const std::string& path) const {
  const Entry* entry = Find(FullPath(path));
  return entry != nullptr && !entry->directory;
}

bool MemoryFiles::IsDirectory(const std::string& path) const { return DirectoryExists(FullPath(path)); }

std::optional<std::string> MemoryFiles::Read(const std::string& path) const {
  const Entry* entry = Find(FullPath(path));
  if (entry == nullptr || entry->directory) return std::nullopt;
  return entry->content;
}

std::optional<std::string> MemoryFiles::StoredFilePath(const std::string& path) const {
  const Entry* entry = Find(FullPath(path));
  if (entry == nullptr || entry->directory) return std::nullopt;
  return entry->path;
}

std::vector<std::string> MemoryFiles::ListFiles() const {
  std::vector<std::string> files;
  for (const auto& entry : entries_) {
    if (!entry.second.directory) files.push_back(entry.second.path);
  }
  return files;
}

std::string MemoryFiles::Dump() const {
  std::ostringstream out;
  for (const auto& item : entries_) {
    const Entry& entry = item.second;
    if (entry.directory) {
      out << entry.path << (entry.path.size() > 3 ? "\\" : "") << '\n';
    } else {
      out << entry.path << " (" << entry.content.size() << " bytes) " << Described(entry.content) << '\n';
    }
  }
  return out.str();
}

}  // namespace memory
