#include "text/Commands.h"

namespace {

constexpr char kRegisterServer[] = "regsvr32.exe";

// The system's regsvr32.exe; none when the system folder is unknown, rather
// than a name that the current directory could answer.
std::string SystemRegisterServer(const std::string& systemDir) {
  return systemDir.empty() ? std::string() : systemDir + kRegisterServer;
}

}  // namespace

Command RegisterServer(const std::string& systemDir, const char* dll) {
  return {SystemRegisterServer(systemDir), std::string(kRegisterServer) + " /c /s " + dll};
}

Command UnregisterServer(const std::string& systemDir, const char* dll) {
  return {SystemRegisterServer(systemDir), std::string(kRegisterServer) + " /c /s /u " + dll};
}

Command IdeSetup(const std::string& ideExeDir, const std::string& rootSuffix) {
  const std::string devenv = ideExeDir + "devenv.exe";
  std::string line = "\"" + devenv + "\" /setup";
  if (!rootSuffix.empty()) line += " /rootsuffix " + rootSuffix;
  return {devenv, line};
}

Command UninstallCopy(const std::string& installPath) {
  return {std::string(), installPath + kToolExe + " /uninstall", true};
}
