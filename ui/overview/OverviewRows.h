#pragma once

#include "files/KeypadCheck.h"
#include "model/KeypadClass.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct LayoutTable;

// One row of the overview: what one key and level holds, with the findings that concern it.
struct OverviewRow {
    int key = 0;   // 0 to 23
    int level = 0; // 0 or 1
    TKeyType type = ktNormal;
    std::string name;
    bool autoRepeat = false;
    int bytes = 0;
    std::string codes; // the macro's codes as the macro view shows them, in one line
    std::vector<std::string> findings;

    bool operator==(const OverviewRow&) const = default;
};

struct OverviewTotals {
    int keysUsed = 0;   // keys with a macro on either level or a shift or toggle type
    int macrosUsed = 0; // macros that are not empty
    int bytesUsed = 0;
    std::vector<std::string> definitionFindings; // the findings about no key in particular
};

struct Overview {
    std::vector<OverviewRow> rows; // key by key, level 1 before level 2
    OverviewTotals totals;
};

// The overview of a definition, made again after each of its changes. Only the rows of keys that
// changed since the last one are made anew (all of them when the way codes are shown changed), since
// a typed character changes one macro of 48. The selection of the keypad is kept.
class OverviewMaker final {
public:
    // The overview of keypad with findings, which are CheckKeypad's for it.
    const Overview& Make(TKeypadClass& keypad, const std::vector<DefinitionFinding>& findings);

private:
    // What the rows were last made from.
    struct MadeFrom {
        std::array<TKeyDataRec, KeyCount> keys;
        bool hex = false;
        const LayoutTable* layout = nullptr;
    };
    std::optional<MadeFrom> fMadeFrom;
    Overview fOverview;
};
