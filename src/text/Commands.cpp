#include "text/Commands.h"

std::string RegisterServer(const char* dll) { return std::string("regsvr32.exe /c /s ") + dll; }

std::string UnregisterServer(const char* dll) { return std::string("regsvr32.exe /c /s /u ") + dll; }

std::string IdeSetup(const std::string& ideExeDir, const std::string& rootSuffix) {
  std::string commandLine = "\"" + ideExeDir + "devenv.exe\" /setup";
  if (!rootSuffix.empty()) commandLine += " /rootsuffix " + rootSuffix;
  return commandLine;
}

std::string UninstallCopy(const std::string& installPath) { return installPath + kToolExe + " /uninstall"; }
