#pragma once
// Scenario tables: the real RegOrvikPkg.exe run under Wine on a simulated
// machine, one row a case, one table a feature. A row:
//
//   {"Name", "MACHINE WORDS", "RUN OPTIONS -- ARGUMENTS", R"(TRANSCRIPT)"},
//
// - Name: the test's name, letters and digits.
// - Machine words: the machine, as `bench.exe provision` builds it
//   (tools/bench/README.md); "" is the IDE and the package's files alone.
// - Run options: those of `bench.exe run` (--env, --unset, --answer, --fault,
//   --ide-window, --app), split at blanks, %XX standing for the byte XX
//   (%20 a blank). After "-- " come the tool's arguments exactly as written,
//   behind its quoted full path; "--exact " is followed by the whole command
//   line instead, {exe} standing for that quoted path. The tool runs in the
//   package directory.
// - Transcript: the windows with what was done to them, the exit code, the
//   machine's changes and the programs run, as `bench.exe run --machine`
//   prints them. Lines are compared without their leading and trailing
//   blanks, empty lines left out; write R"-(...)-" when a text holds )".
//   A row written with "" fails and prints the transcript of its run: check
//   it against what the tool must do before pasting it in.
//
// SCENARIOS(Table, {rows...}); declares a table; its tests are Table/Scenarios.Run/Name.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

struct Scenario {
  const char* name;
  const char* machine;
  const char* run;
  const char* transcript;
};

inline void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

class Scenarios : public ::testing::TestWithParam<Scenario> {};

#define SCENARIOS(table, ...)                                                    \
  const Scenario table##Rows[] = __VA_ARGS__;                                    \
  INSTANTIATE_TEST_SUITE_P(table, Scenarios, ::testing::ValuesIn(table##Rows), \
                           [](const ::testing::TestParamInfo<Scenario>& row) { return std::string(row.param.name); })
