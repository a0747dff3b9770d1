#include "ui/dialogs/OurVersion.h"

#include <QCoreApplication>
#include <string>
#include <vector>
#include <windows.h>

std::optional<QString> ProgramFileVersion() {
    const std::wstring program = QCoreApplication::applicationFilePath().toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        return std::nullopt;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040904E4\\FileVersion", &text, &length) ||
        text == nullptr)
        return std::nullopt;
    return QString::fromWCharArray(static_cast<const wchar_t*>(text));
}
