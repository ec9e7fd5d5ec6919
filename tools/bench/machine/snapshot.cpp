// snapshot.exe: prints the state of the simulated machine as stable text:
// every key the tool or the testbed may touch with its values (type and exact
// bytes), and every file of the IDE and the vendor with size and hash. Two
// snapshots diff cleanly, which shows what a run changed.
#include <cstdio>

#include "Machine.h"

int main() {
  std::fputs(bench::SnapshotMachine().c_str(), stdout);
  return 0;
}
