#pragma once

#include <string>

// printf-style formatting of a text with one string argument (its one %s).
std::string FormatText(const char* pattern, const std::string& argument);
