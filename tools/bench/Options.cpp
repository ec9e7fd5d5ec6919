// The options of `bench.exe run`, shared with the scenario runner.
#include <algorithm>
#include <cstdlib>

#include "Bench.h"

namespace bench {

bool TakeRunOption(const std::vector<std::string>& words, std::size_t& i, RunOptions& options) {
  const std::string option = words[i];
  for (auto [flag, set] : {std::pair{"--machine", &RunOptions::machine}, {"--unattended", &RunOptions::unattended}}) {
    if (option != flag) continue;
    options.*set = true;
    ++i;
    return true;
  }
  const char* valued[] = {"--cwd", "--env", "--unset", "--app", "--answer", "--fault", "--timeout", "--ide-window", "--log", "--windows-version", "--ignore"};
  if (std::find(std::begin(valued), std::end(valued), option) == std::end(valued)) return false;
  if (i + 1 >= words.size()) throw UsageError{"missing value after " + option};
  const std::string value = words[i + 1];
  i += 2;
  std::size_t equals = value.find('=', 1);
  if (option == "--cwd") options.directory = ExpandAliases(value);
  if (option == "--app") options.application = ExpandAliases(value);
  if (option == "--env" && equals == std::string::npos) throw UsageError{"--env wants NAME=VALUE"};
  if (option == "--env") options.environment.emplace_back(value.substr(0, equals), value.substr(equals + 1));
  if (option == "--unset") options.environment.emplace_back(value, std::nullopt);
  if (option == "--answer") options.answers.push_back(ParseAnswer(value));
  if (option == "--fault") options.faults.push_back(value);
  if (option == "--timeout") options.timeoutSeconds = std::atof(value.c_str());
  if (option == "--ide-window") options.ideWindows.push_back(value);
  if (option == "--log") options.log = value;
  if (option == "--windows-version") options.windowsVersion = value;
  if (option == "--ignore") options.ignored.push_back(value);
  return true;
}

}  // namespace bench
