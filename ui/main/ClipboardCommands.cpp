#include "ui/Application.h"
#include "ui/main/Clipboard.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    // Shown beside the caption; the grid itself handles these keys while it has the focus.
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WidgetShortcut);
    return item;
}

const QMimeData* clipboardData() {
    return QGuiApplication::clipboard()->mimeData();
}

// Key entry's view of a character pasted as typed: no on-screen modifier latched, and Shift held
// (the PC key and its flag, as typing with Shift gives) exactly for the characters that need it.
class TPastedKeyState final : public IKeyEntryState {
public:
    bool shifted = false;
    int GetModifiers() const override { return shifted ? ModifierFlag::LShift : 0; }
    bool IsPcShiftHeld() const override { return shifted; }
    bool IsPcCapsLockOn() const override { return false; }
};

// Hands key entry another state for as long as it lives.
class TKeyEntryStateSwap final {
public:
    TKeyEntryStateSwap(TKeypadClass& keypad, const IKeyEntryState* state)
        : fKeypad(keypad)
        , fPrevious(keypad.KeyEntryState()) {
        keypad.SetKeyEntryState(state);
    }
    ~TKeyEntryStateSwap() { fKeypad.SetKeyEntryState(fPrevious); }
    TKeyEntryStateSwap(const TKeyEntryStateSwap&) = delete;
    TKeyEntryStateSwap& operator=(const TKeyEntryStateSwap&) = delete;

private:
    TKeypadClass& fKeypad;
    const IKeyEntryState* fPrevious;
};

} // namespace

// The grid menu's edit items come after its own ones, in groups behind separators. They are made
// when the menu first opens, so that starting the program does not grow.
void TfrmMain::CreateGridEditItems() {
    if (menuitemUndo != nullptr)
        return;
    popmenuClearMacro->addSeparator()->setObjectName(u"N3"_s);
    menuitemUndo = addItem(popmenuClearMacro, u"menuitemUndo"_s, u"Undo"_s, QKeySequence::Undo);
    menuitemRedo = addItem(popmenuClearMacro, u"menuitemRedo"_s, u"Redo"_s, QKeySequence::Redo);
    popmenuClearMacro->addSeparator()->setObjectName(u"N4"_s);
    menuitemCut = addItem(popmenuClearMacro, u"menuitemCut"_s, u"Cut"_s, QKeySequence::Cut);
    menuitemCopy = addItem(popmenuClearMacro, u"menuitemCopy"_s, u"Copy"_s, QKeySequence::Copy);
    menuitemPaste = addItem(popmenuClearMacro, u"menuitemPaste"_s, u"Paste"_s, QKeySequence::Paste);
    popmenuClearMacro->addSeparator()->setObjectName(u"N5"_s);
    menuitemCopyMacro = addItem(popmenuClearMacro, u"menuitemCopyMacro"_s, u"Copy Macro"_s);
    menuitemPasteMacro = addItem(popmenuClearMacro, u"menuitemPasteMacro"_s, u"Paste Macro"_s);
    connect(menuitemUndo, &QAction::triggered, this, &TfrmMain::UndoEdit);
    connect(menuitemRedo, &QAction::triggered, this, &TfrmMain::RedoEdit);
    connect(menuitemCut, &QAction::triggered, this, &TfrmMain::CutCodes);
    connect(menuitemCopy, &QAction::triggered, this, &TfrmMain::CopyCodes);
    connect(menuitemPaste, &QAction::triggered, this, &TfrmMain::PasteCodes);
    connect(menuitemCopyMacro, &QAction::triggered, this, &TfrmMain::CopyMacro);
    connect(menuitemPasteMacro, &QAction::triggered, this, &TfrmMain::PasteMacro);
}

// Items that cannot act are disabled: nothing to undo or redo, no code in the selection, nothing on
// the clipboard that could go in.
void TfrmMain::UpdateGridEditItems() {
    const QUndoStack* history = EditHistoryIfMade();
    menuitemUndo->setEnabled(history != nullptr && history->canUndo());
    menuitemRedo->setEnabled(history != nullptr && history->canRedo());
    const std::vector<int> cells = Grid->SelectedCells();
    const int length = Keypad.NumOfElements();
    const bool anyCode = std::ranges::any_of(cells, [length](int cell) { return cell < length; });
    menuitemCut->setEnabled(anyCode);
    menuitemCopy->setEnabled(anyCode);
    const QMimeData* data = clipboardData();
    menuitemPaste->setEnabled(data != nullptr && (Clipboard::Codes(*data) || !data->text().isEmpty()));
    menuitemPasteMacro->setEnabled(data != nullptr && Clipboard::Macro(*data).has_value());
}

bool TfrmMain::CopyCodes() {
    std::vector<std::int32_t> values;
    const TMacroData& macro = Keypad.SelectedMacro();
    const int length = Keypad.NumOfElements();
    for (const int cell : Grid->SelectedCells())
        if (cell < length)
            values.push_back(macro.Values[static_cast<std::size_t>(cell)]);
    if (values.empty())
        return false;
    QGuiApplication::clipboard()->setMimeData(Clipboard::CodesData(values, Keypad.CmdPrefix()));
    return true;
}

