#include "app/RegOrvikPkgApp.h"

std::string CRegOrvikPkgApp::GetIdeInstallRoot() { return std::string(); }
bool CRegOrvikPkgApp::GetPackageInstallPath(std::string& out) { out.clear(); return false; }
bool CRegOrvikPkgApp::PackageKeyExists() { return false; }
bool CRegOrvikPkgApp::RequireIdeRootKey() { return false; }
