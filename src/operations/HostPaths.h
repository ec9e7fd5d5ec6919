#pragma once
// Where the IDE and the package live, as the registry tells it.

#include <string>

#include "operations/Speaker.h"

// The IDE's installation directory: InstallDir two levels up, without a
// trailing backslash; empty when it cannot be read.
std::string GetIdeInstallRoot(const std::string& rootSuffix);

// The package's directory from its InstallPath, trimmed and ending in a
// backslash; false (with `out` empty) when it cannot be read.
bool GetPackageInstallPath(const std::string& rootSuffix, std::string& out);

// True when the package's key opens with full access.
bool PackageKeyExists(const std::string& rootSuffix);

// True when the IDE's root key opens for reading; otherwise says which key
// is missing, in quiet mode too.
bool RequireIdeRootKey(const std::string& rootSuffix, const Speaker& speaker);
