// driver.exe: runs one program under the automation library and prints what
// it showed, for people and for the sandbox.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Automation.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kRunFailed = 125;

const char kUsage[] =
    "usage: driver.exe [OPTION]... -- COMMAND LINE\n"
    "       driver.exe [OPTION]... --cmdfile FILE\n"
    "\n"
    "Starts COMMAND LINE exactly as written after \"-- \" (or the contents of FILE,\n"
    "without one trailing line end) and prints every window it shows, what was\n"
    "done to it and the exit code.\n"
    "\n"
    "  --cwd DIR          current directory of the program\n"
    "  --env NAME=VALUE   set a variable in its environment (repeatable)\n"
    "  --unset NAME       remove a variable from its environment (repeatable)\n"
    "  --app PATH         pass PATH as CreateProcessA's application name\n"
    "  --answer ANSWER    answer for the next window (repeatable, in order):\n"
    "                       ok cancel abort retry ignore yes no, or a button id;\n"
    "                       or steps joined by commas: press:ID|CAPTION click:ID\n"
    "                       key:enter|escape|tab|space|up|down|NUMBER char:C\n"
    "                       sys:NUMBER close wait (wait: let the program react)\n"
    "                       hold:FILE (leave the window up until FILE exists, at\n"
    "                       most a minute: time to look at it or take a picture)\n"
    "                     windows without an answer get their default button\n"
    "  --timeout SECONDS  time limit of the run (default 30)\n"
    "  --probe PATH       the icon probe DLL (default: bench_probe.dll beside driver.exe)\n"
    "\n"
    "Exit status: the program's exit code; 125 when the run failed (time limit,\n"
    "a refused or impossible answer); 2 for a usage error.\n";

struct UsageError {
  std::string message;
};

int NumberOf(const std::string& text) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0') throw UsageError{"not a number: " + text};
  return static_cast<int>(value);
}

