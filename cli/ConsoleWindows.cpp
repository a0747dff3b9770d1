#include "cli/Console.h"
#include "files/WindowsApi.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <shellapi.h>

void PrepareConsole() {
    // Text mode would put a CR before every LF, so the output would differ from other systems'.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    // argv holds the arguments in the code page, which cannot say every name; the wide ones can.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        if (wide != nullptr)
            ::LocalFree(wide);
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const std::u8string text = std::filesystem::path(wide[i]).u8string();
        arguments.emplace_back(text.begin(), text.end());
    }
    ::LocalFree(wide);
    return arguments;
}
