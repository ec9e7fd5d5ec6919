#pragma once

#include <cstdint>
#include <string>

#include "platform/Modules.h"

namespace framework {

// printf-style formatting of a text with one string argument (its one %s).
std::string FormatText(const char* pattern, const std::string& argument);

// A string of the program's own string table; empty when it is missing.
std::string LoadResourceString(platform::Modules& modules, std::uint32_t id);

}  // namespace framework
