#include "app/RegOrvikPkgApp.h"

bool CRegOrvikPkgApp::RegisterCompiler(const CompilerInfo&) { return false; }
bool CRegOrvikPkgApp::UnregisterCompiler(const std::string&) { return false; }
bool CRegOrvikPkgApp::SetDefaultCompiler(const std::string&) { return false; }
bool CRegOrvikPkgApp::UnregisterAllCompilers(platform::KeyHandle) { return false; }
bool CRegOrvikPkgApp::DeleteSubkeyTree(platform::KeyHandle) { return false; }
