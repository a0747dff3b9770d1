#pragma once

#include "files/IniFile.h"

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

// What reading a definition file would drop, change or refuse, one finding a line, each naming the
// section and, where it concerns one, the key: "[KEY3] Level_1_Codes: ...". Sections are the file's
// own (KEY0 to KEY23); key numbers inside a message count from 1 as the window does; codes and bytes
// are hexadecimal. Nothing for a file that reads exactly as it stands.
std::vector<std::string> CheckDefinition(const IniFile& ini);
