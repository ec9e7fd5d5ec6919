// Any bytes as the command line of a whole run of the program over the
// in-memory Windows, with an IDE and a package to work on: no crash, no
// sanitizer report, and nothing left open.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/RegOrvikPkgApp.h"
#include "platform/memory/FakeImage.h"
#include "platform/memory/MemoryPlatform.h"

namespace {

void ProvisionMachine(memory::MemoryPlatform& machine) {
  const std::string root = "Software\\Microsoft\\VisualStudio\\7.0";
  machine.registry.SetString(root, "InstallDir", "C:\\VS\\Common7\\IDE\\");
  machine.registry.SetString(root + "\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}", "InstallPath", "C:\\Pkg");
  machine.files.WriteFile("C:\\VS\\Common7\\Tools\\vcspawn.exe", memory::MakeImage({{101, "Spawner"}}));
  machine.files.WriteFile("C:\\Pkg\\ovcspawn.exe", memory::MakeImage({{101, "Orvik"}}));
  machine.files.SetCurrentDirectory("C:\\Pkg");
  machine.processes.InstallProgram("C:\\windows\\system32\\regsvr32.exe", [](const memory::ChildRun&) { return 0u; });
  machine.processes.InstallProgram("C:\\VS\\Common7\\IDE\\devenv.exe", [](const memory::ChildRun&) { return 0u; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  memory::MemoryPlatform machine;
  ProvisionMachine(machine);
  // The first byte picks the code page and the answer to questions.
  if (size > 0 && (data[0] & 1) != 0) machine.SetCodePage(932);
  if (size > 0) machine.ui.AnswerMessageBox((data[0] & 2) != 0 ? 6 : 7);
  const std::string commandLine(reinterpret_cast<const char*>(data), size);
  machine.environment.SetCommandLine("RegOrvikPkg.exe " + commandLine.substr(0, commandLine.find('\0')));

  CRegOrvikPkgApp app(machine);
  const int exitCode = app.Run();
  if (exitCode != 0 && exitCode != -1) std::abort();
  if (!machine.Leaks().empty()) std::abort();
  return 0;
}
