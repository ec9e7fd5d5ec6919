#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::InstallTool() { return false; }
void CRegOrvikPkgApp::RemovePreviousVersion() {}
