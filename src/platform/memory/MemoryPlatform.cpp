#include "platform/memory/MemoryPlatform.h"

#include "platform/memory/ProgramResources.h"

namespace memory {

MemoryPlatform::MemoryPlatform()
    : platform_{registry, files, modules, processes, ui, environment, text} {
  registry.AttachFaultPlan(&faults);
  files.AttachFaultPlan(&faults);
  modules.AttachFaultPlan(&faults);
  processes.AttachFaultPlan(&faults);
  ui.AttachFaultPlan(&faults);
  environment.AttachFaultPlan(&faults);

  for (const auto& entry : ProgramDialogTemplates()) ui.SetDialogTemplate(entry.first, entry.second);
  ui.SetOwnIcons(ProgramIcons());
  modules.SetOwnStrings(ProgramStrings());
  InstallProgramAt(kDefaultProgramPath);
}

void MemoryPlatform::SetCodePage(unsigned int codePage) {
  const CodePage rules(codePage);
  registry.SetCodePage(rules);
  files.SetCodePage(rules);
  text.SetCodePage(rules);
}

void MemoryPlatform::InstallProgramAt(const std::string& path) {
  const std::string previous = modules.OwnFileName();
  if (files.IsFile(previous)) files.Remove(previous);
  files.WriteFile(path, MakeImage(ProgramStrings(), ProgramVersion()));
  modules.SetOwnFileName(files.FullPath(path));
  environment.SetCommandLine("\"" + files.FullPath(path) + "\"");
}

std::string MemoryPlatform::Leaks() const {
  std::string leaks;
  const auto add = [&leaks](int count, const char* what) {
    if (count == 0) return;
    if (!leaks.empty()) leaks += ", ";
    leaks += std::to_string(count) + " " + what;
  };
  add(registry.OpenHandleCount(), "key handle(s)");
  add(processes.OpenHandleCount(), "process or thread handle(s)");
  add(modules.LoadedCount(), "loaded module(s)");
  return leaks;
}

}  // namespace memory
