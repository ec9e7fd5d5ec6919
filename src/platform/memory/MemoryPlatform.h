#pragma once
// A whole Windows in memory: one of each stand-in, sharing one fault plan and
// one code page, handed to the program as a platform::Platform.
//
// It starts as the machine the program runs on: its own file
// C:\Program Files\Orvik\RegOrvikPkg.exe (an image with the program's
// strings and version resource), the program's dialog templates and icon,
// a command line naming the program alone, C:\ as the current directory, an
// empty HKEY_LOCAL_MACHINE and no environment variables. A test adds the rest:
//
//   memory::MemoryPlatform machine;
//   machine.registry.SetString(packageKey, "InstallPath", "C:\\Pkg\\");
//   machine.processes.InstallProgram("C:\\windows\\system32\\regsvr32.exe",
//                                    [](const memory::ChildRun&) { return 0u; });
//   machine.ui.ScriptDialog(IDD_REGORVIKPKG_DIALOG, [](memory::DialogDriver& user) {
//     user.Click(IDC_DISABLE);
//     user.PressEnter();
//   });
//   CRegOrvikPkgApp app(machine);
//   EXPECT_EQ(0, app.Run());
//   EXPECT_EQ("", machine.Leaks());
//   EXPECT_THAT(machine.ui.Problems(), IsEmpty());

#include <string>

#include "platform/Platform.h"
#include "platform/memory/FaultPlan.h"
#include "platform/memory/MemoryEnvironment.h"
#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryModules.h"
#include "platform/memory/MemoryProcesses.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryText.h"
#include "platform/memory/MemoryUi.h"

namespace memory {

class MemoryPlatform {
 public:
  static constexpr const char* kDefaultProgramPath = "C:\\Program Files\\Orvik\\RegOrvikPkg.exe";

  MemoryPlatform();
  MemoryPlatform(const MemoryPlatform&) = delete;
  MemoryPlatform& operator=(const MemoryPlatform&) = delete;

  platform::Platform& Get() { return platform_; }
  operator platform::Platform&() { return platform_; }

  // 1252 or 932, for every stand-in.
  void SetCodePage(unsigned int codePage);
  // Moves the program's own file to `path`; the command line follows.
  void InstallProgramAt(const std::string& path);
  // What is still open (key, process and thread handles, loaded modules), as
  // text; empty when nothing is.
  std::string Leaks() const;

  FaultPlan faults;
  MemoryRegistry registry;
  MemoryFiles files;
  MemoryModules modules{files};
  MemoryProcesses processes{files, modules};
  MemoryUi ui;
  MemoryEnvironment environment;
  MemoryText text;

 private:
  platform::Platform platform_;
};

}  // namespace memory
