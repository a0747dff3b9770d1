#pragma once

#include "files/IniFile.h"

#include <string>
#include <vector>

// What reading a definition file would drop, change or refuse, one finding a line, each naming the
// section and, where it concerns one, the key: "[KEY3] Level_1_Codes: ...". Nothing for a file that
// reads exactly as it stands.
std::vector<std::string> CheckDefinition(const IniFile& ini);
