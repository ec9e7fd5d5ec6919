#pragma once
// How the installed package's version relates to the program's own.

#include <string>

enum VersionState {
  NotInstalled = 0,
  OlderInstalled = 1,
  SameInstalled = 2,
  LaterInstalled = 3,
  VersionUnknown = 4,
};

// ProductVersion of the program's own version resource (first translation),
// as text.
bool GetOwnVersion(std::string& version);
// ProductVersion the package's installer recorded, as text.
bool GetInstalledVersion(std::string& version);
VersionState CompareVersions(const std::string& rootSuffix);
