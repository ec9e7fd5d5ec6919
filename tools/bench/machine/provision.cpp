// provision.exe: builds a simulated machine in the current Wine prefix, the
// same one the scenario tests start from, for trying the tool by hand.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Machine.h"
#include "MachineLayout.h"

namespace {

const char kUsage[] =
    "usage: provision.exe [--build-dir DIR] [OPTION]...\n"
    "\n"
    "Wipes the IDE's 7.0* keys, the vendor's key and folders, then provisions:\n"
    "the IDE (root key with InstallDir, devenv.exe, vcspawn.exe) and the package\n"
    "directory with the tool and its files.\n"
    "\n"
    "  --build-dir DIR       the build directory (default: REGORVIK_BUILD_DIR)\n"
    "  --suffix S            the IDE's root key is 7.0S\n"
    "  --no-ide              no IDE at all\n"
    "  --no-ide-spawner      the IDE without its vcspawn.exe\n"
    "  --no-package-files    an empty package directory\n"
    "  --tool-name NAME      the tool's file name in the package directory\n"
    "  --registered          the package known to the IDE (VelPkg.dll registered)\n"
    "  --enabled N           Enabled = N in the package key\n"
    "  --installed VERSION   an installed copy of that version (ProductVersion, InstallPath)\n"
    "  --older-copy          the installed copy's files in its own directory\n"
    "  --wipe                only wipe\n";

}  // namespace

int main(int argc, char** argv) {
  bench::MachineSpec spec;
  std::string buildDir = bench::BuildDirectoryFromEnvironment();
  bool wipeOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    bool hasValue = i + 1 < argc;
    if (option == "--build-dir" && hasValue) buildDir = argv[++i];
    else if (option == "--suffix" && hasValue) spec.rootSuffix = argv[++i];
    else if (option == "--no-ide") spec.ide = false;
    else if (option == "--no-ide-spawner") spec.ideSpawner = false;
    else if (option == "--no-package-files") spec.packageFiles = false;
    else if (option == "--tool-name" && hasValue) spec.toolName = argv[++i];
    else if (option == "--registered") spec.packageRegistered = true;
    else if (option == "--enabled" && hasValue) spec.enabled = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 0));
    else if (option == "--installed" && hasValue) spec.installedVersion = argv[++i];
    else if (option == "--older-copy") spec.olderCopy = true;
    else if (option == "--wipe") wipeOnly = true;
    else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (!bench::RunningUnderWine() && !GetEnvironmentVariableA("REGORVIK_ALLOW_REAL_MACHINE", nullptr, 0)) {
    std::fputs("provision.exe: this is not Wine; set REGORVIK_ALLOW_REAL_MACHINE=1 to provision this machine\n",
               stderr);
    return 2;
  }
  if (buildDir.empty() && !wipeOnly) {
    std::fputs("provision.exe: name the build directory with --build-dir or REGORVIK_BUILD_DIR\n", stderr);
    return 2;
  }
  std::string error = wipeOnly ? bench::WipeMachine() : bench::ProvisionMachine(spec, buildDir);
  if (!error.empty()) {
    std::fprintf(stderr, "provision.exe: %s\n", error.c_str());
    return 1;
  }
  if (!wipeOnly)
    std::printf("provisioned; run the tool in \"%s\", e.g.\n  driver.exe --cwd \"%s\" -- \"%s%s\" /install\n",
                bench::layout::kPackageDir, bench::layout::kPackageDir, bench::layout::kPackageDir,
                spec.toolName.c_str());
  return 0;
}
