#include "platform/KeyboardState.h"
#include "ui/main/Application.h"
#include "ui/main/KeyEventRelay.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OnScreenKey.h"
#include "ui/main/TypedCharacters.h"

#include <QKeyEvent>
#include <QSlider>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int DelayButtonTag = 111;
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
    std::int32_t position = Grid->CursorIndex();
    const bool inserted = Keypad.InsertKey(position, Value);
    return InsertionDone(inserted, position);
}

bool TfrmMain::AddByte(int Value) {
    std::int32_t position = Grid->CursorIndex();
    const bool inserted = Keypad.InsertByte(position, Value);
    return InsertionDone(inserted, position);
}

// A latched Shift or Ctrl acts on one insertion only; a latched Caps Lock keeps every flag. A refused
// insertion changes nothing at all.
bool TfrmMain::InsertionDone(bool inserted, std::int32_t position) {
    if (!inserted) {
        ShowError(this, u"Macro Full!"_s);
        return false;
    }
    if ((Modifiers & ModifierFlag::CapsLock) == 0)
        Modifiers = 0;
    CopyDataToScreen(position);
    ChangesPending(true);
    return true;
}

// Removes a block shaped like the grid's selection, laid with its top-left corner at Index. Each
// removal closes the gap, so the next code of a row stands at the same position; the next row's codes
// then lie 8 - width positions further on.
void TfrmMain::RemoveData(int Index) {
    int width = 1;
    int height = 1;
    if (const QList<QTableWidgetSelectionRange> ranges = Grid->selectedRanges(); !ranges.isEmpty()) {
        width = ranges.front().columnCount();
        height = ranges.front().rowCount();
    }
    int position = Index;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column)
            if (position >= 0 && position < MacroSlots)
                Keypad.RemoveKey(static_cast<std::uint8_t>(position));
        position += TMacroGrid::ColumnCount - width;
    }
    CopyDataToScreen(Index); // the selection becomes the single cell at Index
    ChangesPending(true);
}

void TfrmMain::spdBtnEscClick(TOnScreenKey* Sender) {
    int value = Sender->Tag();
    if (value == DelayButtonTag)
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
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (Grid->CursorIndex() > 0)
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
    // Shift+Tab comes without its character on some systems.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        AddData(TabKeyCode);
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
