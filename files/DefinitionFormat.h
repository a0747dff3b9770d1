#pragma once

#include "files/IniFile.h"
#include "model/KeypadClass.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The section and key names of a definition file.
namespace DefinitionNames {
inline constexpr std::string_view GlobalSection = "GLOBAL_PARAMETERS";
inline constexpr std::string_view ModelNumber = "MODEL_NUMBER";
inline constexpr std::string_view DownloadDelay = "DOWNLOAD_DELAY";
inline constexpr std::string_view MacroLength = "MACRO_LENGTH";
inline constexpr std::string_view Level1Length = "LEVEL1_LENGTH";
inline constexpr std::string_view KeyRollOver = "Key_Roll_Over";
inline constexpr std::string_view CharacterPacing = "Character_Pacing";
inline constexpr std::string_view LedFunction = "LED_Function";
inline constexpr std::string_view BaudRate = "Baud_Rate";
inline constexpr std::string_view WordFormat = "Word_Format";
inline constexpr std::string_view CommandPrefix = "Command_Prefix";
inline constexpr std::string_view OperatingMode = "Operating_Mode";
inline constexpr std::string_view CdcSerialNo = "CDC_Serial_No";

inline constexpr std::string_view KeyType = "KeyType";

// The keys of one level in a key section. The code key is written in mixed case and looked up in upper
// case; the two meet because names match without regard to case.
struct LevelKeys {
    std::string_view autoRepeat;
    std::string_view codesWritten;
    std::string_view codesRead;
    std::string_view name;
};
inline constexpr std::array<LevelKeys, LevelCount> Levels{{
    {"L1_AutoRepeat", "Level_1_Codes", "LEVEL_1_CODES", "Level_1_Name"},
    {"L2_AutoRepeat", "Level_2_Codes", "LEVEL_2_CODES", "Level_2_Name"},
}};

inline constexpr std::string_view ModelName = "Keywright24";
inline constexpr int MacroLengthValue = 200;
inline constexpr int Level1LengthValue = 100;
} // namespace DefinitionNames

// The section name of a key as the writer spells it: "KEY" and the key number 0 to 23.
std::string KeySectionName(int key);

// A section of a definition file other than the global one, and what the reader makes of it.
struct KeySection {
    enum class Use {
        Read,         // read into key number
        BadNumber,    // numberText is not a decimal integer: the file cannot be read
        RepeatedName, // the same name (in any letter case) came before: readInstead is read
        RepeatedKey,  // another section of the same key number came before: readInstead is read
        OutOfRange,   // the number is not a key number 0 to 23
    };
    std::string name;
    Use use = Use::Read;
    int number = -1;        // the key number for Read and RepeatedKey
    std::string numberText; // the name from its fourth character on
    std::string readInstead;
};

// Every section of the file except the first global one, in file order.
std::vector<KeySection> PlanKeySections(const IniFile& ini);

// The message with which reading stops at a key section whose number is not a decimal integer.
std::string NotAValidIntegerMessage(std::string_view numberText);

// Reads a key section the plan marks Read into its key of keypad: key type, auto-repeat flags, macros
// and names. The key's macros must be empty. Leaves the key and level 1 selected.
void ReadKeySection(const IniFile& ini, const KeySection& section, TKeypadClass& keypad);

// Reads the global section into the parameters of keypad, with the read defaults and checks.
void ReadParameters(const IniFile& ini, TKeypadClass& keypad);
void WriteParameters(IniFile& ini, const TKeypadClass& keypad);
