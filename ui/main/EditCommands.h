#pragma once

#include "model/KeypadClass.h"

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <vector>

// A copy of the parts of a definition that an edit touches: whole macros, whole keys (both levels
// and the key type) or the keypad-wide parameters. A macro is at most 256 values, so copies are
// cheap and give back exactly what was there.
class TDefinitionSnapshot final {
public:
    static TDefinitionSnapshot OfMacro(const TKeypadClass& keypad, int key, int level);
    static TDefinitionSnapshot OfKeys(const TKeypadClass& keypad, std::initializer_list<int> keys);
    static TDefinitionSnapshot OfParameters(const TKeypadClass& keypad);

    // The same parts as they are in keypad now.
    TDefinitionSnapshot Retaken(const TKeypadClass& keypad) const;
    // Puts the parts back into keypad; the selection stays as it is.
    void PutInto(TKeypadClass& keypad) const;
    bool SameContent(const TDefinitionSnapshot& other) const;
    // The keys whose type this snapshot holds.
    std::vector<int> Keys() const;

private:
    struct MacroPart {
        int key;
        int level;
        TMacroData data;

        bool operator==(const MacroPart&) const = default;
    };
    struct KeyPart {
        int key;
        TKeyDataRec data;

        bool operator==(const KeyPart&) const = default;
    };
    std::vector<MacroPart> fMacros;
    std::vector<KeyPart> fKeys;
    std::optional<TKeypadParameters> fParameters;
};

// Where an edit happened: the key and level it changed and the cursor cell to show; cursor -1 is
// the cell after the macro's last code.
struct TEditPlace {
    int key = 0;
    int level = 0;
    int cursor = -1;

    bool operator==(const TEditPlace&) const = default;
};

// An edit under way: what it touches as it was, and where.
struct TEditStart {
    TDefinitionSnapshot before;
    std::optional<TEditPlace> place;
};

// One step of the editing history: the definition's touched parts before and after the edit, and
// where to show it. The edit itself has been made when the step is recorded, so the first redo (the
// one pushing it onto the stack runs) does nothing; later ones put the state after back.
class TDefinitionEdit final : public QUndoCommand {
public:
    // Steps of the same kind that follow each other may merge into one.
    enum class Merge { Never, Typing, Name };
    // Shows a place after undo or redo; no place for edits of the keypad-wide parameters.
    using ShowPlace = std::function<void(const std::optional<TEditPlace>&)>;

    TDefinitionEdit(TKeypadClass& keypad, TDefinitionSnapshot before, TDefinitionSnapshot after,
                    std::optional<TEditPlace> placeBefore, std::optional<TEditPlace> placeAfter,
                    ShowPlace show, Merge merge = Merge::Never, int session = 0);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    TKeypadClass& fKeypad;
    TDefinitionSnapshot fBefore;
    TDefinitionSnapshot fAfter;
    std::optional<TEditPlace> fPlaceBefore;
    std::optional<TEditPlace> fPlaceAfter;
    ShowPlace fShow;
    Merge fMerge;
    int fSession;
    bool fMade = true; // the edit is in the definition already
};