// The same cells as Delete removes.
void TfrmMain::CutCodes() {
    if (CopyCodes())
        RemoveData(Grid->CursorIndex());
}

// Our own codes go in as they are, and so does text in the code form; any other text is typed.
void TfrmMain::PasteCodes() {
    const QMimeData* data = clipboardData();
    if (data == nullptr)
        return;
    if (const std::optional<std::vector<std::int32_t>> values = Clipboard::Codes(*data)) {
        InsertPastedValues(*values);
        return;
    }
    const QString text = data->text();
    if (text.isEmpty())
        return;
    if (const std::optional<std::vector<std::int32_t>> values =
            Clipboard::ReadCodeForm(text, Keypad.CmdPrefix()))
        InsertPastedValues(*values);
    else
        InsertPastedText(text);
}

// All of values at the cursor, or "Macro Full!" and nothing when they do not all fit.
bool TfrmMain::InsertPastedValues(const std::vector<std::int32_t>& values) {
    if (values.empty())
        return false;
    const int bytes = std::accumulate(values.begin(), values.end(), 0, [](int sum, std::int32_t value) {
        return sum + CodeValue::byteWeight(value);
    });
    if (Keypad.CodeCount() + bytes > MacroCapacityBytes) {
        ShowMacroFull();
        return false;
    }
    const TEditStart edit = BeginMacroEdit();
    std::int32_t position = Grid->CursorIndex();
    Keypad.InsertBytes(position, values);
    CopyDataToScreen(position);
    FinishEdit(edit, PlaceAt(position));
    return true;
}

// Each character as if typed on its key, Shift held where it needs it. Should one not fit, the macro
// is put back as it was.
bool TfrmMain::InsertPastedText(const QString& text) {
    if (const LayoutTable* layout = Keypad.TypingLayout()) {
        QString lineEnds = text;
        lineEnds.replace(u"\r\n"_s, u"\r"_s).replace(u'\n', u'\r');
        QString refusal;
        const bool pasted = InsertPastedValues(ValuesOnLayout(*layout, lineEnds, refusal));
        if (pasted && !refusal.isEmpty())
            ShowError(this, refusal);
        return pasted;
    }
    const std::vector<Clipboard::TypedKey> keys = Clipboard::TypedKeys(text);
    if (keys.empty())
        return false;
    const TEditStart edit = BeginMacroEdit();
    std::int32_t position = Grid->CursorIndex();
    {
        TPastedKeyState state;
        const TKeyEntryStateSwap pasting(Keypad, &state);
        for (const Clipboard::TypedKey& key : keys) {
            state.shifted = key.shifted;
            if (!Keypad.InsertKey(position, key.value)) {
                edit.before.PutInto(Keypad);
                ShowMacroFull();
                return false;
            }
        }
    }
    CopyDataToScreen(position);
    FinishEdit(edit, PlaceAt(position));
    return true;
}

void TfrmMain::CopyMacro() {
    QGuiApplication::clipboard()->setMimeData(
        Clipboard::MacroData(Keypad.SelectedMacro(), Keypad.CmdPrefix()));
}

// Replaces the selected macro, its name and auto-repeat flag with the one on the clipboard.
void TfrmMain::PasteMacro() {
    const QMimeData* data = clipboardData();
    const std::optional<TMacroData> macro = data != nullptr ? Clipboard::Macro(*data) : std::nullopt;
    if (!macro)
        return;
    const TEditStart edit = BeginMacroEdit();
    Keypad.keys[Keypad.Key()].Macro[Keypad.Level()] = *macro;
    CopyDataToScreen(Keypad.NumOfElements());
    FinishEdit(edit, PlaceAt(-1));
}

// The key-type menu's key items, after its two items behind a separator, made when it first opens.
void TfrmMain::CreateKeyEditItems() {
    if (CopyKeyMenuItem != nullptr)
        return;
    popmenKeyType->addSeparator()->setObjectName(u"N6"_s);
    CopyKeyMenuItem = addItem(popmenKeyType, u"CopyKeyMenuItem"_s, u"Copy Key"_s);
    PasteKeyMenuItem = addItem(popmenKeyType, u"PasteKeyMenuItem"_s, u"Paste Key"_s);
    ClearKeyMenuItem = addItem(popmenKeyType, u"ClearKeyMenuItem"_s, u"Clear Key"_s);
    connect(CopyKeyMenuItem, &QAction::triggered, this, &TfrmMain::CopyKey);
    connect(PasteKeyMenuItem, &QAction::triggered, this, &TfrmMain::PasteKey);
    connect(ClearKeyMenuItem, &QAction::triggered, this, &TfrmMain::ClearKey);
}

void TfrmMain::UpdateKeyEditItems() {
    if (PasteKeyMenuItem == nullptr)
        return;
    const QMimeData* data = clipboardData();
    PasteKeyMenuItem->setEnabled(data != nullptr && Clipboard::Key(*data).has_value());
    ClearKeyMenuItem->setEnabled(!KeyIsClear(Keypad.SelectedKey()));
}
