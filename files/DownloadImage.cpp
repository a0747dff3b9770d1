#include "files/DownloadImage.h"

#include "files/CodeString.h"
#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "model/SelectionKeeper.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::string_view loaderSection = "Com Port Configuration";
constexpr int parameterBlockFollowing = 25;
constexpr int fullBlockBytes = 100; // a level block of this many macro bytes or more has no closing 0

int ledByte(TLEDBehavior behavior) {
    switch (behavior) {
    case ledLevel: return 1;
    case ledHostCtrl: return 2;
    case ledPower: return 3;
    default: return 0;
    }
}

// The serial number in binary-coded decimal, high and low byte. A negative number is sent as 0; the
// reader keeps numbers below 10000, and larger ones are sent as 9999 so that every digit stays decimal.
std::array<int, 2> serialNumberBcd(std::int32_t serialNumber) {
    const int s = std::clamp(serialNumber, 0, 9999);
    return {(s / 1000) * 16 + (s / 100) % 10, ((s % 100) / 10) * 16 + s % 10};
}

void writeParameterBlock(std::string& image, const TKeypadClass& keypad, const ToggleShiftSlots& slots) {
    const auto [serialHigh, serialLow] = serialNumberBcd(keypad.CdcSerialNo());
    const int block[] = {keypad.CmdPrefix(),
                         1,
                         parameterBlockFollowing,
                         200, // macro length
                         100, // level-1 length
                         slots.ToggleKey1,
                         slots.ToggleKey2,
                         slots.ShiftKey1,
                         slots.ShiftKey2,
                         keypad.KeyRollOver(),
                         255,
                         PacingImageByte(keypad),
                         ledByte(keypad.LEDBehavior()),
                         keypad.BaudRate(),
                         keypad.WordFormat(),
                         64,
                         0,
                         0,
                         keypad.OpMode(),
                         0,
                         0,
                         0,
                         0,
                         0,
                         0,
                         0,
                         serialHigh,
                         serialLow};
    static_assert(std::size(block) == 28);
    for (const int byte : block)
        WriteImageByte(image, byte);
}

void writeLevelBlock(std::string& image, const TKeypadClass& keypad) {
    for (const std::uint8_t byte : LevelBlockBytes(keypad))
        WriteImageByte(image, byte);
}

int levelFlag(const TKeypadClass& keypad) {
    if (keypad.NumOfElements() == 0)
        return 0;
    return keypad.CanAutoRepeat() ? 3 : 1;
}

void updateLoaderIni(const std::filesystem::path& loaderIniPath, std::int32_t downloadDelay) {
    std::error_code error;
    if (loaderIniPath.empty() || !std::filesystem::is_regular_file(loaderIniPath, error))
        return;
    IniFile ini;
    try {
        ini = IniFile::Load(loaderIniPath);
    } catch (const FileError&) {
        return; // an unreadable file reads as one without "ComPort"
    }
    if (ini.ReadInteger(loaderSection, "ComPort", -1) == -1)
        return;
    ini.WriteInteger(loaderSection, "DownloadDelay", downloadDelay);
    try {
        ini.Save(loaderIniPath);
    } catch (const FileError& error) {
        // The message stays the plain one the window shows; the reason travels beside it.
        throw FileError("Unable to write to " + PathText(loaderIniPath),
                        error.Reason().empty() ? error.what() : error.Reason());
    }
}

} // namespace

std::vector<std::uint8_t> MacroBytes(const TKeypadClass& keypad) {
    const std::string codes = keypad.MakeCodes();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(codes.size() / 2);
    for (std::size_t i = 0; i + 1 < codes.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(HexPairToByte(std::string_view(codes).substr(i, 2))));
    return bytes;
}

std::vector<std::uint8_t> LevelBlockBytes(const TKeypadClass& keypad) {
    const std::vector<std::uint8_t> macro = MacroBytes(keypad);
    const int n = static_cast<int>(macro.size());
    if (n == 0)
        return {0};
    std::vector<std::uint8_t> block;
    block.reserve(macro.size() + 2);
    // A block of 255 or more macro bytes cannot occur: a macro holds at most 100 bytes.
    block.push_back(static_cast<std::uint8_t>(n < fullBlockBytes ? n + 1 : n));
    block.insert(block.end(), macro.begin(), macro.end());
    if (n < fullBlockBytes)
        block.push_back(0);
    return block;
}

int PacingImageByte(const TKeypadClass& keypad) {
    return keypad.CharacterPacing() / 2;
}

int PacingMilliseconds(const TKeypadClass& keypad) {
    return PacingImageByte(keypad) * 2;
}

void WriteImageByte(std::string& image, int value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const unsigned byte = static_cast<unsigned>(value) & 0xFFu;
    image += '"';
    image += digits[byte >> 4];
    image += digits[byte & 0xF];
    image += "\"\r\n";
}

std::string DownloadImageText(TKeypadClass& keypad, const ToggleShiftSlots& slots) {
    std::string image;
    image.reserve(8 * (28 + KeyCount * (6 + 2 * (fullBlockBytes + 2))));
    writeParameterBlock(image, keypad, slots);
    const SelectionKeeper keeper(keypad);
    for (std::uint8_t key = 0; key < KeyCount; ++key) {
        keypad.SetKey(key);
        for (const int byte : {int{keypad.CmdPrefix()}, 2, int{key}})
            WriteImageByte(image, byte);
        keypad.SetLevel(1);
        WriteImageByte(image, levelFlag(keypad));
        keypad.SetLevel(0);
        WriteImageByte(image, levelFlag(keypad));
        WriteImageByte(image, key);
        writeLevelBlock(image, keypad);
        keypad.SetLevel(1);
        writeLevelBlock(image, keypad);
    }
    return image;
}

void WriteDownloadImage(TKeypadClass& keypad, const std::filesystem::path& imagePath,
                        const ToggleShiftSlots& slots, const std::filesystem::path& loaderIniPath) {
    WriteFileAtomically(imagePath, DownloadImageText(keypad, slots));
    updateLoaderIni(loaderIniPath, keypad.DownloadDelay());
}

std::filesystem::path ImagePathFor(const std::filesystem::path& definitionPath) {
    std::filesystem::path::string_type text = definitionPath.native();
    // Characters, not code units: a multi-byte (or surrogate-pair) character is dropped whole.
    const auto isContinuation = [](auto unit) {
        if constexpr (sizeof(unit) == 1)
            return (static_cast<unsigned char>(unit) & 0xC0) == 0x80;
        else
            return unit >= 0xDC00 && unit <= 0xDFFF;
    };
    for (int dropped = 0; dropped < 3 && !text.empty(); ++dropped) {
        while (text.size() > 1 && isContinuation(text.back()))
            text.pop_back();
        text.pop_back();
    }
    std::filesystem::path imagePath(text);
    imagePath += "hex";
    return imagePath;
}
