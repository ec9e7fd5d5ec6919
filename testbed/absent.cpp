// absent.dll, which no simulated machine holds; with IMPORTS_ABSENT_DLL, a
// DLL that imports it, which a plain load therefore refuses.
#ifdef IMPORTS_ABSENT_DLL
extern "C" __declspec(dllimport) int AbsentFunction();
extern "C" __declspec(dllexport) int CallAbsentFunction() { return AbsentFunction(); }
#else
extern "C" __declspec(dllexport) int AbsentFunction() { return 0; }
#endif
