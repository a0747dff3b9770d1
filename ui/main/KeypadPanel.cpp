#include "resources/Pictures.h"
#include "ui/ControlPlacement.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QMenu>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int KeySize = 25;
constexpr std::array<int, 4> ColumnLefts = {8, 38, 68, 98};
constexpr std::array<int, 6> RowTops = {8, 40, 70, 100, 130, 160};

// The key buttons' names, by key number.
const std::array<QString, KeyCount> KeyButtonNames = {
    u"SpeedButton21"_s,  u"SpeedButton22"_s,  u"SpeedButton23"_s,  u"SpeedButton24"_s,  u"SpeedButton107"_s,
    u"SpeedButton108"_s, u"SpeedButton113"_s, u"SpeedButton114"_s, u"SpeedButton118"_s, u"SpeedButton119"_s,
    u"SpeedButton121"_s, u"SpeedButton123"_s, u"SpeedButton124"_s, u"SpeedButton125"_s, u"SpeedButton126"_s,
    u"SpeedButton127"_s, u"SpeedButton128"_s, u"SpeedButton130"_s, u"SpeedButton131"_s, u"SpeedButton135"_s,
    u"SpeedButton137"_s, u"SpeedButton138"_s, u"SpeedButton139"_s, u"SpeedButton140"_s};

const QColor Level1PanelColour(166, 202, 240);
const QColor Level2PanelColour(128, 128, 128);

} // namespace

void TfrmMain::CreateKeypadPanel() {
    pnlKeypad = Place(new QFrame(this), u"pnlKeypad"_s, {18, 60, 130, 192});
    pnlKeypad->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlKeypad->setAutoFillBackground(true);
    const QString hint = u"Right-click to set Level control"_s;
    pnlKeypad->setToolTip(hint);

    KeyButtonGroup = new QButtonGroup(this);
    KeyButtonGroup->setExclusive(true);
    for (int tag = 0; tag < KeyCount; ++tag) {
        auto* button = Place(new TKeypadButton(tag, pnlKeypad), KeyButtonNames[static_cast<std::size_t>(tag)],
                             {ColumnLefts[static_cast<std::size_t>(tag % 4)],
                              RowTops[static_cast<std::size_t>(tag / 4)], KeySize, KeySize});
        button->setIconSize(QSize(16, 16));
        button->setToolTip(hint);
        KeyButtonGroup->addButton(button, tag);
        KeyButtons[static_cast<std::size_t>(tag)] = button;
        connect(button, &TKeypadButton::clicked, this, [this, button] { SpeedButton1Click(button); });
        connect(button, &TKeypadButton::rightButtonPressed, this,
                [this, button] { SpeedButton1MouseDown(button); });
        connect(button, &TKeypadButton::rightButtonReleased, this,
                [this, button](const QPoint& globalPosition) { OpenKeyTypeMenu(button, globalPosition); });
        connect(button, &TKeypadButton::droppedOn, this,
                [this, button](int target, bool copy) { KeyDropped(button->Tag(), target, copy); });
    }
    KeyButtons[0]->setChecked(true);
    ColourKeypadPanel();
    CreateKeyTypeMenu();
}

void TfrmMain::CreateKeyTypeMenu() {
    popmenKeyType = new QMenu(this);
    popmenKeyType->setObjectName(u"popmenKeyType"_s);
    ShiftKeyMenuItem =
        popmenKeyType->addAction(Pictures::LevelImage(ktShift),
                                 u"Shift Level -- will cause the keypad to switch levels while held down."_s);
    ShiftKeyMenuItem->setObjectName(u"ShiftKeyMenuItem"_s);
    ToggleKeyMenuItem = popmenKeyType->addAction(
        Pictures::LevelImage(ktToggle),
        u"Toggle Level -- will cause the keypad to switch levels after key is released."_s);
    ToggleKeyMenuItem->setObjectName(u"ToggleKeyMenuItem"_s);
    for (QAction* item : {ShiftKeyMenuItem, ToggleKeyMenuItem}) {
        item->setCheckable(true);
        item->setIconVisibleInMenu(true);
        connect(item, &QAction::triggered, this, [this, item] { KeyTypeMenuItemClick(item); });
    }
    connect(popmenKeyType, &QMenu::aboutToShow, this, &TfrmMain::popmenKeyTypePopup);
}

