#include "files/DefinitionCheck.h"

#include "files/IniFile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string repeated(const char* pair, int count) {
    std::string codes;
    for (int i = 0; i < count; ++i)
        codes += pair;
    return codes;
}

TEST(DefinitionCheck, FindsNothingInAWellFormedFile) {
    const IniFile ini = IniFile::FromText("[GLOBAL_PARAMETERS]\r\nKey_Roll_Over=6\r\nWord_Format=0\r\n"
                                          "CDC_Serial_No=9999\r\nOperating_Mode=32\r\nDOWNLOAD_DELAY=\r\n"
                                          "[KEY0]\r\nKeyType=2\r\nLevel_1_Codes=1e40013240094040\r\n"
                                          "[KEY23]\r\nKeyType=2\r\nLevel_2_Codes=" +
                                          repeated("41", 99) + "40\r\n");
    EXPECT_EQ(CheckDefinition(ini), Lines{});
}

TEST(DefinitionCheck, ListsWhatTheReaderDropsChangesOrRefuses) {
    const struct {
        std::string text;
        Lines expected;
    } cases[] = {
        {"[GLOBAL_PARAMETERS]\r\nKey_Roll_Over=0\r\nCharacter_Pacing=300\r\nLED_Function=7\r\nBaud_Rate=9\r\n"
         "Word_Format=4\r\nCommand_Prefix=x\r\nOperating_Mode=16\r\nCDC_Serial_No=10000\r\nDOWNLOAD_DELAY=-"
         "1\r\n",
         {"[GLOBAL_PARAMETERS] DOWNLOAD_DELAY: -1 is outside 0 to 200; read as -1",
          "[GLOBAL_PARAMETERS] Key_Roll_Over: 0 is outside 1 to 6; read as 1",
          "[GLOBAL_PARAMETERS] Character_Pacing: 300 is outside 0 to 200; read as 44",
          "[GLOBAL_PARAMETERS] LED_Function: 7 is outside 0 to 3; read as 7",
          "[GLOBAL_PARAMETERS] Baud_Rate: 9 is outside 0 to 8; read as 9",
          "[GLOBAL_PARAMETERS] Word_Format: 4 is outside 0, 2, 6 or 8; read as 4",
          "[GLOBAL_PARAMETERS] Command_Prefix: 'x' is not an integer; read as 64",
          "[GLOBAL_PARAMETERS] Operating_Mode: 16 is outside 0, 32 or 48; read as 16",
          "[GLOBAL_PARAMETERS] CDC_Serial_No: 10000 is outside 0 to 9999; read as 9999"}},
        {"[KEY4x]\r\n[KEY24]\r\n[KEY3]\r\n[key3]\r\n[KEY03]\r\n[AB]\r\n",
         {"[KEY4x]: '4x' is not a valid integer value; the file cannot be read",
          "[KEY24]: '24' is not a key number 0 to 23; ignored", "[key3]: repeats section [KEY3]; ignored",
          "[KEY03]: key 4 is already read from section [KEY3]; ignored",
          "[AB]: '' is not a valid integer value; the file cannot be read"}},
        // Every repetition names the first of its names, the global section's included.
        {"[Global_Parameters]\r\n[KEY3]\r\n[GLOBAL_PARAMETERS]\r\n[key3]\r\n[Key3]\r\n[KEY3 ]\r\n",
         {"[GLOBAL_PARAMETERS]: repeats section [Global_Parameters]; ignored",
          "[key3]: repeats section [KEY3]; ignored", "[Key3]: repeats section [KEY3]; ignored",
          "[KEY3]: repeats section [KEY3]; ignored"}},
        {"[KEY1]\r\nKeyType=3\r\nL1_AutoRepeat=yes\r\nLevel_1_Codes=41 4005 42 zz "
         "43\r\nLevel_2_Codes=4140\r\n",
         {"[KEY1] KeyType: 3 is outside 0 to 2; read as 3",
          "[KEY1] L1_AutoRepeat: 'yes' is not an integer; read as 0",
          "[KEY1] Level_1_Codes: unknown command 40 05 is dropped",
          "[KEY1] Level_1_Codes: malformed code text 'zz43' is dropped"}},
        {"[KEY2]\r\nLEVEL_2_CODES=" + repeated("41", 99) + "400132" + "4243\r\n",
         {"[KEY2] Level_2_Codes: 104 bytes do not fit the 100 of a macro; dropped: 42 43"}},
        {"[KEY2]\r\nLEVEL_1_CODES=" + repeated("41", 100) + "4009 1\r\n",
         {"[KEY2] Level_1_Codes: malformed code text '1' is dropped",
          "[KEY2] Level_1_Codes: 102 bytes do not fit the 100 of a macro; dropped: 40 09"}},
        {"[GLOBAL_PARAMETERS]\r\nCommand_Prefix=27\r\n[KEY0]\r\nLevel_1_Codes=1b05 4005\r\n",
         {"[KEY0] Level_1_Codes: unknown command 1b 05 is dropped"}},
        {"[KEY9]\r\nKeyType=2\r\n[KEY2]\r\nKeyType=2\r\n[KEY5]\r\nKeyType=2\r\n[KEY7]\r\nKeyType=2\r\n"
         "[KEY1]\r\nKeyType=1\r\n[KEY3]\r\nKeyType=1\r\n",
         {"[KEY5] KeyType: more than two toggle keys: key 6 does not reach the image, only keys 3 and 10 do",
          "[KEY7] KeyType: more than two toggle keys: key 8 does not reach the image, only keys 3 and 10 "
          "do"}},
        // Control characters would break the one-line-per-finding output or drive a terminal.
        {"[KEY\x1B[2J]\r\n[KEY1]\r\nKeyType=a\tb\x7F\xC2\x9B\r\n",
         {"[KEY\xEF\xBF\xBD[2J]: '\xEF\xBF\xBD[2J' is not a valid integer value; the file cannot be read",
          "[KEY1] KeyType: 'a\xEF\xBF\xBD"
          "b\xEF\xBF\xBD\xEF\xBF\xBD' is not an integer; read as 0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckDefinition(IniFile::FromText(c.text)), c.expected) << c.text;
}

} // namespace
