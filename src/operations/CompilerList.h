#pragma once
// The compiler list below the tool's own key: one subkey per compiler with
// six text values, and DefaultCompiler beside them.

#include <string>

#include "operations/Speaker.h"
#include "text/CompilerInfo.h"
#include "win/RegKey.h"

// Writes the compiler's six values. A registered compiler whose paths
// differ is only changed when the person says Yes; unasked (quiet mode, or
// nobody to answer) it is written at once, without looking at what is
// stored.
bool RegisterCompiler(const CompilerInfo& info, const Speaker& speaker);
// Deletes the compiler's key, and the whole list with its last compiler.
bool UnregisterCompiler(const std::string& name);
// Names a registered compiler in DefaultCompiler.
bool SetDefaultCompiler(const std::string& name);
// Deletes CompilersKey with everything below it.
bool UnregisterAllCompilers();
// Deletes every subkey below the key, depth first; the key itself stays.
bool DeleteSubkeyTree(const RegKey& key);
