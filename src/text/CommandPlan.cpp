#include "text/CommandPlan.h"

#include <cstddef>

#include "text/CommandLine.h"
#include "text/Format.h"
#include "text/Messages.h"

namespace {

// Reads the tokens of a command line from one position on.
class TokenReader {
 public:
  explicit TokenReader(const std::string& commandLine) : text_(commandLine.c_str()) {}

  bool Next(std::string& token) { return GetNextToken(text_, kDelimiters, &token, &position_); }

  // The next token with its quotes trimmed.
  bool NextTrimmed(std::string& token) {
    if (!Next(token)) return false;
    TrimQuotes(token);
    return true;
  }

 private:
  const char* text_;
  std::size_t position_ = 0;
};

// True when any token from the reader's position on matches one of the
// options. The reader is a copy: the scan consumes nothing.
bool AnyTokenIs(TokenReader reader, const char* option, const char* alternative = nullptr) {
  std::string token;
  while (reader.NextTrimmed(token)) {
    if (IsOption(token, option) || (alternative != nullptr && IsOption(token, alternative))) return true;
  }
  return false;
}

// The arguments of /RegCompiler in the order they are read.
struct CompilerArgument {
  std::string CompilerInfo::*field;
  const char* missingText;
  bool stripEnclosingQuotes;
};

const CompilerArgument kCompilerArguments[] = {
    {&CompilerInfo::Name, kMissingName, false},
    {&CompilerInfo::Executable, kMissingBin, false},
    {&CompilerInfo::Include, kMissingInclude, false},
    {&CompilerInfo::Library, kMissingLibrary, false},
    {&CompilerInfo::DefaultOptions, kMissingOptions, true},
    {&CompilerInfo::TargetPlatform, kMissingPlatform, false},
};

// The step an option asks for, reading its arguments from the reader. A
// step without an action of its own fails with its text.
Step ReadStep(const std::string& option, TokenReader& reader) {
  const struct {
    const char* name;
    Action action;
    const char* failure;
  } kPlainOptions[] = {
      {"/install", Action::Install, kFailedInstall},
      {"/uninstall", Action::Uninstall, kFailedUninstall},
      {"/enable", Action::Enable, kFailedEnable},
      {"/disable", Action::Disable, kFailedDisable},
      {"/UnregAllCompilers", Action::UnregisterAllCompilers, kFailedUnregisterAll},
  };
  Step step;
  step.option = option;
  for (const auto& plain : kPlainOptions) {
    if (!IsOption(option, plain.name)) continue;
    step.action = plain.action;
    step.failure = plain.failure;
    return step;
  }

  std::string& name = step.compiler.Name;
  if (IsOption(option, "/RegCompiler")) {
    for (const CompilerArgument& argument : kCompilerArguments) {
      std::string& value = step.compiler.*argument.field;
      if (!reader.Next(value)) {
        step.failure = argument.missingText;
        return step;
      }
      if (argument.stripEnclosingQuotes) {
        StripEnclosingQuotes(value);
      } else {
        TrimQuotes(value);
      }
    }
    reader.NextTrimmed(step.compiler.Documentation);
    step.action = Action::RegisterCompiler;
    step.failure = FormatText(kFailedRegisterCompiler, name);
  } else if (IsOption(option, "/UnregCompiler") || IsOption(option, "/SetCompiler")) {
    if (!reader.NextTrimmed(name)) {
      step.failure = kMissingName;
    } else if (IsOption(option, "/SetCompiler")) {
      step.action = Action::SetDefaultCompiler;
      step.failure = FormatText(kFailedSelectCompiler, name);
    } else {
      step.action = Action::UnregisterCompiler;
      step.failure = FormatText(kFailedUnregisterCompiler, name);
    }
  } else {
    step.failure = FormatText(kInvalidArgument, option);
  }
  return step;
}

}  // namespace

CommandPlan PlanCommandLine(const std::string& commandLine) {
  CommandPlan plan;
  // The program's own path or name comes first and is skipped.
  TokenReader reader(commandLine);
  std::string token;
  reader.Next(token);

  TokenReader lookAhead = reader;
  if (!lookAhead.Next(token)) {
    plan.showDialog = true;
    return plan;
  }
  // Both scans see every token, option arguments included.
  if (AnyTokenIs(reader, "/h", "/?")) {
    plan.showUsage = true;
    return plan;
  }
  plan.quiet = AnyTokenIs(reader, "/s");

  while (reader.NextTrimmed(token)) {
    if (IsOption(token, "/s")) continue;  // already taken into account by the quiet scan
    plan.steps.push_back(ReadStep(token, reader));
    if (plan.steps.back().action == Action::Fail) break;
  }
  return plan;
}
