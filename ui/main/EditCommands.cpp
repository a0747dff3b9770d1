#include "ui/main/EditCommands.h"

namespace {

const TKeyDataRec& keyOf(const TKeypadClass& keypad, int key) {
    return keypad.keys[static_cast<std::size_t>(key)];
}

} // namespace

TDefinitionSnapshot TDefinitionSnapshot::OfMacro(const TKeypadClass& keypad, int key, int level) {
    TDefinitionSnapshot snapshot;
    snapshot.fMacros.push_back({key, level, keyOf(keypad, key).Macro[static_cast<std::size_t>(level)]});
    return snapshot;
}

TDefinitionSnapshot TDefinitionSnapshot::OfKeys(const TKeypadClass& keypad, std::initializer_list<int> keys) {
    TDefinitionSnapshot snapshot;
    for (const int key : keys)
        snapshot.fKeys.push_back({key, keyOf(keypad, key)});
    return snapshot;
}

TDefinitionSnapshot TDefinitionSnapshot::OfParameters(const TKeypadClass& keypad) {
    TDefinitionSnapshot snapshot;
    snapshot.fParameters = keypad.Parameters();
    return snapshot;
}

TDefinitionSnapshot TDefinitionSnapshot::Retaken(const TKeypadClass& keypad) const {
    TDefinitionSnapshot snapshot = *this;
    for (MacroPart& part : snapshot.fMacros)
        part.data = keyOf(keypad, part.key).Macro[static_cast<std::size_t>(part.level)];
    for (KeyPart& part : snapshot.fKeys)
        part.data = keyOf(keypad, part.key);
    if (snapshot.fParameters)
        snapshot.fParameters = keypad.Parameters();
    return snapshot;
}

void TDefinitionSnapshot::PutInto(TKeypadClass& keypad) const {
    for (const MacroPart& part : fMacros)
        keypad.keys[static_cast<std::size_t>(part.key)].Macro[static_cast<std::size_t>(part.level)] =
            part.data;
    for (const KeyPart& part : fKeys)
        keypad.keys[static_cast<std::size_t>(part.key)] = part.data;
    if (fParameters)
        keypad.SetParameters(*fParameters);
}

bool TDefinitionSnapshot::SameContent(const TDefinitionSnapshot& other) const {
    return fMacros == other.fMacros && fKeys == other.fKeys && fParameters == other.fParameters;
}

std::vector<int> TDefinitionSnapshot::Keys() const {
    std::vector<int> keys;
    for (const KeyPart& part : fKeys)
        keys.push_back(part.key);
    return keys;
}

TDefinitionEdit::TDefinitionEdit(TKeypadClass& keypad, TDefinitionSnapshot before, TDefinitionSnapshot after,
                                 std::optional<TEditPlace> placeBefore, std::optional<TEditPlace> placeAfter,
                                 ShowPlace show, Merge merge, int session)
    : fKeypad(keypad)
    , fBefore(std::move(before))
    , fAfter(std::move(after))
    , fPlaceBefore(placeBefore)
    , fPlaceAfter(placeAfter)
    , fShow(std::move(show))
    , fMerge(merge)
    , fSession(session) {}

void TDefinitionEdit::undo() {
    fBefore.PutInto(fKeypad);
    fShow(fPlaceBefore);
}

void TDefinitionEdit::redo() {
    if (fMade) {
        fMade = false;
        return;
    }
    fAfter.PutInto(fKeypad);
    fShow(fPlaceAfter);
}

int TDefinitionEdit::id() const {
    return fMerge == Merge::Never ? -1 : static_cast<int>(fMerge);
}

// Typing merges while it goes on at the cursor where the last character went in; a name merges with
// the earlier changes of the same name made while its field kept the focus.
bool TDefinitionEdit::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TDefinitionEdit*>(other);
    if (!fPlaceAfter || !next->fPlaceBefore)
        return false;
    if (fMerge == Merge::Typing && *next->fPlaceBefore != *fPlaceAfter)
        return false;
    if (fMerge == Merge::Name && (next->fSession != fSession || next->fPlaceBefore->key != fPlaceAfter->key ||
                                  next->fPlaceBefore->level != fPlaceAfter->level))
        return false;
    fAfter = next->fAfter;
    fPlaceAfter = next->fPlaceAfter;
    setObsolete(fAfter.SameContent(fBefore)); // a name typed and taken back again is no step
    return true;
}
