#pragma once

#include "files/IniFile.h"
#include "model/KeypadClass.h"

#include <string>
#include <vector>

// One finding of the checker, with the key (0 to 23) and level (0 or 1) it concerns: -1 for a finding
// about the whole definition, or about both levels of a key.
struct DefinitionFinding {
    std::string text; // as CheckDefinition gives it, naming the file's section and key
    int key = -1;
    int level = -1;
    std::string message; // the finding alone, without where it is; empty when only text says it
};

// A finding as the window speaks: "Key 2, Level 1: …" with keys and levels counted from 1, or the
// file's own words for a finding about the whole definition.
std::string WindowFindingText(const DefinitionFinding& finding);

// The findings of CheckDefinition with the key and level each concerns.
std::vector<DefinitionFinding> FindDefinitionProblems(const IniFile& ini);

// The parts of FindDefinitionProblems for a file the program writes, whose sections are KEY0 to KEY23
// in order and whose key types and flags are valid: the findings in its parameters, in the codes text
// of one macro, and among its toggle and shift keys. For such a file, FindDefinitionProblems gives the
// parameters', then each macro's (key by key, level 1 first), then the toggle and shift keys'.
std::vector<DefinitionFinding> FindParameterProblems(const IniFile& ini);
std::vector<DefinitionFinding> FindCodeProblems(int key, int level, const std::string& codes,
                                                std::uint8_t prefix);
std::vector<DefinitionFinding> FindSlotKeyProblems(const TKeypadClass& keypad);

// What reading a definition file would drop, change or refuse, one finding a line, each naming the
// section and, where it concerns one, the key: "[KEY3] Level_1_Codes: ...". Sections are the file's
// own (KEY0 to KEY23); key numbers inside a message count from 1 as the window does; codes and bytes
// are hexadecimal. Nothing for a file that reads exactly as it stands.
std::vector<std::string> CheckDefinition(const IniFile& ini);
