#include "platform/memory/MemoryProcesses.h"

#include "platform/WinConstants.h"
#include "platform/memory/FakeImage.h"
#include "platform/memory/FaultPlan.h"
#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryModules.h"

namespace memory {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasDirectory(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

std::uintptr_t HandleValue(platform::ObjectHandle handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

MemoryProcesses::MemoryProcesses(MemoryFiles& files, MemoryModules& modules) : files_(files), modules_(modules) {}

void MemoryProcesses::RegisterProgram(const std::string& nameOrPath, Program program) {
  programs_.emplace_back(nameOrPath, std::move(program));
}

void MemoryProcesses::InstallProgram(const std::string& fullPath, Program program) {
  files_.WriteFile(fullPath, MakeImage({}));
  RegisterProgram(fullPath, std::move(program));
}

const Program* MemoryProcesses::ProgramFor(const std::string& path) const {
  const Program* byName = nullptr;
  for (auto it = programs_.rbegin(); it != programs_.rend(); ++it) {
    if (HasDirectory(it->first)) {
      if (files_.SamePath(it->first, path)) return &it->second;
    } else if (byName == nullptr && files_.SameName(it->first, files_.FileNameOf(path))) {
      byName = &it->second;
    }
  }
  return byName;
}

std::optional<std::string> MemoryProcesses::ResolveCandidate(const std::string& name) const {
  std::string fileName = name;
  if (files_.FileNameOf(fileName).find('.') == std::string::npos) fileName += ".exe";
  std::vector<std::string> directories;
  if (HasDirectory(fileName)) {
    directories = {files_.CurrentDirectory()};
  } else {
    const std::string ownDirectory = files_.DirectoryOf(files_.FullPath(modules_.OwnFileName()));
    directories = {ownDirectory, files_.CurrentDirectory(), "C:\\windows\\system32", "C:\\windows\\system",
                   "C:\\windows"};
  }
  for (const std::string& directory : directories) {
    if (auto path = files_.StoredFilePath(files_.FullPath(fileName, directory))) return path;
  }
  return std::nullopt;
}

std::optional<std::string> MemoryProcesses::FindProgram(const std::string& commandLine, long* error) const {
  *error = win::kErrorFileNotFound;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    const std::string name = commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    return name.empty() ? std::nullopt : ResolveCandidate(name);
  }
  for (std::size_t end = 0; end <= commandLine.size(); ++end) {
    if (end < commandLine.size() && !IsBlank(commandLine[end])) continue;
    if (end == 0) return std::nullopt;  // a line starting with a blank names no program
    if (IsBlank(commandLine[end - 1])) continue;
    if (auto found = ResolveCandidate(commandLine.substr(0, end))) return found;
  }
  return std::nullopt;
}

platform::ObjectHandle MemoryProcesses::NewHandle(std::size_t child, bool isThread) {
  const std::uintptr_t value = nextHandle_;
  nextHandle_ += 4;
  handles_[value] = Handle{child, isThread};
  return reinterpret_cast<platform::ObjectHandle>(value);
}

const MemoryProcesses::Handle* MemoryProcesses::Lookup(platform::ObjectHandle handle) const {
  const auto found = handles_.find(HandleValue(handle));
  return found != handles_.end() ? &found->second : nullptr;
}

bool MemoryProcesses::CreateProcess(const char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                                    const char* currentDirectory, const platform::StartupInfo& startup,
                                    platform::ProcessInformation* information) {
  ProcessLaunch launch;
  launch.commandLine = commandLine != nullptr ? commandLine : "";
  launch.inheritHandles = inheritHandles;
  launch.creationFlags = creationFlags;
  if (currentDirectory != nullptr) launch.currentDirectory = std::string(currentDirectory);
  launch.startupFlags = startup.flags;
  launch.showWindow = startup.showWindow;
  const auto refuse = [&](long error) {
    launch.error = static_cast<std::uint32_t>(error);
    launches_.push_back(launch);
    return false;
  };

  if (faults_ != nullptr) {
    if (auto error = faults_->Enter(Call::CreateProcess)) return refuse(*error);
  }
  if (information == nullptr) return refuse(win::kErrorInvalidParameter);
  long error = 0;
  const std::optional<std::string> program = FindProgram(launch.commandLine, &error);
  if (!program) return refuse(error);
  if (!ParseImage(*files_.Read(*program))) return refuse(win::kErrorBadExeFormat);

  ChildRun run;
  run.program = *program;
  run.commandLine = launch.commandLine;
  run.requestedDirectory = launch.currentDirectory;
  run.currentDirectory = files_.CurrentDirectory();
  if (currentDirectory != nullptr) {
    run.currentDirectory = files_.FullPath(currentDirectory);
    if (*currentDirectory == '\0' || !files_.IsDirectory(run.currentDirectory)) return refuse(win::kErrorDirectory);
  }

  launch.program = *program;
  launch.started = true;
  // The program may start programs of its own: records go by index.
  const std::size_t index = children_.size();
  const std::size_t launchIndex = launches_.size();
  children_.push_back(Child{});
  launches_.push_back(launch);
  const Program* behaviour = ProgramFor(*program);
  const std::uint32_t exitCode = behaviour != nullptr ? (*behaviour)(run) : defaultExitCode_;
  children_[index].exitCode = exitCode;
  launches_[launchIndex].exitCode = exitCode;

  information->process = NewHandle(index, false);
  information->thread = NewHandle(index, true);
  information->processId = nextId_;
  information->threadId = nextId_ + 4;
  nextId_ += 8;
  return true;
}

std::uint32_t MemoryProcesses::WaitForSingleObject(platform::ObjectHandle handle, std::uint32_t /*milliseconds*/) {
  if (faults_ != nullptr && faults_->Enter(Call::Wait)) return win::kWaitFailed;
  const Handle* found = Lookup(handle);
  if (found == nullptr) return win::kWaitFailed;
  if (scriptedWaits_.empty()) return win::kWaitObject0;
  const std::uint32_t result = scriptedWaits_.front();
  scriptedWaits_.pop_front();
  if (result != win::kWaitObject0) children_[found->child].running = true;
  return result;
}

bool MemoryProcesses::GetExitCodeProcess(platform::ObjectHandle process, std::uint32_t* exitCode) {
  if (faults_ != nullptr && faults_->Enter(Call::GetExitCode)) return false;
  const Handle* found = Lookup(process);
  if (found == nullptr || found->isThread || exitCode == nullptr) return false;
  const Child& child = children_[found->child];
  *exitCode = child.running ? win::kStillActive : child.exitCode;
  return true;
}

bool MemoryProcesses::CloseHandle(platform::ObjectHandle handle) {
  const bool injected = faults_ != nullptr && faults_->Enter(Call::CloseHandle).has_value();
  const bool known = handles_.erase(HandleValue(handle)) != 0;
  return known && !injected;
}

std::vector<std::string> MemoryProcesses::StartedCommandLines() const {
  std::vector<std::string> lines;
  for (const ProcessLaunch& launch : launches_) {
    if (launch.started) lines.push_back(launch.commandLine);
  }
  return lines;
}

}  // namespace memory
