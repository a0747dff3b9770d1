#pragma once

#include "files/IniFile.h"

#include <string>
#include <vector>

// One finding of the checker, with the key (0 to 23) and level (0 or 1) it concerns: -1 for a finding
// about the whole definition, or about both levels of a key.
struct DefinitionFinding {
    std::string text; // as CheckDefinition gives it
    int key = -1;
    int level = -1;
};

// The findings of CheckDefinition with the key and level each concerns.
std::vector<DefinitionFinding> FindDefinitionProblems(const IniFile& ini);

// What reading a definition file would drop, change or refuse, one finding a line, each naming the
// section and, where it concerns one, the key: "[KEY3] Level_1_Codes: ...". Nothing for a file that
// reads exactly as it stands.
std::vector<std::string> CheckDefinition(const IniFile& ini);
