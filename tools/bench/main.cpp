// bench.exe: the Wine bench as a command, for the sandbox, the screenshots
// and the benchmarks. README.md describes the formats.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Bench.h"

namespace {

const char kUsage[] =
    "usage: bench.exe provision WORDS...\n"
    "       bench.exe snapshot\n"
    "       bench.exe run [--cwd DIR] [--env NAME=VALUE] [--unset NAME] [--app PATH] [--answer ANSWER]...\n"
    "                     [--fault FAULT]... [--ide-window CLASS|TITLE] [--timeout SECONDS] [--machine]\n"
    "                     [--unattended] [--log PATTERNS] [--windows-version VERSION]\n"
    "                     [--ignore TEXT]...\n"
    "                     --cmdfile FILE\n"
    "       bench.exe time [--reps R] [--fill N] COMMANDLINE...\n"
    "tools/bench/README.md describes the words, answers, faults and what run prints.\n";

int RunCommand(const std::vector<std::string>& args) {
  bench::RunOptions options;
  bool haveCommand = false;
  for (std::size_t i = 1; i < args.size() && !haveCommand;) {
    // The command line exactly as the file holds it: Wine would rebuild one
    // given as arguments its own way.
    if (args[i] == "--cmdfile" && i + 1 < args.size()) {
      options.commandLine = bench::ReadAll(args[i + 1]);
      for (char end : {'\n', '\r'})
        if (!options.commandLine.empty() && options.commandLine.back() == end) options.commandLine.pop_back();
      haveCommand = true;
    } else if (!bench::TakeRunOption(args, i, options)) {
      throw bench::UsageError{"unknown option " + args[i]};
    }
  }
  if (!haveCommand) throw bench::UsageError{"no command line given"};
  std::string transcript;
  int status = bench::Run(options, transcript);
  std::fputs(transcript.c_str(), stdout);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "run") return RunCommand(args);
    if (command == "time") return bench::Time({args.begin() + 1, args.end()});
    if (command == "snapshot") {
      for (const std::string& line : bench::Snapshot()) std::puts(bench::ApplyAliases(line).c_str());
      return 0;
    }
    if (command != "provision") throw bench::UsageError{command.empty() || command == "--help" ? "" : "unknown command " + command};
    std::string words;
    for (std::size_t i = 1; i < args.size(); ++i) words += args[i] + " ";
    std::string error = bench::Provision(bench::SplitWords(words));
    if (!error.empty()) std::fprintf(stderr, "bench.exe provision: %s\n", error.c_str());
    return error.empty() ? 0 : 1;
  } catch (const bench::UsageError& error) {
    if (!error.message.empty()) std::fprintf(stderr, "bench.exe: %s\n\n", error.message.c_str());
    std::fputs(kUsage, stderr);
    return 2;
  }
}
