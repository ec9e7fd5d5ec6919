// The scenario runner: provisions the machine of a row, runs the tool from
// the package directory under the bench, and compares the whole transcript.
#include "Scenario.h"

#include <windows.h>

#include "Bench.h"
#include "Layout.h"

namespace {

// Lines without their leading and trailing blanks, empty ones left out.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = text.find('\n', start);
    std::string line = text.substr(start, end - start);
    std::size_t first = line.find_first_not_of(" \t\r"), last = line.find_last_not_of(" \t\r");
    if (first != std::string::npos) lines.push_back(line.substr(first, last - first + 1));
  }
  return lines;
}

// Double-byte names mean code page 932: Wine takes it from LC_ALL when the
// process chain starts (scripts/wine-run-cp932.sh), not from the environment
// handed to the tool.
bool NeedsCodePage932(const Scenario& row) {
  for (const char* text : {row.machine, row.run})
    for (const char* c = text; *c; ++c)
      if (static_cast<unsigned char>(*c) >= 0x80) return true;
  return false;
}

// The options before the first "--" or "--exact" word; the command line from what follows it.
bench::RunOptions Options(const std::string& run, const std::string& tool) {
  bench::RunOptions options;
  options.directory = bench::layout::kPackageDir;
  options.machine = true;
  options.commandLine = tool;
  std::size_t at = 0;
  while (at < run.size()) {
    std::size_t end = std::min(run.find(' ', at), run.size());
    std::string word = run.substr(at, end - at), rest = run.substr(std::min(end + 1, run.size()));
    if (word == "--" && !rest.empty()) options.commandLine += " " + rest;
    if (word == "--exact") options.commandLine = rest;
    if (word == "--" || word == "--exact") break;
    at = end + 1;
  }
  for (std::size_t exe; (exe = options.commandLine.find("{exe}")) != std::string::npos;)
    options.commandLine.replace(exe, 5, tool);
  std::vector<std::string> words = bench::SplitWords(run.substr(0, std::min(at, run.size())));
  for (std::size_t i = 0; i < words.size();)
    if (!bench::TakeRunOption(words, i, options)) throw bench::UsageError{"not a run option: " + words[i]};
  return options;
}

}  // namespace

TEST_P(Scenarios, Run) {
  const Scenario& row = GetParam();
  // A skipped row would let its table pass with nothing run.
  if (NeedsCodePage932(row) && GetACP() != 932)
    FAIL() << "the row needs the ANSI code page 932, but the code page here is " << GetACP()
           << ": run it through scripts/wine-run-cp932.sh, which gives 932";
  std::string tool;
  ASSERT_EQ(bench::Provision(bench::SplitWords(row.machine), &tool), "");
  bench::RunOptions options;
  try {
    options = Options(row.run, "\"" + tool + "\"");
  } catch (const bench::UsageError& error) {
    FAIL() << error.message;
  }
  std::string transcript;
  bench::Run(options, transcript);
  // A new row starts without a transcript: check this one, then paste it.
  if (!*row.transcript) FAIL() << "the row has no transcript; the run gave:\n" << transcript;
  EXPECT_TRUE(Lines(row.transcript) == Lines(transcript))
      << "the transcript differs (- expected, + actual):\n"
      << ::testing::internal::edit_distance::CreateUnifiedDiff(Lines(row.transcript), Lines(transcript));
}