UINT KeyOf(const std::string& name) {
  const std::pair<const char*, UINT> keys[] = {{"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},
                                               {"space", VK_SPACE},  {"up", VK_UP},         {"down", VK_DOWN},
                                               {"left", VK_LEFT},    {"right", VK_RIGHT}};
  for (const auto& [keyName, key] : keys)
    if (name == keyName) return key;
  return static_cast<UINT>(NumberOf(name));
}

struct Step {
  std::string verb;
  std::string text;  // a caption to press, or the character to type
  int number = 0;    // a control id, key or system command
};

Step ParseStep(const std::string& step) {
  std::size_t colon = step.find(':');
  Step parsed{step.substr(0, colon), colon == std::string::npos ? "" : step.substr(colon + 1)};
  const std::string& argument = parsed.text;
  if (parsed.verb == "press") {
    if (argument.empty()) throw UsageError{"press wants an id or a caption"};
    char* end = nullptr;
    long id = std::strtol(argument.c_str(), &end, 0);
    if (*end == '\0') parsed.number = static_cast<int>(id);
  } else if (parsed.verb == "click" || parsed.verb == "sys") {
    parsed.number = NumberOf(argument);
  } else if (parsed.verb == "key") {
    parsed.number = static_cast<int>(KeyOf(argument));
  } else if (parsed.verb == "char") {
    if (argument.size() != 1) throw UsageError{"char wants one character"};
  } else if (parsed.verb == "hold") {
    if (argument.empty()) throw UsageError{"hold wants a file name"};
  } else if (parsed.verb != "close" && parsed.verb != "wait") {
    throw UsageError{"unknown step: " + step};
  }
  return parsed;
}

bool Hold(bench::LiveWindow& window, const std::string& file) {
  for (int waited = 0; GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 20) {
    if (waited >= 60000) return false;
    Sleep(20);
  }
  window.Note("held until " + file + " existed");
  return true;
}

bool RunStep(bench::LiveWindow& window, const Step& step) {
  if (step.verb == "press") return step.number ? window.Press(step.number) : window.Press(step.text);
  if (step.verb == "click") return window.Click(step.number);
  if (step.verb == "key") return window.Key(static_cast<UINT>(step.number));
  if (step.verb == "char") return window.Char(step.text[0]);
  if (step.verb == "sys") return window.SysCommand(static_cast<WPARAM>(step.number));
  if (step.verb == "close") return window.Close();
  if (step.verb == "hold") return Hold(window, step.text);
  return window.Settle();
}

bench::Answer ParseAnswer(const std::string& text) {
  const std::pair<const char*, int> buttons[] = {{"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT},
                                                 {"retry", IDRETRY},   {"ignore", IDIGNORE}, {"yes", IDYES},
                                                 {"no", IDNO}};
  for (const auto& [name, id] : buttons)
    if (lstrcmpiA(text.c_str(), name) == 0) return bench::Answer::Press(id);
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos)
    return bench::Answer::Press(NumberOf(text));
  std::vector<Step> steps;
  std::stringstream stream(text);
  for (std::string step; std::getline(stream, step, ',');) steps.push_back(ParseStep(step));
  return bench::Answer::Do(text, [steps](bench::LiveWindow& window) {
    for (const Step& step : steps)
      if (!RunStep(window, step)) return false;
    return true;
  });
}

// The exact text after the first "--" token of the driver's own command line.
bool CommandAfterSeparator(std::string& commandLine) {
  const std::string raw = GetCommandLineA();
  bool quoted = false;
  std::size_t tokenStart = std::string::npos;
  for (std::size_t i = 0; i <= raw.size(); ++i) {
    char c = i < raw.size() ? raw[i] : '\0';
    bool delimiter = !quoted && (c == ' ' || c == '\t' || c == '\0');
    if (delimiter) {
      if (tokenStart != std::string::npos && raw.compare(tokenStart, i - tokenStart, "--") == 0 && i - tokenStart == 2) {
        commandLine = i < raw.size() ? raw.substr(i + 1) : "";
        return true;
      }
      tokenStart = std::string::npos;
      continue;
    }
    if (tokenStart == std::string::npos) tokenStart = i;
    if (c == '"') quoted = !quoted;
  }
  return false;
}

std::string ReadCommandFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw UsageError{"cannot read " + path};
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

bench::RunOptions ParseOptions(int argc, char** argv) {
  bench::RunOptions options;
  bool haveCommand = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--") {
      haveCommand = CommandAfterSeparator(options.commandLine);
      break;
    }
    if (option == "--help" || option == "-h") throw UsageError{};
    if (i + 1 >= argc) throw UsageError{"missing value after " + option};
    std::string value = argv[++i];
    if (option == "--cwd") {
      options.currentDirectory = value;
    } else if (option == "--env") {
      std::size_t equals = value.find('=', 1);
      if (equals == std::string::npos) throw UsageError{"--env wants NAME=VALUE"};
      options.environment.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (option == "--unset") {
      options.environment.emplace_back(value, std::nullopt);
    } else if (option == "--app") {
      options.applicationName = value;
    } else if (option == "--answer") {
      options.answers.push_back(ParseAnswer(value));
    } else if (option == "--timeout") {
      options.timeoutMs = static_cast<DWORD>(std::atof(value.c_str()) * 1000);
    } else if (option == "--probe") {
      options.probePath = value;
    } else if (option == "--cmdfile") {
      options.commandLine = ReadCommandFile(value);
      haveCommand = true;
    } else {
      throw UsageError{"unknown option " + option};
    }
  }
  if (!haveCommand) throw UsageError{"no command line given"};
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  bench::RunOptions options;
  try {
    options = ParseOptions(argc, argv);
    std::printf("command line: \"%s\"\n", bench::MakeVisible(options.commandLine).c_str());
    bench::RunResult result = bench::RunProgram(options);
    std::fputs(bench::FormatTranscript(result).c_str(), stdout);
    return result.Succeeded() ? static_cast<int>(result.exitCode) : kRunFailed;
  } catch (const UsageError& error) {
    if (!error.message.empty()) std::fprintf(stderr, "driver.exe: %s\n\n", error.message.c_str());
    std::fputs(kUsage, stderr);
    return kUsageError;
  }
}
