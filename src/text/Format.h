#pragma once

#include <string>

// A text with its one %s replaced by the argument, as printf would format
// it. The program's patterns hold no other conversion.
std::string FormatText(const char* pattern, const std::string& argument);
