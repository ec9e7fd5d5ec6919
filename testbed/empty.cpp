// A program that does nothing: the tables put it where a file of other
// content belongs, such as a backup that is no spawner.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
