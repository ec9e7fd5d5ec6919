// placeholder: replaced by the Win32 entry point
int main() { return 0; }
