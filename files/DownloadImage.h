#pragma once

#include "files/DefinitionFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Writes the download image of keypad to imagePath (replacing it whole, or leaving the previous image
// whole on failure), using the toggle and shift keys that WriteDefinitionFile just recorded. Then,
// when loaderIniPath names a loader INI with a "ComPort" other than -1, writes "DownloadDelay" into
// it (an empty loaderIniPath leaves every loader INI alone). Throws FileError with the message for the
// user. The selection of keypad is kept.
void WriteDownloadImage(TKeypadClass& keypad, const std::filesystem::path& imagePath,
                        const ToggleShiftSlots& slots, const std::filesystem::path& loaderIniPath);

// The image as WriteDownloadImage writes it.
std::string DownloadImageText(TKeypadClass& keypad, const ToggleShiftSlots& slots);

// The bytes the keypad receives for the selected macro of keypad: the pairs of its code string.
std::vector<std::uint8_t> MacroBytes(const TKeypadClass& keypad);

// The selected macro's level block in the image: the count of bytes that follow, the macro bytes and,
// below 100 macro bytes, a closing 0; the single byte 0 for an empty macro.
std::vector<std::uint8_t> LevelBlockBytes(const TKeypadClass& keypad);

// The image's pacing byte: the keypad counts the time between bytes in steps of 2 ms.
int PacingImageByte(const TKeypadClass& keypad);
// The time in milliseconds the keypad leaves between bytes, as the image's pacing byte gives it.
int PacingMilliseconds(const TKeypadClass& keypad);

// Appends the image line of one byte: a quotation mark, two upper-case hex digits, a quotation mark, CRLF.
// Only bytes 0 to 255 occur; a larger value keeps its low 8 bits so that the line stays well formed.
void WriteImageByte(std::string& image, int value);

// The image path of a definition path: its last three characters replaced by "hex", whatever the
// extension is (pad.ckd gives pad.hex, pad.keys gives pad.khex). The window and the command-line tool
// both name the image by this rule.
std::filesystem::path ImagePathFor(const std::filesystem::path& definitionPath);
