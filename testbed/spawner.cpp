// A build spawner: the IDE's vcspawn.exe or the vendor's ovcspawn.exe, told
// apart only by their resources (spawner.rc). Run, it records its command
// line and succeeds; the tool itself only loads it to read string 101.
#include "Testbed.h"

int main() {
  testbed::AppendRunLog(nullptr, GetCommandLineA());
  return 0;
}
