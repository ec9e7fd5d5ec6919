#pragma once
// Provisioning a simulated machine in the running Wine prefix (or Windows),
// through the registry and file APIs, and a stable text dump of everything
// the tool may touch, so that two states can be diffed.

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

struct MachineSpec {
  // The IDE: its root key 7.0<rootSuffix> with InstallDir, devenv.exe and,
  // unless ideSpawner is false, its own vcspawn.exe.
  bool ide = true;
  bool ideSpawner = true;
  std::string rootSuffix;
  // The package directory with the tool (under toolName) and the package's files.
  bool packageFiles = true;
  std::string toolName = "RegOrvikPkg.exe";
  // The package known to the IDE, as registering VelPkg.dll leaves it.
  bool packageRegistered = false;
  std::optional<std::uint32_t> enabled;  // Enabled in the package key
  // An installed copy: ProductVersion and InstallPath in the unsuffixed
  // package key, as its installer leaves them, and the copy in its directory.
  std::optional<std::string> installedVersion;
  bool olderCopy = false;
};

// Removes everything a machine may hold: the IDE's 7.0* keys, the vendor's
// key, the testbed's classes and the directories. Empty on success, else why not.
std::string WipeMachine();

// WipeMachine, then builds the machine from the files in buildDir.
std::string ProvisionMachine(const MachineSpec& spec, const std::string& buildDir);

// Keys with their values (types and exact bytes) and files with sizes and
// hashes, in a stable order.
std::string SnapshotMachine();

// The build directory named by REGORVIK_BUILD_DIR, without a trailing
// backslash; empty when the variable is not set.
std::string BuildDirectoryFromEnvironment();

// True when running under Wine: provisioning wipes keys and folders that a
// real machine may need, so the tools refuse to run elsewhere unless told.
bool RunningUnderWine();

}  // namespace bench
