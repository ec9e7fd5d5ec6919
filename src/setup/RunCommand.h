#pragma once
#include <cstdint>
std::uint32_t RunCommand(const char* commandLine, const char* workingDirectory, std::uint32_t timeoutMs);
