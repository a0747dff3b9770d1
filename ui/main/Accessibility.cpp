// What the main window offers a screen reader and a user without a mouse: accessible names and
// descriptions of its controls, the keyboard order, arrow keys in the tool bar, the keypad and the
// on-screen keyboard, the commands' shortcut keys, context menus from the keyboard, switching levels,
// and F6 / Shift+F6 to leave the macro grid (where Tab types a Tab code) and come back to it.
#include "model/KeyTable.h"
#include "model/SelectionKeeper.h"
#include "ui/main/ArrowKeyGroup.h"
#include "ui/main/KeyEventRelay.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OnScreenKey.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The on-screen keys' legends as words, by key code; the letter keys and F1 to F11 are their legends.
QString onScreenKeyName(int tag, const QString& legend) {
    switch (tag) {
    case DelayKeyCode: return u"Insert Delay"_s;
    case 1: return u"Escape"_s;
    case 41: return u"Grave accent and tilde"_s;
    case 2: return u"1 and exclamation mark"_s;
    case 3: return u"2 and at sign"_s;
    case 4: return u"3 and number sign"_s;
    case 5: return u"4 and dollar sign"_s;
    case 6: return u"5 and percent sign"_s;
    case 7: return u"6 and caret"_s;
    case 8: return u"7 and ampersand"_s;
    case 9: return u"8 and asterisk"_s;
    case 10: return u"9 and left parenthesis"_s;
    case 11: return u"0 and right parenthesis"_s;
    case 12: return u"Minus and underscore"_s;
    case 13: return u"Equals and plus"_s;
    case 14: return u"Backspace"_s;
    case 100: return u"Delete"_s;
    case 88: return u"Keypad slash"_s;
    case 55: return u"Keypad asterisk"_s;
    case 74: return u"Keypad minus"_s;
    case 15: return u"Tab"_s;
    case 26: return u"Left bracket and left brace"_s;
    case 27: return u"Right bracket and right brace"_s;
    case 43: return u"Backslash and vertical bar"_s;
    case 71: return u"Keypad 7"_s;
    case 72: return u"Keypad 8"_s;
    case 73: return u"Keypad 9"_s;
    case 78: return u"Keypad plus"_s;
    case 58: return u"Caps Lock"_s;
    case 39: return u"Semicolon and colon"_s;
    case 40: return u"Apostrophe and quotation mark"_s;
    case 28: return u"Enter"_s;
    case 75: return u"Keypad 4"_s;
    case 76: return u"Keypad 5"_s;
    case 77: return u"Keypad 6"_s;
    case 42: return u"Left Shift"_s;
    case 51: return u"Comma and less-than sign"_s;
    case 52: return u"Period and greater-than sign"_s;
    case 53: return u"Slash and question mark"_s;
    case 54: return u"Right Shift"_s;
    case 79: return u"Keypad 1"_s;
    case 80: return u"Keypad 2"_s;
    case 81: return u"Keypad 3"_s;
    case 86: return u"Keypad Enter"_s;
    case 29: return u"Left Ctrl"_s;
    case 57: return u"Space"_s;
    case 87: return u"Right Ctrl"_s;
    case 82: return u"Keypad 0"_s;
    case 83: return u"Keypad period and Delete"_s;
    default: return QString(legend).replace(u'\n', u' ');
    }
}

QString keysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys)
        texts << key.toString(QKeySequence::NativeText);
    return texts.join(u", "_s);
}

// A command of the window's own, on these keys wherever the focus is in the window.
QAction* addShortcut(QWidget* window, const QList<QKeySequence>& keys, const std::function<void()>& command) {
    auto* action = new QAction(window);
    action->setShortcuts(keys);
    QObject::connect(action, &QAction::triggered, window, command);
    window->addAction(action);
    return action;
}

// The platform's keys for a standard command, or fallback where the platform has none.
QList<QKeySequence> platformKeys(QKeySequence::StandardKey command, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty())
        keys << fallback;
    return keys;
}

QKeySequence altKey(Qt::Key letter) {
    return QKeySequence(Qt::ALT | letter);
}

} // namespace

