#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QKeyEvent>
#include <QTabWidget>
#include <QUndoStack>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int UndoLimit = 1000;
} // namespace

// Every edit of the definition becomes one step of the editing history. The handlers change Keypad
// as they always did and record what the change touched, before and after; undo and redo put one or
// the other back and show where it happened. The unsaved-changes mark follows the history: back at
// the state last saved or opened, there is nothing unsaved.

QUndoStack* TfrmMain::EditHistory() {
    if (fEditHistory == nullptr) {
        fEditHistory = new QUndoStack(this);
        fEditHistory->setObjectName(u"EditHistory"_s);
        // A step keeps two copies of what it touched (about 2 kB for a macro): the oldest steps go first
        // beyond this many, so that a long session's history stays small.
        fEditHistory->setUndoLimit(UndoLimit);
        connect(fEditHistory, &QUndoStack::cleanChanged, this, &TfrmMain::ShowCleanState);
    }
    return fEditHistory;
}

TEditPlace TfrmMain::PlaceAt(int cursor) const {
    return {Keypad.Key(), Keypad.Level(), cursor};
}

TEditStart TfrmMain::BeginMacroEdit() const {
    return {TDefinitionSnapshot::OfMacro(Keypad, Keypad.Key(), Keypad.Level()), PlaceAt(Grid->CursorIndex())};
}

TEditStart TfrmMain::BeginKeyEdit(std::initializer_list<int> keys, int shownKey) const {
    return {TDefinitionSnapshot::OfKeys(Keypad, keys), TEditPlace{shownKey, Keypad.Level(), -1}};
}

bool TfrmMain::FinishEdit(const TEditStart& start, std::optional<TEditPlace> placeAfter,
                          TDefinitionEdit::Merge merge, int session) {
    TDefinitionSnapshot after = start.before.Retaken(Keypad);
    if (after.SameContent(start.before))
        return false;
    EditHistory()->push(new TDefinitionEdit(
        Keypad, start.before, std::move(after), start.place, placeAfter,
        [this](const std::optional<TEditPlace>& place) { ShowEditPlace(place); }, merge, session));
    // A change that merged back into the saved state (a name typed and taken back) leaves none pending.
    ShowUnsavedState(!fEditHistory->isClean());
    return true;
}

// After undo or redo: the key and level of the change selected, its macro shown with the cursor where
// the change was, and every key's type picture as it now is.
void TfrmMain::ShowEditPlace(const std::optional<TEditPlace>& place) {
    RefreshKeyPictures();
    if (place) {
        ShowKeyAndLevel(place->key, place->level);
        CopyDataToScreen(place->cursor < 0 ? Keypad.NumOfElements() : place->cursor);
    }
    emit DefinitionChanged(); // also where the unsaved mark stays as it was
}

void TfrmMain::ShowKeyAndLevel(int key, int level) {
    Keypad.SetKey(static_cast<std::uint8_t>(key));
    Keypad.SetLevel(static_cast<std::uint8_t>(level));
    KeyButtons[static_cast<std::size_t>(Keypad.Key())]->setChecked(true);
    {
        const QSignalBlocker noLevelChange(TabControlLevel);
        TabControlLevel->setCurrentIndex(Keypad.Level());
    }
    ColourKeypadPanel();
}

void TfrmMain::RefreshKeyPictures() {
    const std::uint8_t selected = Keypad.Key();
    for (TKeypadButton* button : KeyButtons) {
        Keypad.SetKey(static_cast<std::uint8_t>(button->Tag()));
        CopyKeyParametersToScreen(button);
    }
    Keypad.SetKey(selected);
}

// Back at the state last saved or opened the title loses its "*" and Save is disabled again.
void TfrmMain::ShowCleanState(bool clean) {
    ShowUnsavedState(!clean);
    if (clean && windowTitle().endsWith(u'*'))
        setWindowTitle(windowTitle().chopped(1));
}

// A new or loaded definition starts with an empty history, which is its saved state.
void TfrmMain::StartNewHistory() {
    if (fEditHistory != nullptr)
        fEditHistory->clear();
}

void TfrmMain::UndoEdit() {
    if (fEditHistory != nullptr && fEditHistory->canUndo())
        fEditHistory->undo();
}

void TfrmMain::RedoEdit() {
    if (fEditHistory != nullptr && fEditHistory->canRedo())
        fEditHistory->redo();
}

// The edit shortcuts while the grid has the focus. The name field and the manual entry box keep
// their own text shortcuts, since only the grid's keys come here.
bool TfrmMain::GridEditShortcut(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
    const auto is = [&event, held](Qt::KeyboardModifiers modifiers, Qt::Key key) {
        return held == modifiers && event.key() == key;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    if (is(ctrl, Qt::Key_Z))
        UndoEdit();
    else if (is(ctrlShift, Qt::Key_Z) || is(ctrl, Qt::Key_Y))
        RedoEdit();
    else if (is(ctrl, Qt::Key_X))
        CutCodes();
    else if (is(ctrl, Qt::Key_C))
        CopyCodes();
    else if (is(ctrl, Qt::Key_V))
        PasteCodes();
    else if (is(ctrl, Qt::Key_A))
        Grid->selectAll();
    else
        return false;
    return true;
}
