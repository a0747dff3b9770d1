#include "ui/CaptionFit.h"
#include "ui/ControlPlacement.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Cells 0 to 99 show the macro; a macro never holds more codes, since every code takes a byte.
constexpr int ShownCells = MacroCapacityBytes;
// The grid's last cell (row 13, column 7) never becomes the cursor.
constexpr int RefusedColumn = TMacroGrid::ColumnCount - 1;
constexpr int RefusedRow = TMacroGrid::RowCount - 1;

QAction* addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

void addSeparator(QMenu* menu, const QString& name) {
    menu->addSeparator()->setObjectName(name);
}

} // namespace

void TfrmMain::CreateGrid() {
    Grid = Place(new TMacroGrid(TabControlLevel), u"Grid"_s, {5, 92, 452, 121});
    Grid->SetSelectCellHandler([this](int column, int row) { return GridSelectCell(column, row); });
    connect(Grid, &TMacroGrid::rightButtonPressed, this, &TfrmMain::GridMouseDown);
    CreateGridMenu();
}

void TfrmMain::CreateGridMenu() {
    popmenuClearMacro = new QMenu(this);
    popmenuClearMacro->setObjectName(u"popmenuClearMacro"_s);
    menuitemClearMacro =
        addItem(popmenuClearMacro, u"menuitemClearMacro"_s, u"Erase all codes for this macro"_s);
    addSeparator(popmenuClearMacro, u"N1"_s);
    menuitemViewKeysAsText =
        addItem(popmenuClearMacro, u"menuitemViewKeysAsText"_s, u"View key codes as ASCII"_s);
    menuitemViewKeysAsHex =
        addItem(popmenuClearMacro, u"menuitemViewKeysAsHex"_s, u"View key codes as Hex"_s);
    addSeparator(popmenuClearMacro, u"N2"_s);
    urnLEDOn1 = addItem(popmenuClearMacro, u"urnLEDOn1"_s, u"Turn LED Off"_s);
    urnLEDOn2 = addItem(popmenuClearMacro, u"urnLEDOn2"_s, u"Turn LED On"_s);
    FlashLED1 = addItem(popmenuClearMacro, u"FlashLED1"_s, u"Flash LED"_s);
    urnLEDOn1->setData(8);
    urnLEDOn2->setData(9);
    FlashLED1->setData(10);

    for (QAction* viewItem : {menuitemViewKeysAsText, menuitemViewKeysAsHex})
        viewItem->setCheckable(true);
    menuitemViewKeysAsText->setChecked(true);
    connect(menuitemViewKeysAsText, &QAction::triggered, this, &TfrmMain::menuitemViewKeysAsTextClick);
    connect(menuitemViewKeysAsHex, &QAction::triggered, this, &TfrmMain::menuitemViewKeysAsHexClick);
}

void TfrmMain::CopyDataToScreen(int GridIndex) {
    Grid->SetCursorIndex(GridIndex);
    for (int index = 0; index < ShownCells; ++index)
        Grid->SetCellText(index, QString::fromStdString(Keypad.GetDisplayValue(index)));
    UpdateKeyboard(Keypad.GetModifierSet(static_cast<std::uint8_t>(GridIndex)));
    const QString header = u"Macro for Key %1, Level %2"_s.arg(Keypad.Key() + 1).arg(Keypad.Level() + 1);
    if (lblMacroHeader->text() != header) {
        lblMacroHeader->setText(header);
        FitCaption(lblMacroHeader);
    }
    const int used = Keypad.CodeCount();
    lblBytesUsed->setText(QString::number(MacroCapacityBytes - used));
    chkboxAutoRepeat->setChecked(Keypad.CanAutoRepeat());
    Gauge1->setValue(std::clamp(used, 0, MacroCapacityBytes));
    ShowMacroName(QString::fromStdString(Keypad.GetMacroName()));
    ShowAccessibleMacroState();
    emit SelectionChanged();
}

void TfrmMain::UpdateKeyboard(TSetModifierKeys mkset) {
    const std::array<std::pair<QToolButton*, TModifierKeys>, 4> buttons = {
        {{sbtnLShift, mkLShift}, {sbtnLCtrl, mkLCtrl}, {sbtnRShift, mkRShift}, {sbtnRCtrl, mkRCtrl}}};
    for (const auto& [button, modifier] : buttons)
        if (button != nullptr)
            button->setChecked(mkset.test(modifier));
}

bool TfrmMain::GridSelectCell(int column, int row) {
    if (column == RefusedColumn && row == RefusedRow)
        return false;
    UpdateKeyboard(
        Keypad.GetModifierSet(static_cast<std::uint8_t>(row * TMacroGrid::ColumnCount + column + 1)));
    return true;
}

void TfrmMain::GridMouseDown(const QPoint& globalPosition) {
    menuitemViewKeysAsText->setChecked(!Keypad.bViewInHex);
    menuitemViewKeysAsHex->setChecked(Keypad.bViewInHex);
    CreateGridEditItems();
    UpdateGridEditItems();
    popmenuClearMacro->popup(globalPosition);
}

void TfrmMain::menuitemViewKeysAsTextClick() {
    Keypad.bViewInHex = false;
    CopyDataToScreen(Keypad.NumOfElements());
    emit ViewModeChanged();
}

void TfrmMain::menuitemViewKeysAsHexClick() {
    Keypad.bViewInHex = true;
    CopyDataToScreen(Keypad.NumOfElements());
    emit ViewModeChanged();
}
