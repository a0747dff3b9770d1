// What a screen reader learns about the main window and the dialogs, asked through Qt's accessibility
// interface as a screen reader asks.
#include "tests/support/GuiTest.h"
#include "tests/support/WindowFixture.h"
#include "ui/dialogs/About.h"
#include "ui/dialogs/Params.h"
#include "ui/dialogs/Startup.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(QAccessible::Role)

namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (interface == nullptr)
        throw std::runtime_error("no accessible interface for " + object->objectName().toStdString());
    return interface;
}

QString nameOf(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

// The controls a user reaches or reads: everything that takes the keyboard focus, every button and
// every input, visible.
QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool control =
            qobject_cast<QAbstractButton*>(widget) != nullptr || (widget->focusPolicy() & Qt::TabFocus) != 0;
        if (!control || !widget->isVisibleTo(window) || widget->focusProxy() != nullptr)
            continue;
        if (qobject_cast<QLineEdit*>(widget) != nullptr && qobject_cast<QAbstractSpinBox*>(widget->parent()))
            continue; // a spin edit's own text field, named by the spin edit
        if (nameOf(widget).trimmed().isEmpty())
            unnamed << widget->objectName() + u" ("_s + QString::fromUtf8(widget->metaObject()->className()) +
                           u')';
    }
    return unnamed;
}

} // namespace

class TestAccessibility final : public QObject {
    Q_OBJECT
private slots:
    void controlsHaveNamesAndRoles_data();
    void controlsHaveNamesAndRoles();
    void everyControlIsNamed();
    void onScreenKeysAreNamedApart();
    void keyButtonsTellTypeAndNames();
    void cellsTellCodeAndPosition();
    void macroSpaceIsTold();
    void dialogControlsAreNamed();
};

void TestAccessibility::controlsHaveNamesAndRoles_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    const auto row = [](const QString& control, QAccessible::Role role, const QString& name) {
        QTest::newRow(qPrintable(control)) << control << role << name;
    };
    row(u"ToolBtnNew"_s, QAccessible::Button, u"New"_s);
    row(u"ToolBtnSaveAs"_s, QAccessible::Button, u"Save As"_s);
    row(u"ToolBtnHelp"_s, QAccessible::ButtonMenu, u"Help"_s);
    row(u"ToolButtonTest"_s, QAccessible::Button, u"Test"_s);
    row(u"pnlKeypad"_s, QAccessible::Border, u"Keypad"_s);
    row(u"SpeedButton113"_s, QAccessible::CheckBox, u"Key 7"_s); // checked while selected
    row(u"SpeedButton21"_s, QAccessible::CheckBox, u"Key 1"_s);
    row(u"EditName"_s, QAccessible::EditableText, u"Macro name"_s);
    row(u"chkboxAutoRepeat"_s, QAccessible::CheckBox, u"This macro can auto-repeat"_s);
    row(u"Grid"_s, QAccessible::Table, u"Macro codes"_s);
    row(u"Gauge1"_s, QAccessible::ProgressBar, u"Bytes used"_s);
    row(u"lblBytesUsed"_s, QAccessible::StaticText, u"Bytes available for this macro: 100"_s);
    row(u"panelPort"_s, QAccessible::StaticText, u"Port: <not set>"_s);
    row(u"sbtnLShift"_s, QAccessible::CheckBox, u"Left Shift"_s);
    row(u"sbtnRCtrl"_s, QAccessible::CheckBox, u"Right Ctrl"_s);
    row(u"SpeedButton40"_s, QAccessible::Button, u"Backspace"_s);
    row(u"SpeedButton77"_s, QAccessible::Button, u"Keypad 7"_s);
    row(u"SpeedButton105"_s, QAccessible::Button, u"Insert Delay"_s);
    row(u"SpeedButton31"_s, QAccessible::Button, u"1 and exclamation mark"_s);
    row(u"SpeedButton93"_s, QAccessible::Button, u"Space"_s);
    row(u"SpeedButton79"_s, QAccessible::Button, u"A"_s);
    row(u"tbDelayValue"_s, QAccessible::Slider, u"Delay length"_s);
    row(u"edManualInput"_s, QAccessible::EditableText, u"Byte value"_s);
    row(u"spdbtnInsert"_s, QAccessible::Button, u"Insert byte"_s);
    row(u"rbHexadecimal"_s, QAccessible::RadioButton, u"Hexadecimal"_s);
}

void TestAccessibility::controlsHaveNamesAndRoles() {
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    const TWindowFixture f;
    QAccessibleInterface* interface = accessible(f.control<QWidget>(control));
    QCOMPARE(interface->text(QAccessible::Name), name);
    QCOMPARE(interface->role(), role);
}

void TestAccessibility::everyControlIsNamed() {
    const TWindowFixture f;
    QCOMPARE(unnamedControls(f.window.get()), QStringList());
    // Descriptions where the name alone leaves the user guessing.
    for (const QString& control :
         {u"ToolBtnSave"_s, u"ToolBtnHelp"_s, u"Grid"_s, u"pnlKeypad"_s, u"TabControlLevel"_s, u"Gauge1"_s,
          u"EditName"_s, u"edManualInput"_s, u"tbDelayValue"_s})
        QVERIFY2(!accessible(f.control<QWidget>(control))->text(QAccessible::Description).isEmpty(),
                 qPrintable(control));
    const QString saveKeys =
        QKeySequence::keyBindings(QKeySequence::Save).value(0).toString(QKeySequence::NativeText);
    QVERIFY(
        accessible(f.control<QWidget>(u"ToolBtnSave"_s))->text(QAccessible::Description).contains(saveKeys));
}

