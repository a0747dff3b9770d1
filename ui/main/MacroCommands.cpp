#include "ui/main/MainWindow.h"

#include <QAction>

// The grid menu's commands that change the macro: the three LED commands and erasing the macro.
void TfrmMain::ConnectGridMenuCommands() {
    for (QAction* ledItem : {urnLEDOn1, urnLEDOn2, FlashLED1})
        connect(ledItem, &QAction::triggered, this, [this, ledItem] { mnuLedClick(ledItem); });
    connect(menuitemClearMacro, &QAction::triggered, this, &TfrmMain::menuitemClearMacroClick);
}

// The item's data is the LED command's number: 8 off, 9 on, 10 flash.
void TfrmMain::mnuLedClick(QAction* Sender) {
    AddData(CodeValue::CommandBit + Sender->data().toInt());
}

// An empty macro is left alone and not marked changed. Erasing is one step of the history.
void TfrmMain::menuitemClearMacroClick() {
    if (Keypad.NumOfElements() == 0)
        return;
    const TEditStart edit = BeginMacroEdit();
    while (Keypad.NumOfElements() > 0)
        Keypad.RemoveKey(0);
    CopyDataToScreen(0);
    FinishEdit(edit, PlaceAt(0));
}
