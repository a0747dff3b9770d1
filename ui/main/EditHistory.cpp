#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QKeyEvent>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;

// Every edit of the definition becomes one step of the document's editing history. The handlers
// change Keypad as they always did and record what the change touched, before and after; undo and
// redo put one or the other back, and the window shows where it happened.

TEditPlace TfrmMain::PlaceAt(int cursor) const {
    return {Keypad.Key(), Keypad.Level(), cursor};
}

TEditStart TfrmMain::BeginMacroEdit() const {
    return {TDefinitionSnapshot::OfMacro(Keypad, Keypad.Key(), Keypad.Level()), PlaceAt(Grid->CursorIndex())};
}

TEditStart TfrmMain::BeginKeyEdit(std::initializer_list<int> keys, int shownKey) const {
    return {TDefinitionSnapshot::OfKeys(Keypad, keys), TEditPlace{shownKey, Keypad.Level(), -1}};
}

// After undo or redo: the key and level of the change selected, its macro shown with the cursor where
// the change was, and every key's type picture as it now is.
void TfrmMain::ShowEditPlace(const std::optional<TEditPlace>& place) {
    RefreshKeyPictures();
    if (place) {
        ShowKeyAndLevel(place->key, place->level);
        CopyDataToScreen(place->cursor < 0 ? Keypad.NumOfElements() : place->cursor);
    }
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
