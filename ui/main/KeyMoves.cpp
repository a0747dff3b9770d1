#include "ui/main/Clipboard.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MainWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <utility>

// Whole keys: both levels' macros with their names and auto-repeat flags, and the key type. The
// key-type menu's items act on the key it was opened for, which its right-button press selected.

void TfrmMain::CopyKey() {
    QGuiApplication::clipboard()->setMimeData(Clipboard::KeyData(Keypad.SelectedKey()));
}

void TfrmMain::PasteKey() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const std::optional<TKeyDataRec> key = data != nullptr ? Clipboard::Key(*data) : std::nullopt;
    if (!key)
        return;
    const TEditStart edit = BeginKeyEdit({Keypad.Key()}, Keypad.Key());
    Keypad.keys[Keypad.Key()] = *key;
    ReplaceKeys(edit, Keypad.Key());
}

void TfrmMain::ClearKey() {
    const TEditStart edit = BeginKeyEdit({Keypad.Key()}, Keypad.Key());
    ClearKeyData(Keypad.keys[Keypad.Key()]);
    ReplaceKeys(edit, Keypad.Key());
}

// A key dragged onto another swaps the two; with Ctrl held the target becomes a copy of it. The
// target is selected afterwards, showing what arrived there.
void TfrmMain::KeyDropped(int sourceKey, int targetKey, bool copy) {
    if (sourceKey == targetKey)
        return;
    const TEditStart edit = BeginKeyEdit({sourceKey, targetKey}, targetKey);
    auto& keys = Keypad.keys;
    if (copy)
        keys[static_cast<std::size_t>(targetKey)] = keys[static_cast<std::size_t>(sourceKey)];
    else
        std::swap(keys[static_cast<std::size_t>(sourceKey)], keys[static_cast<std::size_t>(targetKey)]);
    ReplaceKeys(edit, targetKey);
}

// After keys were replaced: their pictures, the shown key's macro, and one step of the history.
void TfrmMain::ReplaceKeys(const TEditStart& edit, int shownKey) {
    RefreshKeyPictures();
    ShowKeyAndLevel(shownKey, Keypad.Level());
    CopyDataToScreen(Keypad.NumOfElements());
    FinishEdit(edit, edit.place);
}
