#pragma once
// Modules of the in-memory Windows: a module is a file of MemoryFiles whose
// content MakeImage made. Loading it reads its string table and version
// resource; any other content does not load. Like LoadLibraryA, a name with
// no extension gets ".dll", a bare name is searched for (the program's own
// directory, C:\windows\system32, C:\windows\system, C:\windows, then the
// current directory), and loading one file twice gives the same handle with
// a second reference. GetFileVersionInfoSizeA searches a bare name in the
// program's own directory, the current directory, C:\windows\system32 and
// C:\windows; GetFileVersionInfoA needs a buffer of the whole size.
//
// LoadStringA with no module reads the program's own string table, set by
// SetOwnStrings. LoadedCount() tells how many loads were not freed yet.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Modules.h"
#include "platform/memory/FakeImage.h"

namespace memory {

class FaultPlan;
class MemoryFiles;

class MemoryModules final : public platform::Modules {
 public:
  explicit MemoryModules(MemoryFiles& files);

  void AttachFaultPlan(FaultPlan* plan) { faults_ = plan; }
  void SetOwnFileName(const std::string& path) { ownFileName_ = path; }
  void SetOwnStrings(const StringTable& strings) { ownStrings_ = strings; }

  platform::ModuleHandle LoadForResources(const char* path) override;
  bool Free(platform::ModuleHandle module) override;
  int LoadString(platform::ModuleHandle module, std::uint32_t id, char* buffer, int size) override;
  std::string OwnFileName() override { return ownFileName_; }
  std::uint32_t GetFileVersionInfoSize(const char* fileName, std::uint32_t* handle) override;
  bool GetFileVersionInfo(const char* fileName, std::uint32_t handle, std::uint32_t size, void* data) override;
  bool VerQueryValue(const void* block, const char* subBlock, const void** value, std::uint32_t* length) override;

  // Loads not yet freed, counting a second load of the same file twice.
  int LoadedCount() const;
  // The full paths of every module load, in order, failed ones included.
  const std::vector<std::string>& LoadAttempts() const { return loadAttempts_; }

 private:
  struct Module {
    std::string path;
    Image image;
    int references = 0;
  };

  std::optional<std::string> SearchLibrary(const std::string& name) const;
  std::optional<std::string> SearchVersionFile(const std::string& name) const;
  std::optional<std::string> FirstExisting(const std::string& name, const std::vector<std::string>& directories) const;
  std::optional<std::string> VersionBlockOf(const char* fileName) const;

  MemoryFiles& files_;
  FaultPlan* faults_ = nullptr;
  std::string ownFileName_ = "C:\\Program Files\\Orvik\\RegOrvikPkg.exe";
  StringTable ownStrings_;
  std::map<std::uintptr_t, Module> modules_;
  std::uintptr_t nextHandle_ = 0x10000000;
  std::vector<std::string> loadAttempts_;
};

}  // namespace memory
