#pragma once
// Every registry key path, value name and IDE directory the program uses.
// No other file spells a key path.

#include <string>

// Keys, relative to HKEY_LOCAL_MACHINE
std::string IdeRootKey(const std::string& rootSuffix);
// The package's key below the IDE's root, with or without a backslash after
// the GUID; both name the same key.
std::string PackageKey(const std::string& rootSuffix, bool trailingBackslash);
// The package's key below the unsuffixed IDE root, with its trailing backslash.
std::string BasePackageKey();
std::string ToolKey();
std::string ToolKeyParent();    // the ToolKey text up to its last backslash
std::string ToolKeyLeafName();  // the ToolKey text after its last backslash
std::string CompilersKey();
std::string CompilerKey(const std::string& name);
constexpr char kCompilersName[] = "Compilers";  // CompilersKey below ToolKey

// Value names
constexpr char kInstallDir[] = "InstallDir";
constexpr char kInstallPath[] = "InstallPath";
constexpr char kEnabled[] = "Enabled";
constexpr char kProductVersion[] = "ProductVersion";
constexpr char kDefaultCompiler[] = "DefaultCompiler";
constexpr char kExecutable[] = "Executable";
constexpr char kInclude[] = "Include";
constexpr char kLibrary[] = "Library";
constexpr char kDocumentation[] = "Documentation";
constexpr char kTargetPlatform[] = "TargetPlatform";
constexpr char kDefaultOptions[] = "DefaultOptions";

// Read buffers: the longest data the program accepts for each kind of value.
constexpr unsigned kInstallDirBufferSize = 1024;
constexpr unsigned kValueBufferSize = 260;

// The IDE's directories below its installation root, each ending in a backslash.
std::string IdeExeDir(const std::string& ideInstallRoot);
std::string IdeToolsDir(const std::string& ideInstallRoot);
