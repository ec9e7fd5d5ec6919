#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::EnablePackage() { return false; }
bool CRegOrvikPkgApp::DisablePackage() { return false; }
bool CRegOrvikPkgApp::QueryPackageEnabled() { return false; }
bool CRegOrvikPkgApp::SetPackageEnabled(bool) { return false; }
bool CRegOrvikPkgApp::IsVendorSpawner(const std::string&, bool& loaded) { loaded = false; return false; }
