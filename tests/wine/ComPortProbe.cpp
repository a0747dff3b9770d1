// A Windows program for the tests: opens the serial port named by its first argument (such as COM3)
// and writes its second argument to it. Exit 0 written, 1 not opened, 2 not written, 3 bad arguments.
#include <cstdio>
#include <cstring>
#include <windows.h>

int main(int argc, char* argv[]) {
    if (argc != 3)
        return 3;
    char name[64];
    std::snprintf(name, sizeof name, "\\\\.\\%s", argv[1]);
    HANDLE port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s: error %lu\n", name, GetLastError());
        return 1;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(argv[2]));
    DWORD written = 0;
    const bool ok = WriteFile(port, argv[2], length, &written, nullptr) && written == length;
    CloseHandle(port);
    return ok ? 0 : 2;
}
