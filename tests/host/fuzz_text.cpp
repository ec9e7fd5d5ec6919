// Any bytes as a command line, and as the paths the registry may hold in
// code page 932: no crash, no read past the text, and a plan whose only
// failing step is its last.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CodePages.h"
#include "text/CommandPlan.h"
#include "text/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const CommandPlan plan = PlanCommandLine(bytes.substr(0, bytes.find('\0')));
  for (std::size_t i = 0; i + 1 < plan.steps.size(); ++i) {
    if (plan.steps[i].action == Action::Fail) std::abort();
  }
  if ((plan.showDialog || plan.showUsage) && !plan.steps.empty()) std::abort();

  std::string path = TrimWhiteSpace(kCodePage932, bytes);
  if (path.size() > bytes.size()) std::abort();
  EndsWithBackslash(kCodePage932, path);
  if (TwoLevelsUp(kCodePage932, path).size() > path.size()) std::abort();
  return 0;
}
