#pragma once
// The system's ANSI code page as the program's text handling sees it: the C
// runtime's multibyte functions, which follow the code page the process
// started with.

#include "text/Paths.h"

const CodePage& SystemCodePage();

// Letter case aside, by whole characters (_mbsicmp).
int CompareNoCase(const char* a, const char* b);
