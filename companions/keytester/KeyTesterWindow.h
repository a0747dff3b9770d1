#pragma once

#include "companions/common/BurstTable.h"

#include <QWidget>
#include <memory>
#include <string>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;
class TBurstCollector;
class TDefinitionPanel;

// The key tester, for a keypad that is a PC keyboard: while it has the focus it shows every key press
// and release it receives and the text typed, a burst a row, and what each burst is in a definition.
// It takes every key itself (Tab, Esc, Alt and the rest), so none moves the focus or works a button.
class TKeyTesterWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TKeyTesterWindow(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void keyEvent(const QKeyEvent& key);
    void burstEnded(const std::u32string& burst);
    void compareAgain();
    void clearLog();
    void showFocus();

    QLabel* lblHint;
    QLabel* lblFocus;
    TDefinitionPanel* panelDefinition;
    QTableWidget* gridEvents;
    QTableWidget* gridBursts;
    QPushButton* btnClear;

    TBurstCollector* fBursts;
    std::unique_ptr<TBurstRows> fBurstRows; // the rows of gridBursts with the text typed in each
    qint64 fLastEventMs = -1;
};
