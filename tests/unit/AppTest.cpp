#include "AppTest.h"

#include "platform/memory/FakeImage.h"

namespace unit {

std::string IdeSpawner() { return memory::MakeImage({{101, "Build Spawner"}, {102, "ide"}}); }
std::string VendorSpawner() { return memory::MakeImage({{101, "Orvik"}, {102, "vendor"}}); }

void AppTest::TearDown() { EXPECT_EQ(machine.Leaks(), ""); }

void AddIde(memory::MemoryPlatform& machine, const std::string& rootSuffix) {
  machine.registry.SetString(kIdeRootKey + rootSuffix, "InstallDir", std::string(kIdeExeDir));
  machine.files.MakeDirectory(kIdeExeDir);
  machine.files.WriteFile(std::string(kIdeToolsDir) + "vcspawn.exe", IdeSpawner());
}

void AddPackage(memory::MemoryPlatform& machine, const std::string& rootSuffix) {
  const std::string key =
      std::string(kIdeRootKey) + rootSuffix + "\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
  machine.registry.SetString(key, "InstallPath", kPackageDir);
  machine.files.WriteFile(std::string(kPackageDir) + "ovcspawn.exe", VendorSpawner());
  machine.files.SetCurrentDirectory(kPackageDir);
}

void AddPrograms(memory::MemoryPlatform& machine) {
  machine.processes.InstallProgram(std::string(kSystemDir) + "regsvr32.exe",
                                   [](const memory::ChildRun&) { return 0u; });
  machine.processes.InstallProgram(std::string(kIdeExeDir) + "devenv.exe", [](const memory::ChildRun&) { return 0u; });
}

void AddMachine(memory::MemoryPlatform& machine, const std::string& rootSuffix) {
  AddIde(machine, rootSuffix);
  AddPackage(machine, rootSuffix);
  AddPrograms(machine);
}

std::vector<std::string> AppTest::Runs() const { return machine.processes.StartedCommandLines(); }

std::vector<std::string> AppTest::Boxes() const {
  std::vector<std::string> texts;
  for (const memory::MessageBoxCall& box : machine.ui.MessageBoxes()) texts.push_back(box.text);
  return texts;
}

std::string AppTest::File(const std::string& path) const { return machine.files.Read(path).value_or("<absent>"); }

}  // namespace unit
