#pragma once

#include "files/KeypadCheck.h"
#include "model/KeypadClass.h"

#include <string>
#include <vector>

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

// The overview of keypad with the findings of CheckKeypad. The selection of keypad is kept.
Overview MakeOverview(TKeypadClass& keypad);
