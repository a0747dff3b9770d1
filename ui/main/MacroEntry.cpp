#include "model/KeyTable.h"
#include "platform/KeyboardState.h"
#include "ui/Application.h"
#include "ui/main/KeyEventRelay.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OnScreenKey.h"
#include "ui/main/TypedCharacters.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSlider>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int TabKeyCode = 15;

// The modifier flag of each on-screen modifier button, by the button's tag.
int modifierFlag(int tag) {
    switch (tag) {
    case 29: return ModifierFlag::LCtrl;
    case 42: return ModifierFlag::LShift;
    case 54: return ModifierFlag::RShift;
    case 58: return ModifierFlag::CapsLock;
    case 87: return ModifierFlag::RCtrl;
    default: return 0;
    }
}

} // namespace

void TfrmMain::CreateMacroEntry() {
    CreateDelayControls();
    CreateOnScreenKeyboard();
    CreateTypingSettings();
    CreateManualEntry();
    ConnectGridMenuCommands();
    new TKeyEventRelay(
        Grid, [this](QKeyEvent* event) { return GridKeyDown(event); },
        [this](QKeyEvent* event) { return GridKeyUp(event); });
    connect(Grid, &TMacroGrid::cellDoubleClicked, this, &TfrmMain::GridDblClick);
}

int TfrmMain::GetModifiers() const {
    return Modifiers;
}

bool TfrmMain::IsPcShiftHeld() const {
    return KeyboardState::current().shiftHeld;
}

bool TfrmMain::IsPcCapsLockOn() const {
    return KeyboardState::current().capsLockOn;
}

bool TfrmMain::AddData(int Value) {
    const TEditStart edit = BeginMacroEdit();
    std::int32_t position = Grid->CursorIndex();
    const bool inserted = Keypad.InsertKey(position, Value);
    return InsertionDone(edit, inserted, position);
}

bool TfrmMain::AddByte(int Value) {
    const TEditStart edit = BeginMacroEdit();
    std::int32_t position = Grid->CursorIndex();
    const bool inserted = Keypad.InsertByte(position, Value);
    return InsertionDone(edit, inserted, position);
}

// A latched Shift or Ctrl acts on one insertion only; a latched Caps Lock keeps every flag. A refused
// insertion changes nothing at all. Characters typed one after the other become one step.
bool TfrmMain::InsertionDone(const TEditStart& edit, bool inserted, std::int32_t position) {
    if (!inserted) {
        ShowMacroFull();
        return false;
    }
    if ((Modifiers & ModifierFlag::CapsLock) == 0)
        Modifiers = 0;
    CopyDataToScreen(position);
    // A key that gives nothing still counts as a change.
    FinishEdit(edit, PlaceAt(position), TDefinitionDocument::Unchanged::Counts,
               fTyping ? TDefinitionEdit::Merge::Typing : TDefinitionEdit::Merge::Never);
    return true;
}

void TfrmMain::ShowMacroFull() {
    ShowError(this, u"Macro Full!"_s);
}

// Removes the selected block of cells, whichever way it was selected, and puts the cursor on its
// top-left cell; without a block, the one code at Index. Codes go from the last to the first, so
// each removal leaves the positions before it as they were.
void TfrmMain::RemoveData(int Index) {
    const TEditStart edit = BeginMacroEdit();
    std::vector<int> cells = {Index};
    int cursor = Index;
    if (const std::optional<QRect> block = Grid->SelectedBlock()) {
        cells = Grid->SelectedCells();
        cursor = block->top() * TMacroGrid::ColumnCount + block->left();
    }
    for (auto cell = cells.rbegin(); cell != cells.rend(); ++cell)
        if (*cell >= 0 && *cell < MacroSlots)
            Keypad.RemoveKey(static_cast<std::uint8_t>(*cell));
    CopyDataToScreen(cursor); // the selection becomes the single cursor cell
    FinishEdit(edit, PlaceAt(cursor),
               TDefinitionDocument::Unchanged::Counts); // also when nothing was removed
}

void TfrmMain::spdBtnEscClick(TOnScreenKey* Sender) {
    int value = Sender->Tag();
    if (value == DelayKeyCode)
        value = CodeValue::DelayBit + tbDelayValue->value();
    AddData(value);
    Grid->setFocus(); // typing goes on in the macro
}

// The click has already latched or released the button.
void TfrmMain::sbtnLShiftClick(TOnScreenKey* Sender) {
    const int flag = modifierFlag(Sender->Tag());
    if (Sender->isChecked())
        Modifiers |= flag;
    else
        Modifiers &= ~flag;
}

bool TfrmMain::GridKeyDown(QKeyEvent* event) {
    KeyboardState::noteKeyEvent(*event);
    if (GridEditShortcut(*event))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
        // A selected block goes whole, as with Delete; otherwise the code before the cursor.
        if (Grid->SelectedBlock())
            RemoveData(Grid->CursorIndex());
        else if (Grid->CursorIndex() > 0)
            RemoveData(Grid->CursorIndex() - 1);
        return true;
    case Qt::Key_Delete: RemoveData(Grid->CursorIndex()); return true;
    case Qt::Key_Shift: Modifiers |= ModifierFlag::LShift; return false;
    default: return GridKeyPress(event);
    }
}

// Every character typed goes into the macro at the cursor, as a click on its on-screen key would put
// it, Tab included: Tab does not move the cursor. Keys without a character are left to the grid.
bool TfrmMain::GridKeyPress(QKeyEvent* event) {
    if (IsShortcut(*event))
        return false;
    const QScopedValueRollback typing(fTyping, true);
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if ((tab || !event->text().isEmpty()) && !RecordPause(event->timestamp()))
        return true; // the pause filled the macro
    // Shift+Tab comes without its character on some systems.
    if (tab) {
        AddData(TabKeyCode);
        return true;
    }
    if (const LayoutTable* layout = Keypad.TypingLayout()) {
        TypeOnComputerLayout(*layout, event->text());
        return true;
    }
    bool entered = false;
    for (const char32_t character : event->text().toUcs4()) {
        const std::optional<int> value = TypedCharacterValue(character);
        if (!value)
            continue;
        entered = true;
        if (!AddData(*value))
            break; // one "Macro Full!" is enough
    }
    return entered;
}

bool TfrmMain::GridKeyUp(QKeyEvent* event) {
    KeyboardState::noteKeyEvent(*event);
    // Releasing Shift also clears the flags of latched on-screen buttons, which keep their look.
    if (event->key() == Qt::Key_Shift)
        Modifiers = 0;
    return false;
}

// The first click of a double click has made the cell the cursor; a double click anywhere else (on a
// cell that cannot be the cursor) removes nothing.
void TfrmMain::GridDblClick(int row, int column) {
    if (row * TMacroGrid::ColumnCount + column != Grid->CursorIndex())
        return;
    RemoveData(Grid->CursorIndex());
}
