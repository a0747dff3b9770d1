#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files/DefinitionFile.h"

// Writes the download image of keypad to imagePath (replacing it whole, or leaving the previous image
// whole on failure), using the toggle and shift keys that WriteDefinitionFile just recorded. Then,
// when loaderIniPath names a loader INI with a "ComPort" other than -1, writes "DownloadDelay" into
// it. Throws FileError with the message for the user. The selection of keypad is kept.
void WriteDownloadImage(TKeypadClass& keypad, const std::filesystem::path& imagePath, const ToggleShiftSlots& slots,
                        const std::filesystem::path& loaderIniPath);

// Appends the image line of one byte: a quotation mark, two upper-case hex digits, a quotation mark, CRLF.
void WriteImageByte(std::string& image, int value);

// The byte of the first two hex digits of text.
int HexPairToByte(std::string_view text);