void TfrmMain::CreateKeyboardAccess() {
    NameControls();
    CreateCommandShortcuts();

    new TArrowKeyGroup(ToolBar1->findChildren<QAbstractButton*>(), this);

    QList<QAbstractButton*> keypadButtons;
    for (TKeypadButton* button : KeyButtons)
        keypadButtons << button;
    auto* keypadKeys = new TArrowKeyGroup(keypadButtons, this);
    keypadKeys->SetEntryButton([this] { return KeyButtonGroup->checkedButton(); });
    keypadKeys->SetMenuHandler([this](QAbstractButton* button) {
        auto* key = static_cast<TKeypadButton*>(button);
        SpeedButton1MouseDown(key);
        // Opened from the keyboard, the menu returns the focus to its key when it closes, so that a
        // cancelled menu leaves the user where they were rather than typing into the grid.
        key->setFocus(Qt::OtherFocusReason);
        OpenKeyTypeMenu(key, key->mapToGlobal(QPoint(0, key->height())));
    });

    QList<QAbstractButton*> keyboardKeys;
    QAbstractButton* delayButton = nullptr;
    for (TOnScreenKey* key : findChildren<TOnScreenKey*>(Qt::FindDirectChildrenOnly)) {
        if (key->Tag() == DelayKeyCode)
            delayButton = key;
        else
            keyboardKeys << key;
    }
    new TArrowKeyGroup(keyboardKeys, this);
    delayButton->setFocusPolicy(Qt::TabFocus);
    spdbtnInsert->setFocusPolicy(Qt::TabFocus);
    // The tab bar, whose arrow keys choose the level, takes the focus; the tab control itself does not.
    TabControlLevel->tabBar()->setFocusPolicy(Qt::TabFocus);

    new TKeyEventRelay(
        Grid,
        [this](QKeyEvent* event) {
            if (!IsContextMenuKey(event->key(), event->modifiers()))
                return false;
            const QRect cell = Grid->visualRect(Grid->currentIndex());
            GridMouseDown(Grid->viewport()->mapToGlobal(cell.bottomLeft()));
            return true;
        },
        nullptr);

    addShortcut(this, {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, [this] { SwitchLevel(0); });
    addShortcut(this, {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, [this] { SwitchLevel(1); });
    addShortcut(this, {QKeySequence(Qt::Key_F6)}, [this] { MoveFocusAroundGrid(true); });
    addShortcut(this, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}, [this] { MoveFocusAroundGrid(false); });

    QList<QWidget*> order;
    for (QAbstractButton* button : ToolBar1->findChildren<QAbstractButton*>())
        order << button;
    for (QAbstractButton* button : keypadButtons)
        order << button;
    order << TabControlLevel->tabBar() << EditName << chkboxAutoRepeat << Grid;
    for (QAbstractButton* key : keyboardKeys)
        order << key;
    order << delayButton << tbDelayValue << edManualInput << spdbtnInsert << rbDecimal << rbHexadecimal
          << chkRecordPauses;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The tool bar's commands on the platform's keys and on Alt with a letter of their captions, which stay
// as they are: the keys are told in the buttons' descriptions and in the user manual.
void TfrmMain::CreateCommandShortcuts() {
    struct Command {
        QToolButton* button;
        QList<QKeySequence> keys;
        const char16_t* purpose;
    };
    const Command commands[] = {
        {ToolBtnNew, platformKeys(QKeySequence::New, {}) << altKey(Qt::Key_N),
         u"Start a new, empty definition"},
        {ToolBtnOpen, platformKeys(QKeySequence::Open, {}) << altKey(Qt::Key_O), u"Open a definition file"},
        {ToolBtnSave, platformKeys(QKeySequence::Save, {}) << altKey(Qt::Key_S), u"Save the definition"},
        {ToolBtnSaveAs,
         platformKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))
             << altKey(Qt::Key_A),
         u"Save the definition under a new name"},
        {ToolBtnParameters, {altKey(Qt::Key_R)}, u"Edit the keypad properties"},
        {ToolButtonKeyLabels, {altKey(Qt::Key_L)}, u"Open a key label document"},
        {btnWirepick, {altKey(Qt::Key_P)}, u"Choose the keypad's port"},
        {ToolBtnDownload, {altKey(Qt::Key_D)}, u"Send the saved download image to the keypad"},
        {ToolButtonTest, {altKey(Qt::Key_T)}, u"Test the keypad"},
    };
    for (const Command& command : commands) {
        QList<QKeySequence> keys = command.keys;
        keys.removeAll(QKeySequence());
        QToolButton* button = command.button;
        // A disabled button's command does nothing, as its click would.
        addShortcut(this, keys, [button] { button->click(); });
        button->setAccessibleDescription(QString::fromUtf16(command.purpose) + u" ("_s + keysText(keys) +
                                         u')');
    }

    const QList<QKeySequence> helpKeys = {altKey(Qt::Key_H)};
    addShortcut(this, helpKeys, [this] { ToolBtnHelp->showMenu(); });
    const QList<QKeySequence> manualKeys = platformKeys(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    addShortcut(this, manualKeys, [this] { UserManualClick(); });
    ToolBtnHelp->setAccessibleDescription(u"Getting Started, User Manual and About ("_s + keysText(helpKeys) +
                                          u"); the User Manual also opens with "_s + keysText(manualKeys));
}

void TfrmMain::NameControls() {
    for (QToolButton* button : ToolBar1->findChildren<QToolButton*>())
        button->setAccessibleName(button->text().trimmed());
    ToolBar1->setAccessibleName(u"Commands"_s);

    pnlKeypad->setAccessibleName(u"Keypad"_s);
    pnlKeypad->setAccessibleDescription(
        u"24 keys in 4 columns and 6 rows. Arrow keys move between them, Space "
        "or Enter selects one, Shift+F10 or the Menu key opens its key type menu"_s);
    {
        const SelectionKeeper keepSelection(Keypad);
        for (TKeypadButton* button : KeyButtons) {
            Keypad.SetKey(static_cast<std::uint8_t>(button->Tag()));
            ShowAccessibleKeyName(button);
        }
    }
    popmenKeyType->setAccessibleName(u"Key type"_s);

    TabControlLevel->setAccessibleName(u"Level"_s);
    TabControlLevel->setAccessibleDescription(u"Ctrl+Page Down and Ctrl+Page Up switch the level"_s);
    pnlMacroHeader->setAccessibleName(u"Macro"_s);
    Gauge1->setAccessibleName(u"Bytes used"_s);
    Gauge1->setAccessibleDescription(u"Bytes this macro takes of 100"_s);
    EditName->setAccessibleName(u"Macro name"_s);
    chkboxAutoRepeat->setAccessibleName(u"This macro can auto-repeat"_s);
    Grid->setAccessibleName(u"Macro codes"_s);
    Grid->setAccessibleDescription(
        u"One code per cell, the current cell is the cursor. Typed characters go into the macro, Tab "
        "included; Backspace and Delete remove codes. F6 and Shift+F6 move out of the grid and back; "
        "Shift+F10 or the Menu key opens its menu"_s);
    popmenuClearMacro->setAccessibleName(u"Macro codes"_s);
    HelpMenu->setAccessibleName(u"Help"_s);

    for (TOnScreenKey* key : findChildren<TOnScreenKey*>(Qt::FindDirectChildrenOnly))
        key->setAccessibleName(onScreenKeyName(key->Tag(), key->Legend()));
    Panel1->setAccessibleName(Label2->text());
    tbDelayValue->setAccessibleName(u"Delay length"_s);
    GroupBox1->setAccessibleName(u"Enter data manually"_s);
    edManualInput->setAccessibleName(u"Byte value"_s);
    edManualInput->setAccessibleDescription(
        u"Decimal 0 to 255 or hexadecimal 00 to FF, as chosen below; Enter inserts it"_s);
    spdbtnInsert->setAccessibleName(u"Insert byte"_s);

    // The names of the selected key's button follow its level-1 name as it is typed.
    connect(EditName, &QLineEdit::textEdited, this,
            [this] { ShowAccessibleKeyName(KeyButtons[static_cast<std::size_t>(Keypad.Key())]); });
}

// For the key selected in Keypad: "Key 6", its type when it has one, and its level-1 name; its level-2
// name in the description.
void TfrmMain::ShowAccessibleKeyName(QToolButton* Sender) {
    QString name = u"Key %1"_s.arg(Keypad.Key() + 1);
    if (Keypad.Keytype() == ktShift)
        name += u", shift-level key"_s;
    else if (Keypad.Keytype() == ktToggle)
        name += u", toggle-level key"_s;
    QString description;
    {
        const SelectionKeeper keepSelection(Keypad);
        Keypad.SetLevel(0);
        if (const QString level1 = QString::fromStdString(Keypad.GetMacroName()); !level1.isEmpty())
            name += u", "_s + level1;
        Keypad.SetLevel(1);
        if (const QString level2 = QString::fromStdString(Keypad.GetMacroName()); !level2.isEmpty())
            description = u"Level 2: "_s + level2;
    }
    Sender->setAccessibleName(name);
    Sender->setAccessibleDescription(description);
}

void TfrmMain::ShowAccessibleMacroState() {
    lblBytesUsed->setAccessibleName(u"Bytes available for this macro: "_s + lblBytesUsed->text());
    ShowAccessibleKeyName(KeyButtons[static_cast<std::size_t>(Keypad.Key())]);
}

void TfrmMain::SwitchLevel(int level) {
    TabControlLevel->setCurrentIndex(level);
}

// Tab types a Tab code in the grid, so F6 and Shift+F6 take the focus to the next or previous control
// from there; anywhere else they bring it back to the grid.
void TfrmMain::MoveFocusAroundGrid(bool forward) {
    if (Grid->hasFocus())
        focusNextPrevChild(forward);
    else
        Grid->setFocus(Qt::ShortcutFocusReason);
}
