#pragma once
// The Wine bench as a library: bench.exe is its command line, the scenario
// runner of tests/wine calls it directly. README.md describes the formats.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct UsageError {
  std::string message;
};

// One step of an answer to a window ("click:1000"); an answer is the steps
// of one --answer, done in order.
struct Step {
  std::string verb;
  std::string text;  // a caption, a character, a file or CLASS|TITLE
  int number = 0;    // a control id, key or system command
};
using Answer = std::vector<Step>;
Answer ParseAnswer(const std::string& text);

struct RunOptions {
  std::string commandLine;  // exactly as the program receives it
  std::string application;  // CreateProcessA's application name; normally none
  std::string directory;    // empty: the bench's own
  std::vector<std::pair<std::string, std::optional<std::string>>> environment;  // set, or removed without a value
  std::vector<Answer> answers;
  std::vector<std::string> faults;
  std::vector<std::string> ideWindows;  // CLASS|TITLE of windows shown for the whole run
  double timeoutSeconds = 30;
  bool machine = false;  // snapshot before and after, print the changes and the programs run
  bool unattended = false;  // on a desktop nobody sees: no window is answered, one that shows fails the run
  std::string log;       // with --log: which lines of the tool's own log to print, "|"-separated; "*" all
  std::string windowsVersion;  // the Windows version Wine tells the run's programs (winxp, win7...); empty: its default
  std::vector<std::string> ignored;  // transcript lines holding one of these are left out
};

// Takes the run option at words[i] with its value (aliases expanded in paths),
// moving i past them; false when words[i] is no run option.
bool TakeRunOption(const std::vector<std::string>& words, std::size_t& i, RunOptions& options);

// Runs the program and appends its transcript; the program's exit code, or
// kRunFailed when the run could not be carried out as scripted.
constexpr int kRunFailed = 125;
int Run(const RunOptions& options, std::string& transcript);

// Wipes the simulated machine and builds it from machine words; empty on
// success, else why not. toolPath receives the tool's full path.
std::string Provision(const std::vector<std::string>& words, std::string* toolPath = nullptr);
std::vector<std::string> IdeRootKeys();  // the IDE's 7.0* keys below HKLM
std::vector<std::string> Snapshot();
std::vector<std::string> Changes(const std::vector<std::string>& before, const std::vector<std::string>& after);
std::vector<std::string> ProgramsRun();
// The lines of the tool's log that hold one of the patterns, each process
// named by a letter in the order it first wrote, instead of time and id.
std::vector<std::string> ToolLog(const std::string& patterns);

// A built file of the testbed, or the tool, by its file name.
std::string BuiltFile(const std::string& name);
std::string ReadAll(const std::string& path);  // empty when it cannot be read

// Words split at blanks, each with %XX replaced by the byte XX.
std::vector<std::string> SplitWords(const std::string& text);
std::string ExpandAliases(std::string text);
std::string ApplyAliases(std::string text);

// Control characters written as \n, \r, \t, \0 or \xNN.
std::string Visible(const std::string& text);
inline std::string Quoted(const std::string& text) { return "\"" + Visible(text) + "\""; }

int Time(const std::vector<std::string>& arguments);

}  // namespace bench
