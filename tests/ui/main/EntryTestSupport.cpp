#include "tests/ui/main/EntryTestSupport.h"

#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QMenu>
#include <QTest>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

void TPcKeyboard::setShift(bool held) {
    fState.shiftHeld = held;
    KeyboardState::setForTests(fState);
}

void TPcKeyboard::setCapsLock(bool on) {
    fState.capsLockOn = on;
    KeyboardState::setForTests(fState);
}

TMacroGrid* TEntryFixture::grid() const {
    return window.control<TMacroGrid>(u"Grid"_s);
}

void clickKeys(const TEntryFixture& f, const QStringList& names) {
    for (const QString& name : names)
        QTest::mouseClick(f.control<QAbstractButton>(name), Qt::LeftButton);
}

namespace {

bool needsShiftOnUsKeyboard(QChar c) {
    return c.isUpper() || u"~!@#$%^&*()_+{}|:\"<>?"_s.contains(c);
}

} // namespace

void typeText(TEntryFixture& f, const QString& text, Qt::KeyboardModifiers modifiers) {
    for (const QChar c : text) {
        const bool shift = !modifiers.testFlag(Qt::KeypadModifier) && needsShiftOnUsKeyboard(c);
        f.pc.setShift(shift);
        // With Shift among the modifiers, the key click also presses and releases the Shift key.
        QTest::keyClick(f.grid(), c.toLatin1(), shift ? modifiers | Qt::ShiftModifier : modifiers);
        f.pc.setShift(false);
    }
}

void typeCharacters(QWidget* widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

void chooseGridMenuItem(const TEntryFixture& f, int cell, const QString& item) {
    TMacroGrid* grid = f.grid();
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cellCentre(grid, cell));
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cellCentre(grid, cell));
    auto* menu = f.control<QMenu>(u"popmenuClearMacro"_s);
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        throw std::runtime_error("the grid menu did not open");
    QAction* action = menu->findChild<QAction*>(item);
    if (action == nullptr)
        throw std::runtime_error("no menu item " + item.toStdString());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void dragKey(const TEntryFixture& f, const QString& from, const QString& to,
             Qt::KeyboardModifiers modifiers) {
    auto* source = f.control<QAbstractButton>(from);
    auto* target = f.control<QAbstractButton>(to);
    const QPoint start = source->rect().center();
    const QPoint end = target->mapTo(source->parentWidget(), target->rect().center()) - source->pos();
    QTest::mousePress(source, Qt::LeftButton, {}, start);
    QTest::mouseMove(source, (start + end) / 2);
    QTest::mouseMove(source, end);
    QTest::mouseRelease(source, Qt::LeftButton, modifiers, end);
}

QString definitionText(const TKeypadClass& keypad) {
    QStringList lines;
    for (const TKeyDataRec& key : keypad.keys) {
        lines << u"type %1"_s.arg(key.KeyType);
        for (const TMacroData& macro : key.Macro) {
            QStringList values;
            for (const std::int32_t value : macro.Values)
                if (value != CodeValue::Empty)
                    values << QString::number(value);
            lines << values.join(u' ') << QString::fromStdString(macro.Name)
                  << u"repeat %1 format %2"_s.arg(macro.AutoRepeat).arg(macro.Format);
        }
    }
    lines << u"parameters %1 %2 %3 %4 %5 %6 %7 %8 %9"_s.arg(keypad.DownloadDelay())
                 .arg(keypad.KeyRollOver())
                 .arg(keypad.CharacterPacing())
                 .arg(keypad.LEDBehavior())
                 .arg(keypad.BaudRate())
                 .arg(keypad.WordFormat())
                 .arg(keypad.CmdPrefix())
                 .arg(keypad.OpMode())
                 .arg(keypad.CdcSerialNo());
    return lines.join(u'\n');
}

QList<int> macroValues(const TKeypadClass& keypad) {
    QList<int> values;
    const TMacroData& macro = keypad.keys[keypad.Key()].Macro[keypad.Level()];
    for (int index = 0; index < keypad.NumOfElements(); ++index)
        values << macro.Values[static_cast<std::size_t>(index)];
    return values;
}

QStringList cellTexts(TMacroGrid* grid, int count) {
    QStringList texts;
    for (int index = 0; index < count; ++index)
        texts << grid->CellText(index);
    return texts;
}

QString untitled(bool marked) {
    return marked ? u"Keywright24 - untitled.ckd*"_s : u"Keywright24 - untitled.ckd"_s;
}
