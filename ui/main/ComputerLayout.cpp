#include "files/DownloadImage.h"
#include "files/FileError.h"
#include "model/KeyboardLayout.h"
#include "model/PauseRecording.h"
#include "platform/UserSettings.h"
#include "ui/Application.h"
#include "ui/ControlPlacement.h"
#include "ui/dialogs/LayoutDialog.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OnScreenKey.h"
#include "ui/main/TypedCharacters.h"

#include <QAction>
#include <QCheckBox>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

QString characterText(std::uint32_t c) {
    const char32_t character = c & ~LayoutDeadKey;
    return character == 0 ? QString() : QString::fromUcs4(&character, 1);
}

// The legend of a character key on the layout: a letter whose Shift makes its capital as that capital
// alone, other keys the Shift character over the plain one.
QString layoutLegend(const LayoutKey& key) {
    const QString plain = characterText(key.levels[0]);
    const QString shifted = characterText(key.levels[1]);
    if (plain.size() == 1 && plain.front().isLetter() && plain.toUpper() == shifted)
        return shifted;
    return shifted + u'\n' + plain;
}

} // namespace

// The layout and pause recording come from the settings file; the check box sits left of the delay
// controls, in the room between the instruction line and the delay frame.
void TfrmMain::CreateTypingSettings() {
    ComputerLayoutMenuItem = new QAction(u"Computer's Keyboard Layout..."_s, this);
    ComputerLayoutMenuItem->setObjectName(u"ComputerLayoutMenuItem"_s);
    connect(ComputerLayoutMenuItem, &QAction::triggered, this, &TfrmMain::AskComputerLayout);

    chkRecordPauses =
        Place(new QCheckBox(u"Record pauses"_s, this), u"chkRecordPauses"_s, {405, 292, 100, 20});
    chkRecordPauses->setToolTip(u"Typing in the macro stores the pauses between keystrokes as delays"_s);
    chkRecordPauses->setChecked(ReadRecordPauses(UserFolder));
    connect(chkRecordPauses, &QCheckBox::toggled, this, [this](bool on) {
        fLastKeystroke.reset();
        try {
            WriteRecordPauses(UserFolder, on);
        } catch (const FileError& error) {
            ShowError(this, QString::fromUtf8(error.what()));
        }
    });

    Keypad.SetComputerLayout(FindLayout(ReadComputerLayout(UserFolder).toStdString()));
    connect(fDocument.get(), &TDefinitionDocument::Changed, this, &TfrmMain::ShowLayoutLegends);
    ShowLayoutLegends();
}

void TfrmMain::AskComputerLayout() {
    const LayoutTable* current = Keypad.ComputerLayout();
    TLayoutDialog dialog(QString::fromUtf8(current ? current->name : UsLayout().name), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Keypad.SetComputerLayout(FindLayout(dialog.LayoutName().toStdString()));
    try {
        WriteComputerLayout(UserFolder, dialog.LayoutName());
    } catch (const FileError& error) {
        ShowError(this, QString::fromUtf8(error.what()));
    }
    ShowLayoutLegends();
    CopyDataToScreen(Grid->CursorIndex());
    emit ViewModeChanged(); // the overview shows the macros anew; nothing is marked changed
}

// The on-screen character keys show what they type on the computer's layout; US legends otherwise.
void TfrmMain::ShowLayoutLegends() {
    const LayoutTable* layout = Keypad.TypingLayout();
    for (TOnScreenKey* key : findChildren<TOnScreenKey*>(Qt::FindDirectChildrenOnly)) {
        const int tag = key->Tag();
        if (tag <= 0 || tag >= LayoutKeyCount ||
            UsLayout().keys[static_cast<std::size_t>(tag)].levels[0] == 0 || tag == 57)
            continue; // not a character key, or the space bar
        if (!fUsLegends.contains(tag))
            fUsLegends.insert(tag, key->Legend());
        const QString legend =
            layout ? layoutLegend(layout->keys[static_cast<std::size_t>(tag)]) : fUsLegends.value(tag);
        if (legend != key->Legend())
            key->SetLegend(legend);
    }
}

// Enters text typed or pasted on the computer's layout: Tab, Enter and Esc as their codes, every other
// character as the US characters of the key that makes it there. A character that cannot be stored is
// left out; refusal then says which and why (the first one). False when the macro is full.
std::vector<std::int32_t> TfrmMain::ValuesOnLayout(const LayoutTable& layout, const QString& text,
                                                   QString& refusal) const {
    std::vector<std::int32_t> values;
    for (const char32_t character : text.toUcs4()) {
        if (character < U' ' || character == 127) {
            if (character == U'\t' || character == U'\r' || character == 27)
                values.push_back(static_cast<std::int32_t>(character));
            continue;
        }
        const LayoutTyping typing = TypeOnLayout(layout, character);
        values.insert(values.end(), typing.codes.begin(), typing.codes.end());
        if (typing.result != LayoutTyping::Result::Stored && refusal.isEmpty())
            refusal = QString::fromStdString(RefusalText(layout, character, typing.result));
    }
    return values;
}

bool TfrmMain::TypeOnComputerLayout(const LayoutTable& layout, const QString& text) {
    QString refusal;
    bool room = true;
    for (const std::int32_t value : ValuesOnLayout(layout, text, refusal))
        if (!AddByte(value)) {
            room = false;
            break;
        }
    if (room && !refusal.isEmpty())
        ShowError(this, refusal);
    return room;
}

// Before a typed character, while pauses are recorded: the time since the previous keystroke as delay
// codes. False when they do not all fit ("Macro Full!" has been shown, nothing went in).
bool TfrmMain::RecordPause(quint64 timestamp) {
    if (chkRecordPauses == nullptr || !chkRecordPauses->isChecked())
        return true;
    const std::optional<quint64> previous = std::exchange(fLastKeystroke, timestamp);
    if (!previous || timestamp <= *previous)
        return true;
    const auto pause = static_cast<std::int64_t>(timestamp - *previous);
    const std::vector<std::int32_t> codes = PauseDelayCodes(pause, PacingMilliseconds(Keypad));
    // The whole pause or nothing of it.
    int bytes = 0;
    for (const std::int32_t code : codes)
        bytes += CodeValue::byteWeight(code);
    if (Keypad.CodeCount() + bytes > MacroCapacityBytes) {
        ShowMacroFull();
        return false;
    }
    for (const std::int32_t code : codes)
        AddData(code);
    return true;
}
