// The dispatcher: decides between the dialog, the usage window and a run of
// the options, and reports the first failure.

#include <cstddef>
#include <string>

#include "app/CommandLine.h"
#include "app/Messages.h"
#include "app/RegOrvikPkgApp.h"
#include "framework/Format.h"

namespace {

using cmdline::IsOption;

// Reads the tokens of a command line from one position on.
class TokenReader {
 public:
  TokenReader(const std::string& commandLine, std::size_t position)
      : text_(commandLine.c_str()), position_(position) {}

  bool Next(std::string& token) { return cmdline::GetNextToken(text_, cmdline::kDelimiters, &token, &position_); }

  // The next token with its quotes trimmed.
  bool NextTrimmed(std::string& token) {
    if (!Next(token)) return false;
    cmdline::TrimQuotes(token);
    return true;
  }

  std::size_t Position() const { return position_; }

 private:
  const char* text_;
  std::size_t position_;
};

// True when any token of the reader matches one of the options.
bool AnyTokenIs(platform::Text& text, TokenReader reader, const char* option, const char* alternative = nullptr) {
  std::string token;
  while (reader.NextTrimmed(token)) {
    if (IsOption(text, token, option) || (alternative != nullptr && IsOption(text, token, alternative))) return true;
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
    {&CompilerInfo::Name, text::kMissingName, false},
    {&CompilerInfo::Executable, text::kMissingBin, false},
    {&CompilerInfo::Include, text::kMissingInclude, false},
    {&CompilerInfo::Library, text::kMissingLibrary, false},
    {&CompilerInfo::DefaultOptions, text::kMissingOptions, true},
    {&CompilerInfo::TargetPlatform, text::kMissingPlatform, false},
};

}  // namespace

bool CRegOrvikPkgApp::ProcessCommandLine(const std::string& commandLine, bool* showDialog) {
  if (showDialog == nullptr) return false;
  platform::Text& text = Platform().text;

  // The program's own path or name comes first and is skipped.
  TokenReader main(commandLine, 0);
  std::string token;
  main.Next(token);

  TokenReader lookAhead = main;
  if (!lookAhead.Next(token)) {
    *showDialog = true;
    return true;
  }

  QuietMode = false;
  if (AnyTokenIs(text, main, "/h", "/?")) {
    RunUsageDialog();
    return true;
  }

  QuietMode = false;
  if (AnyTokenIs(text, main, "/s")) QuietMode = true;

  const auto fail = [this](const std::string& message) {
    ShowError(message);
    return false;
  };
  const auto readName = [&main](std::string& name) { return main.NextTrimmed(name); };

  while (main.NextTrimmed(token)) {
    if (IsOption(text, token, "/install")) {
      if (!InstallTool()) return fail(text::kFailedInstall);
    } else if (IsOption(text, token, "/uninstall")) {
      if (!UninstallTool()) return fail(text::kFailedUninstall);
    } else if (IsOption(text, token, "/enable")) {
      if (!EnablePackage()) return fail(text::kFailedEnable);
    } else if (IsOption(text, token, "/disable")) {
      if (!DisablePackage()) return fail(text::kFailedDisable);
    } else if (IsOption(text, token, "/RegCompiler")) {
      CompilerInfo info;
      for (const CompilerArgument& argument : kCompilerArguments) {
        std::string& value = info.*argument.field;
        if (!main.Next(value)) return fail(argument.missingText);
        if (argument.stripEnclosingQuotes) {
          cmdline::StripEnclosingQuotes(value);
        } else {
          cmdline::TrimQuotes(value);
        }
      }
      main.NextTrimmed(info.Documentation);
      if (!RegisterCompiler(info)) return fail(framework::FormatText(text::kFailedRegisterCompiler, info.Name));
    } else if (IsOption(text, token, "/UnregCompiler")) {
      std::string name;
      if (!readName(name)) return fail(text::kMissingName);
      if (!UnregisterCompiler(name)) return fail(framework::FormatText(text::kFailedUnregisterCompiler, name));
    } else if (IsOption(text, token, "/SetCompiler")) {
      std::string name;
      if (!readName(name)) return fail(text::kMissingName);
      if (!SetDefaultCompiler(name)) return fail(framework::FormatText(text::kFailedSelectCompiler, name));
    } else if (IsOption(text, token, "/UnregAllCompilers")) {
      if (!UnregisterAllCompilers()) return fail(text::kFailedUnregisterAll);
    } else if (IsOption(text, token, "/s")) {
      // Already taken into account by the quiet scan.
    } else {
      return fail(framework::FormatText(text::kInvalidArgument, token));
    }
  }
  return true;
}
