#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QAbstractButton;

// Makes a set of buttons a single stop of the Tab key, inside which the arrow keys move the focus to
// the nearest button in their direction, as on a desktop's tool bars and button grids. Space (the
// button's own key) and Enter press the focused button; Shift+F10 and the Menu key ask for its menu.
// Tab and Shift+Tab leave the set for the next or previous control outside it; coming back by Tab or
// Shift+Tab lands on the entry button. The buttons take the focus only from the keyboard, never by a
// click, so clicking them leaves the focus where it was.
class TArrowKeyGroup final : public QObject {
    Q_OBJECT
public:
    TArrowKeyGroup(const QList<QAbstractButton*>& buttons, QObject* parent);

    // The button Tab enters the set at. Without it, the button that had the focus last, at first the
    // first of the set.
    void SetEntryButton(std::function<QAbstractButton*()> entry) { fEntry = std::move(entry); }
    // Asked for by Shift+F10 or the Menu key on a button of the set.
    void SetMenuHandler(std::function<void(QAbstractButton*)> handler) { fMenu = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* EntryButton() const;
    QAbstractButton* Neighbour(const QAbstractButton* from, int key) const;
    void Leave(QAbstractButton* from, bool forward) const;

    QList<QAbstractButton*> fButtons;
    QAbstractButton* fLastFocused = nullptr;
    std::function<QAbstractButton*()> fEntry;
    std::function<void(QAbstractButton*)> fMenu;
};

// Whether the key event asks for a context menu from the keyboard: the Menu key or Shift+F10.
bool IsContextMenuKey(int key, Qt::KeyboardModifiers modifiers);
