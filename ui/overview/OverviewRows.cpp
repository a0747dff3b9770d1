#include "ui/overview/OverviewRows.h"

#include "model/SelectionKeeper.h"

namespace {

// The row of the selected key and level, without findings.
OverviewRow makeRow(const TKeypadClass& keypad) {
    OverviewRow row;
    row.key = keypad.Key();
    row.level = keypad.Level();
    row.type = keypad.Keytype();
    row.name = keypad.GetMacroName();
    row.autoRepeat = keypad.CanAutoRepeat();
    row.bytes = keypad.CodeCount();
    const int elements = keypad.NumOfElements();
    for (int index = 0; index < elements; ++index) {
        if (index > 0)
            row.codes += " \xC2\xB7 "; // a middle dot between the grid's cells
        row.codes += keypad.GetDisplayValue(index);
    }
    return row;
}

} // namespace

const Overview& OverviewMaker::Make(TKeypadClass& keypad, const std::vector<DefinitionFinding>& findings) {
    const bool sameView =
        fMadeFrom && fMadeFrom->hex == keypad.bViewInHex && fMadeFrom->layout == keypad.TypingLayout();
    std::vector<OverviewRow>& rows = fOverview.rows;
    rows.resize(static_cast<std::size_t>(KeyCount * LevelCount));
    {
        const SelectionKeeper keeper(keypad);
        for (int key = 0; key < KeyCount; ++key) {
            const auto k = static_cast<std::size_t>(key);
            if (sameView && fMadeFrom->keys[k] == keypad.keys[k])
                continue;
            keypad.SetKey(static_cast<std::uint8_t>(key));
            for (int level = 0; level < LevelCount; ++level) {
                keypad.SetLevel(static_cast<std::uint8_t>(level));
                rows[k * LevelCount + static_cast<std::size_t>(level)] = makeRow(keypad);
            }
        }
    }
    fMadeFrom = MadeFrom{keypad.keys, keypad.bViewInHex, keypad.TypingLayout()};

    OverviewTotals& totals = fOverview.totals;
    totals = {};
    for (int key = 0; key < KeyCount; ++key) {
        bool used = keypad.keys[static_cast<std::size_t>(key)].KeyType != ktNormal;
        for (int level = 0; level < LevelCount; ++level) {
            OverviewRow& row = rows[static_cast<std::size_t>(key * LevelCount + level)];
            row.findings.clear();
            used = used || row.bytes > 0;
            totals.macrosUsed += row.bytes > 0 ? 1 : 0;
            totals.bytesUsed += row.bytes;
        }
        totals.keysUsed += used ? 1 : 0;
    }
    for (const DefinitionFinding& finding : findings) {
        if (finding.key < 0 || finding.key >= KeyCount) {
            totals.definitionFindings.push_back(WindowFindingText(finding));
            continue;
        }
        for (int level = 0; level < LevelCount; ++level)
            if (finding.level < 0 || finding.level == level)
                rows[static_cast<std::size_t>(finding.key * LevelCount + level)].findings.push_back(
                    WindowFindingText(finding));
    }
    return fOverview;
}
