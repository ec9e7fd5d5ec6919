// A DLL that is never put on the simulated machine: a program that imports it
// cannot start there, nor be loaded other than as a data file.
extern "C" __declspec(dllexport) int AbsentFunction() { return 0; }
