#pragma once
// Turning the package on and off: the IDE's build spawner swapped for the
// vendor's, the package DLL registered, and the state recorded in Enabled,
// always last.

#include <string>

#include "operations/Speaker.h"

bool EnablePackage(const std::string& rootSuffix, const Speaker& speaker);
bool DisablePackage(const std::string& rootSuffix, const Speaker& speaker);
// True only when Enabled reads as the number 1. The key is opened with full
// access even for reading: without the right to write, the package counts
// as disabled.
bool QueryPackageEnabled(const std::string& rootSuffix);
bool SetPackageEnabled(const std::string& rootSuffix, bool enabled);
// Sets `loaded` to whether the file could be loaded; true when it is the
// vendor's spawner.
bool IsVendorSpawner(const std::string& path, bool& loaded);
