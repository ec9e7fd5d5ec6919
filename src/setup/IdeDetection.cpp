#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::IsIdeRunning() { return false; }
int CRegOrvikPkgApp::FindIdeWindowProc(platform::WindowHandle, std::intptr_t) { return 1; }
