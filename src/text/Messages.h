#pragma once
// Every text the program shows that does not come from its string table.
// Texts with %s are formatted printf-style with one string argument.

// Start-up
constexpr char kCloseIde[] = "Close the Visual Studio IDE before starting this utility";

// Command-line failures, one per failed run
constexpr char kFailedInstall[] = "Failed to install Orvik C++ Integration Tool\n";
constexpr char kFailedUninstall[] = "Failed to uninstall Orvik C++ Integration Tool\n";
constexpr char kFailedEnable[] = "Failed to register Orvik Package\n";
constexpr char kFailedDisable[] = "Failed to unregister Orvik Package\n";
constexpr char kFailedRegisterCompiler[] = "Failed to register compiler %s\n";
constexpr char kFailedUnregisterCompiler[] = "Failed to unregister compiler %s\n";
constexpr char kFailedSelectCompiler[] = "Failed to select compiler %s\n";
constexpr char kFailedUnregisterAll[] = "Failed to unregister all registered compilers\n";
constexpr char kInvalidArgument[] = "Invalid argument: %s\n";

// Missing arguments of /RegCompiler, /UnregCompiler and /SetCompiler
constexpr char kMissingName[] = "Missing Compiler Name\n";
constexpr char kMissingBin[] = "Missing Compiler's Bin path\n";
constexpr char kMissingInclude[] = "Missing Compiler's Include path\n";
constexpr char kMissingLibrary[] = "Missing Compiler's Library path\n";
constexpr char kMissingOptions[] = "Missing Default Compiler's options\n";
constexpr char kMissingPlatform[] = "Missing Compiler's Target Platform\n";

// The usage window
constexpr char kUsage[] =
    "Usage: RegOrvikPkg [option]\r\n"
    "Option may be one of the following:\r\n"
    "/Install\t- Install and register Orvik Integration Packages.\r\n"
    "/Uninstall\t- Uninstall Orvik Integration Packages.\r\n"
    "/Enable\t- Register Orvik Integration Package.\r\n"
    "/Disable\t- Unregister Orvik Integration Package.\r\n"
    "/RegCompiler <NAME> <BIN> <INC> <LIB> <DEFPARMS> <PLATFORM> [DOC] -\r\n"
    "\tRegister compiler with specified NAME, BIN, INC, LIB paths,\r\n"
    "\tdocumentation path DOC\r\n"
    "\tdefault parameters (DEFPARMS) and target PLATFORM.\r\n"
    "\tPlatforms are: WIN32.\r\n"
    "/UnregCompiler <NAME>\t- Unregister compiler with specified NAME.\r\n"
    "/SetCompiler <NAME>\t- Set default compiler.\r\n"
    "/UnregAllCompilers\t\t- Unregister all registered compilers.\r\n"
    "/? or /h\t- Shows this help.";

// Outside programs
constexpr char kErrorExecuting[] = "Error executing ";

// Package enable and disable
constexpr char kCantFindFile[] = "Can't find file: ";
constexpr char kCantCopySpawner[] = "Can't copy file ovcspawn.exe to\n";
constexpr char kCantCopyFile[] = "Can't copy file ";
constexpr char kCopyTo[] = "\nto ";

// Install
constexpr char kReinstallCaption[] = "Reinstall Orvik Integration Tool";
constexpr char kLaterVersion[] = "Later version already installed";

// Captions of the boxes shown without the application's name
constexpr char kErrorCaption[] = "Error";
constexpr char kRegisterCompilerCaption[] = "Register compiler";

// The Enable/Disable dialog
constexpr char kDialogFailedEnable[] = "Failed to register Orvik Package";
constexpr char kDialogFailedDisable[] = "Failed to unregister Orvik Package";
constexpr char kRestartNotice[] = "Changes will take effect after Visual Studio restarted";
constexpr char kCloseCaption[] = "Close";
