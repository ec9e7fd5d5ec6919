#pragma once
// "/install" and "/uninstall": the package plugged into the IDE and taken
// out again, each ending with the IDE's set-up run.

#include <string>

#include "operations/Speaker.h"

// Registers the second package DLL, enables the package and runs the IDE's
// set-up, after a look at what is installed already: over a later version it
// says so and does nothing; over an older or the same one it asks first.
bool InstallTool(const std::string& rootSuffix, const Speaker& speaker);
// Runs the installed copy's own "/uninstall" in its directory.
void RemovePreviousVersion(const std::string& rootSuffix, const Speaker& speaker);
// Disables the package when it is enabled, unregisters the second DLL, runs
// the IDE's set-up and removes the tool's key once nothing is left below it.
bool UninstallTool(const std::string& rootSuffix, const Speaker& speaker);
