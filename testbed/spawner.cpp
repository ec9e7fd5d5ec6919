// A build spawner: the IDE's vcspawn.exe or the vendor's ovcspawn.exe, told
// apart only by their resources (spawner.rc). Run, it records its command
// line and succeeds; the tool itself only loads it to read string 101.
// SPAWNER_IMPORTS_ABSENT_DLL makes one that imports absent.dll.
#include "Testbed.h"

#ifdef SPAWNER_IMPORTS_ABSENT_DLL
extern "C" __declspec(dllimport) int AbsentFunction();
#endif

int main() {
  testbed::AppendRunLog(nullptr, GetCommandLineA());
#ifdef SPAWNER_IMPORTS_ABSENT_DLL
  AbsentFunction();
#endif
  return 0;
}
