#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::UninstallTool() { return false; }
