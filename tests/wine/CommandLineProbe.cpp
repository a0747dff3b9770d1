// A Windows program for the tests, started in place of the keypad's loader: writes the command line it
// was given, as UTF-8, into the file named by the environment variable KW24_PROBE_OUTPUT. The file
// appears whole: it is written under another name first.
#include <cstdio>
#include <cwchar>
#include <windows.h>

int main() {
    wchar_t output[1024];
    if (GetEnvironmentVariableW(L"KW24_PROBE_OUTPUT", output, 1024) == 0)
        return 1;
    char line[8192];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, line, sizeof line, nullptr, nullptr);
    wchar_t partial[1100];
    swprintf(partial, 1100, L"%ls.part", output);
    FILE* file = _wfopen(partial, L"wb");
    if (length <= 0 || file == nullptr)
        return 2;
    std::fwrite(line, 1, static_cast<size_t>(length - 1), file);
    if (std::fclose(file) != 0 || !MoveFileExW(partial, output, MOVEFILE_REPLACE_EXISTING))
        return 2;
    return 0;
}