void TfrmMain::CreateLevelTabs() {
    TabControlLevel = Place(new QTabWidget(this), u"TabControlLevel"_s, {161, 50, 462, 217});
    TabControlLevel->setFocusPolicy(Qt::NoFocus);
    // Both tabs show the same controls, which lie on the tab control itself above its empty pages.
    TabControlLevel->addTab(new QWidget(TabControlLevel), u"Level 1"_s);
    TabControlLevel->addTab(new QWidget(TabControlLevel), u"Level 2"_s);
    TabControlLevel->setCurrentIndex(0);
    connect(TabControlLevel, &QTabWidget::currentChanged, this, &TfrmMain::TabControlLevelChange);

    CreateMacroHeader();
    CreateGrid();
    CreatePortPanel();
}

void TfrmMain::CopyKeyParametersToScreen(QToolButton* Sender) {
    Sender->setIcon(QIcon());
    if (Keypad.Keytype() != ktNormal)
        Sender->setIcon(Pictures::LevelImage(Keypad.Keytype()));
    ShowAccessibleKeyName(Sender);
}

void TfrmMain::SpeedButton1Click(TKeypadButton* Sender) {
    Keypad.SetKey(static_cast<std::uint8_t>(Sender->Tag()));
    CopyDataToScreen(Keypad.NumOfElements());
    Grid->setFocus();
}

// The right button selects the key as a click would, before its key-type menu opens on release.
void TfrmMain::SpeedButton1MouseDown(TKeypadButton* Sender) {
    Sender->setChecked(true);
    SpeedButton1Click(Sender);
}

void TfrmMain::OpenKeyTypeMenu(TKeypadButton* Sender, const QPoint& globalPosition) {
    KeyTypeMenuButton = Sender;
    CreateKeyEditItems();
    popmenKeyType->popup(globalPosition);
}

void TfrmMain::popmenKeyTypePopup() {
    ShiftKeyMenuItem->setChecked(Keypad.Keytype() == ktShift);
    ToggleKeyMenuItem->setChecked(Keypad.Keytype() == ktToggle);
    UpdateKeyEditItems();
}

// Choosing the checked item makes the key normal again; choosing the other replaces the type. The
// toolkit has already flipped the chosen item's check mark.
void TfrmMain::KeyTypeMenuItemClick(QAction* Sender) {
    QAction* other = Sender == ShiftKeyMenuItem ? ToggleKeyMenuItem : ShiftKeyMenuItem;
    other->setChecked(false);
    TKeyType newType = ktNormal;
    if (Sender->isChecked())
        newType = Sender == ShiftKeyMenuItem ? ktShift : ktToggle;
    const TEditStart edit = BeginKeyEdit({Keypad.Key()}, Keypad.Key());
    Keypad.SetKeytype(newType);
    if (KeyTypeMenuButton != nullptr)
        CopyKeyParametersToScreen(KeyTypeMenuButton);
    FinishEdit(edit, edit.place);
}

void TfrmMain::TabControlLevelChange(int index) {
    Keypad.SetLevel(static_cast<std::uint8_t>(index));
    CopyDataToScreen(Keypad.NumOfElements());
    ColourKeypadPanel();
}

void TfrmMain::ColourKeypadPanel() {
    QPalette colours; // only the background; everything else follows the desktop
    colours.setColor(QPalette::Window, Keypad.Level() == 0 ? Level1PanelColour : Level2PanelColour);
    pnlKeypad->setPalette(colours);
}
