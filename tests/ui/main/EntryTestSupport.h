#pragma once

#include "platform/KeyboardState.h"
#include "tests/support/GridActions.h"
#include "tests/support/MenuActions.h"
#include "tests/support/WindowFixture.h"

#include <QList>
#include <QStringList>

class QMenu;
class TMacroGrid;

// The PC keyboard's Shift and Caps Lock as the test sets them, in place of the real keyboard's for as
// long as it lives. Both start released.
class TPcKeyboard final {
public:
    TPcKeyboard() { KeyboardState::setForTests(fState); }
    ~TPcKeyboard() { KeyboardState::setForTests(std::nullopt); }
    TPcKeyboard(const TPcKeyboard&) = delete;
    TPcKeyboard& operator=(const TPcKeyboard&) = delete;

    void setShift(bool held);
    void setCapsLock(bool on);

private:
    KeyboardState::State fState;
};

// A main window on its own documents folder with the PC keyboard under the test's control.
struct TEntryFixture {
    TWindowFixture window;
    TPcKeyboard pc;

    TMacroGrid* grid() const;
    TKeypadClass& keypad() const { return window.keypad(); }
    template <typename T> T* control(const QString& name) const { return window.control<T>(name); }
};

// Clicks the named on-screen keys one after the other.
void clickKeys(const TEntryFixture& f, const QStringList& names);

// Types text into the grid as a user at a US keyboard does: the characters that need Shift are typed
// with Shift held, the others without (on the numeric keypad, none). Extra modifiers are held for every
// character.
void typeText(TEntryFixture& f, const QString& text, Qt::KeyboardModifiers modifiers = {});
// Sends one key event carrying text (any characters) to the widget, as an input method would.
void typeCharacters(QWidget* widget, const QString& text);

// Opens the grid's context menu over a cell and chooses the named item.
void chooseGridMenuItem(const TEntryFixture& f, int cell, const QString& item);

// Drags the named key button onto another with the left mouse button, holding modifiers at the end.
void dragKey(const TEntryFixture& f, const QString& from, const QString& to,
             Qt::KeyboardModifiers modifiers = {});

// The whole definition as text, every value exact: key types, each macro's values, name and flags,
// and the keypad-wide parameters. Equal texts mean equal definitions.
QString definitionText(const TKeypadClass& keypad);

// The code values of the selected macro and the texts of its first count cells.
QList<int> macroValues(const TKeypadClass& keypad);
QStringList cellTexts(TMacroGrid* grid, int count);

// The title of an untitled window, without and with the unsaved-changes mark.
QString untitled(bool marked);
