#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::GetOwnVersion(float&) { return false; }
bool CRegOrvikPkgApp::GetInstalledVersion(float&) { return false; }
VersionState CRegOrvikPkgApp::CompareVersions() { return VersionUnknown; }
