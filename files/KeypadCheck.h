#pragma once

#include "files/DefinitionCheck.h"
#include "model/KeypadClass.h"

#include <array>
#include <optional>
#include <vector>

// The findings for a definition being edited: those of the definition checker on the file it would be
// saved as, then what the editor lets a macro hold that the keypad will not play as shown (a data value
// equal to the command prefix, a character beyond one byte, macros on a shift or toggle key). Each
// finding names its key and level as the checker's do.
std::vector<DefinitionFinding> CheckKeypad(const TKeypadClass& keypad);

// CheckKeypad for a definition that is read again and again between changes, as the windows that show
// its findings do: the findings are kept in parts with a copy of what they were found from, and only
// the parts whose source changed are found anew. A typed character changes one key, so it costs the
// check of that key's two macros instead of the whole definition.
class KeypadFindings final {
public:
    const std::vector<DefinitionFinding>& Of(const TKeypadClass& keypad);

private:
    using Findings = std::vector<DefinitionFinding>;
    struct Checked {
        std::array<TKeyDataRec, KeyCount> keys;
        TKeypadParameters parameters;
        FileEncoding encoding = FileEncoding::Undecided;
    };
    std::optional<Checked> fChecked;
    // In the order CheckKeypad gives them.
    Findings fParameterFindings;
    std::array<Findings, KeyCount> fCodeFindings;
    Findings fSlotKeyFindings;
    std::array<Findings, KeyCount> fEditorFindings;
    Findings fAll;
};
