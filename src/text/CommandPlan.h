#pragma once
// The command line turned into what it asks for: the dialog, the usage
// window, or a list of steps run from left to right. A missing argument or an
// unknown option is a failing step at its place, so that the options before
// it still run and its text is the one reported.

#include <string>
#include <vector>

#include "text/CompilerInfo.h"

enum class Action {
  Install,
  Uninstall,
  Enable,
  Disable,
  RegisterCompiler,
  UnregisterCompiler,
  SetDefaultCompiler,
  UnregisterAllCompilers,
  Fail,  // reports its failure text and ends the run
};

struct Step {
  Action action = Action::Fail;
  CompilerInfo compiler;  // its Name alone for /UnregCompiler and /SetCompiler
  std::string failure;    // shown when the step fails
  std::string option;     // as written on the command line, for the log
};

struct CommandPlan {
  bool showDialog = false;  // nothing follows the program's name
  bool showUsage = false;   // "/h" or "/?" anywhere: nothing else runs
  bool quiet = false;       // "/s" anywhere
  std::vector<Step> steps;  // ends at the first failing step
};

CommandPlan PlanCommandLine(const std::string& commandLine);
