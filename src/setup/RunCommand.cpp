#include "setup/RunCommand.h"

std::uint32_t RunCommand(const char*, const char*, std::uint32_t) { return 0xFFFFFFFF; }
