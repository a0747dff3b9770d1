#pragma once

#include "files/DefinitionCheck.h"
#include "model/KeypadClass.h"

#include <vector>

// The findings for a definition being edited: those of the definition checker on the file it would be
// saved as, then what the editor lets a macro hold that the keypad will not play as shown (a data value
// equal to the command prefix, a character beyond one byte, macros on a shift or toggle key). Each
// finding names its key and level as the checker's do.
std::vector<DefinitionFinding> CheckKeypad(const TKeypadClass& keypad);
