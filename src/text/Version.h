#pragma once

#include <cstdlib>
#include <string>

// A version as the version check compares it: the leading decimal number of
// the text, in single precision, so "7.0.270" reads 7.0 and "7.10" reads 7.1.
inline float VersionFromText(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }
