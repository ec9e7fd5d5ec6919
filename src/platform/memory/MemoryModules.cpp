#include "platform/memory/MemoryModules.h"

#include <algorithm>
#include <cstring>

#include "platform/memory/FaultPlan.h"
#include "platform/memory/MemoryFiles.h"

namespace memory {

namespace {

const char kSystemDirectory[] = "C:\\windows\\system32";
const char kSystem16Directory[] = "C:\\windows\\system";
const char kWindowsDirectory[] = "C:\\windows";

bool HasDirectory(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

bool HasExtension(const std::string& fileName) { return fileName.find('.') != std::string::npos; }

std::uintptr_t HandleValue(platform::ModuleHandle module) { return reinterpret_cast<std::uintptr_t>(module); }

}  // namespace

MemoryModules::MemoryModules(MemoryFiles& files) : files_(files) {}

std::optional<std::string> MemoryModules::FirstExisting(const std::string& name,
                                                        const std::vector<std::string>& directories) const {
  for (const std::string& directory : directories) {
    if (auto path = files_.StoredFilePath(files_.FullPath(name, directory))) return path;
  }
  return std::nullopt;
}

std::optional<std::string> MemoryModules::SearchLibrary(const std::string& name) const {
  std::string fileName = name;
  if (!HasExtension(files_.FileNameOf(fileName))) fileName += ".dll";
  if (HasDirectory(fileName)) return files_.StoredFilePath(fileName);
  const std::string ownDirectory = files_.DirectoryOf(files_.FullPath(ownFileName_));
  return FirstExisting(fileName, {ownDirectory, kSystemDirectory, kSystem16Directory, kWindowsDirectory,
                                  files_.CurrentDirectory()});
}

std::optional<std::string> MemoryModules::SearchVersionFile(const std::string& name) const {
  if (HasDirectory(name)) return files_.StoredFilePath(name);
  const std::string ownDirectory = files_.DirectoryOf(files_.FullPath(ownFileName_));
  return FirstExisting(name, {ownDirectory, files_.CurrentDirectory(), kSystemDirectory, kWindowsDirectory});
}

platform::ModuleHandle MemoryModules::LoadForResources(const char* path) {
  if (faults_ != nullptr && faults_->Enter(Call::LoadModule)) return nullptr;
  if (path == nullptr || *path == '\0') return nullptr;
  const std::optional<std::string> found = SearchLibrary(path);
  loadAttempts_.push_back(found ? *found : files_.FullPath(path));
  if (!found) return nullptr;
  for (auto& entry : modules_) {
    if (files_.SamePath(entry.second.path, *found)) {
      ++entry.second.references;
      return reinterpret_cast<platform::ModuleHandle>(entry.first);
    }
  }
  std::optional<Image> image = ParseImage(*files_.Read(*found));
  if (!image) return nullptr;
  const std::uintptr_t handle = nextHandle_;
  nextHandle_ += 0x10000;
  modules_[handle] = Module{*found, std::move(*image), 1};
  return reinterpret_cast<platform::ModuleHandle>(handle);
}

bool MemoryModules::Free(platform::ModuleHandle module) {
  const bool injected = faults_ != nullptr && faults_->Enter(Call::FreeModule).has_value();
  const auto found = modules_.find(HandleValue(module));
  if (found == modules_.end()) return false;
  if (--found->second.references == 0) modules_.erase(found);
  return !injected;
}

int MemoryModules::LoadString(platform::ModuleHandle module, std::uint32_t id, char* buffer, int size) {
  const bool injected = faults_ != nullptr && faults_->Enter(Call::LoadString).has_value();
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (injected) return 0;
  const StringTable* strings = &ownStrings_;
  if (module != nullptr) {
    const auto found = modules_.find(HandleValue(module));
    if (found == modules_.end()) return 0;
    strings = &found->second.image.strings;
  }
  const auto entry = strings->find(id);
  if (entry == strings->end()) return 0;
  const std::size_t copied = std::min(entry->second.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, entry->second.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

std::optional<std::string> MemoryModules::VersionBlockOf(const char* fileName) const {
  if (fileName == nullptr || *fileName == '\0') return std::nullopt;
  const std::optional<std::string> path = SearchVersionFile(fileName);
  if (!path) return std::nullopt;
  const std::optional<Image> image = ParseImage(*files_.Read(*path));
  if (!image || !image->versionBlock) return std::nullopt;
  return image->versionBlock;
}

std::uint32_t MemoryModules::GetFileVersionInfoSize(const char* fileName, std::uint32_t* handle) {
  if (handle != nullptr) *handle = 0;
  if (faults_ != nullptr && faults_->Enter(Call::VersionInfoSize)) return 0;
  const std::optional<std::string> block = VersionBlockOf(fileName);
  return block ? static_cast<std::uint32_t>(block->size()) : 0;
}

bool MemoryModules::GetFileVersionInfo(const char* fileName, std::uint32_t /*handle*/, std::uint32_t size,
                                       void* data) {
  if (faults_ != nullptr && faults_->Enter(Call::VersionInfo)) return false;
  const std::optional<std::string> block = VersionBlockOf(fileName);
  if (!block || data == nullptr || size < block->size()) return false;
  std::memcpy(data, block->data(), block->size());
  return true;
}

bool MemoryModules::VerQueryValue(const void* block, const char* subBlock, const void** value,
                                  std::uint32_t* length) {
  if (faults_ != nullptr && faults_->Enter(Call::VerQueryValue)) {
    if (length != nullptr) *length = 0;
    return false;
  }
  return QueryVersionBlock(block, subBlock != nullptr ? subBlock : "", value, length);
}

int MemoryModules::LoadedCount() const {
  int count = 0;
  for (const auto& entry : modules_) count += entry.second.references;
  return count;
}

}  // namespace memory