void TestAccessibility::onScreenKeysAreNamedApart() {
    const TWindowFixture f;
    QSet<QString> names;
    int keys = 0;
    for (auto* key : f.window->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        const QString name = nameOf(key);
        QVERIFY2(!name.contains(u'\n'), qPrintable(name));
        names << name;
        ++keys;
    }
    QCOMPARE(keys, 86);
    QCOMPARE(names.size(), keys);
}

void TestAccessibility::keyButtonsTellTypeAndNames() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    keypad.SetKey(5);
    keypad.SetKeytype(ktShift);
    keypad.SetMacroName("Copy");
    keypad.SetLevel(1);
    keypad.SetMacroName("Paste");
    keypad.SetKey(6);
    keypad.SetKeytype(ktToggle);
    keypad.SetLevel(0);
    f.window->ShowKeyTypesAndSelectFirstKey();
    QAccessibleInterface* key6 = accessible(f.control<QWidget>(u"SpeedButton108"_s));
    QCOMPARE(key6->text(QAccessible::Name), u"Key 6, shift-level key, Copy"_s);
    QCOMPARE(key6->text(QAccessible::Description), u"Level 2: Paste"_s);
    QCOMPARE(nameOf(f.control<QWidget>(u"SpeedButton113"_s)), u"Key 7, toggle-level key"_s);

    // Typing a name in the field renames the selected key's button at once.
    f.control<QToolButton>(u"SpeedButton21"_s)->click();
    auto* name = f.control<QLineEdit>(u"EditName"_s);
    QTest::keyClicks(name, u"Hi"_s);
    QCOMPARE(nameOf(f.control<QWidget>(u"SpeedButton21"_s)), u"Key 1, Hi"_s);
    QAccessibleInterface* key1 = accessible(f.control<QWidget>(u"SpeedButton21"_s));
    QVERIFY(key1->state().checkable);
    QVERIFY(key1->state().checked);
}

void TestAccessibility::cellsTellCodeAndPosition() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    std::int32_t position = 0;
    keypad.InsertByte(position, 'a');
    keypad.InsertKey(position, 4096 + 50); // a 200 ms delay
    f.window->CopyDataToScreen(keypad.NumOfElements());
    QAccessibleTableInterface* grid = accessible(f.control<QWidget>(u"Grid"_s))->tableInterface();
    QVERIFY(grid != nullptr);
    QCOMPARE(grid->rowCount(), TMacroGrid::RowCount);
    QCOMPARE(grid->columnCount(), TMacroGrid::ColumnCount);
    struct Cell {
        int row;
        int column;
        QString name;
        QString description;
    };
    const Cell cells[] = {{0, 0, u"a"_s, u"Position 1, row 1, column 1"_s},
                          {0, 1, u"Dly 200"_s, u"Position 2, row 1, column 2"_s},
                          {1, 2, u"empty"_s, u"Position 11, row 2, column 3"_s}};
    for (const Cell& cell : cells) {
        QAccessibleInterface* shown = grid->cellAt(cell.row, cell.column);
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->role(), QAccessible::Cell);
        QCOMPARE(shown->text(QAccessible::Name), cell.name);
        QCOMPARE(shown->text(QAccessible::Description), cell.description);
    }
}

void TestAccessibility::macroSpaceIsTold() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    std::int32_t position = 0;
    keypad.InsertKey(position, 4096 + 1);
    f.window->CopyDataToScreen(keypad.NumOfElements());
    QCOMPARE(nameOf(f.control<QWidget>(u"lblBytesUsed"_s)), u"Bytes available for this macro: 97"_s);
    QAccessibleValueInterface* gauge = accessible(f.control<QWidget>(u"Gauge1"_s))->valueInterface();
    QVERIFY(gauge != nullptr);
    QCOMPARE(gauge->currentValue().toInt(), 3);
    QCOMPARE(gauge->maximumValue().toInt(), 100);
}

void TestAccessibility::dialogControlsAreNamed() {
    TKeypadClass keypad;
    TfrmParameters parameters(keypad);
    QCOMPARE(unnamedControls(&parameters), QStringList());
    QCOMPARE(nameOf(parameters.findChild<QWidget*>(u"spinRollover"_s)),
             u"Keys that can be pressed down simultaneously"_s);
    QCOMPARE(nameOf(parameters.findChild<QWidget*>(u"btnApply"_s)), u"Apply"_s);

    TStartupForm prompt(QString(), nullptr);
    QCOMPARE(unnamedControls(&prompt), QStringList());
    QCOMPARE(nameOf(prompt.findChild<QWidget*>(u"GroupBox1"_s)),
             u"Would you like to read the \"Getting Started\" tutorial?"_s);

    TfrmAbout about(nullptr);
    QCOMPARE(unnamedControls(&about), QStringList());
    QCOMPARE(nameOf(about.findChild<QWidget*>(u"BrimlowLogoImage"_s)), u"Brimlow logo"_s);
}

KW24_GUI_TEST(TestAccessibility);

#include "AccessibilityTest.moc"
