#include "ui/overview/OverviewRows.h"

#include "model/SelectionKeeper.h"

Overview MakeOverview(TKeypadClass& keypad) {
    Overview overview;
    {
        const SelectionKeeper keeper(keypad);
        for (int key = 0; key < KeyCount; ++key) {
            keypad.SetKey(static_cast<std::uint8_t>(key));
            bool used = keypad.Keytype() != ktNormal;
            for (int level = 0; level < LevelCount; ++level) {
                keypad.SetLevel(static_cast<std::uint8_t>(level));
                OverviewRow row;
                row.key = key;
                row.level = level;
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
                if (elements > 0) {
                    used = true;
                    ++overview.totals.macrosUsed;
                }
                overview.totals.bytesUsed += row.bytes;
                overview.rows.push_back(std::move(row));
            }
            overview.totals.keysUsed += used ? 1 : 0;
        }
    }
    for (DefinitionFinding& finding : CheckKeypad(keypad)) {
        if (finding.key < 0 || finding.key >= KeyCount) {
            overview.totals.definitionFindings.push_back(WindowFindingText(finding));
            continue;
        }
        for (int level = 0; level < LevelCount; ++level)
            if (finding.level < 0 || finding.level == level)
                overview.rows[static_cast<std::size_t>(finding.key * LevelCount + level)].findings.push_back(
                    WindowFindingText(finding));
    }
    return overview;
}
