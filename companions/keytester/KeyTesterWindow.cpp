#include "companions/keytester/KeyTesterWindow.h"

#include "companions/common/BurstTable.h"
#include "companions/common/DefinitionPanel.h"
#include "companions/common/StatusText.h"
#include "companions/common/TesterBursts.h"
#include "files/DownloadImage.h"
#include "platform/ProgramName.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// How late a keyboard's keys may come after the keypad's pacing (its reports, the window system)
// before the pause counts as the end of a burst.
constexpr int DeliverySlackMs = 100;

constexpr int MaxEventRows = 5000;
constexpr int MaxBurstRows = 1000;

enum EventColumn { colSince, colEvent, colKey, colScanCode, colModifiers, colText };
enum BurstColumn { colTyped, colDefinition };

// The window keeps the focus: the tables never take it.
QTableWidget* table(const QStringList& headers, QWidget* parent) {
    QTableWidget* grid = MakeLogTable(headers, parent);
    grid->setFocusPolicy(Qt::NoFocus);
    return grid;
}

QString keyName(const QKeyEvent& key) {
    if (key.key() == 0 || key.key() == Qt::Key_unknown)
        return u"(unknown)"_s;
    const QString name = QKeySequence(key.key()).toString(QKeySequence::NativeText);
    return name.isEmpty() ? u"0x%1"_s.arg(key.key(), 0, 16) : name;
}

QString modifierNames(Qt::KeyboardModifiers modifiers) {
    QStringList names;
    if (modifiers & Qt::ShiftModifier)
        names << u"Shift"_s;
    if (modifiers & Qt::ControlModifier)
        names << u"Ctrl"_s;
    if (modifiers & Qt::AltModifier)
        names << u"Alt"_s;
    if (modifiers & Qt::MetaModifier)
        names << u"Meta"_s;
    if (modifiers & Qt::GroupSwitchModifier)
        names << u"AltGr"_s;
    if (modifiers & Qt::KeypadModifier)
        names << u"Keypad"_s;
    return names.join(u'+');
}

QElapsedTimer& eventClock() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer;
}

} // namespace

TKeyTesterWindow::TKeyTesterWindow(QWidget* parent)
    : QWidget(parent)
    , fBursts(new TBurstCollector(this)) {
    setObjectName(u"frmKeyTester"_s);
    setWindowTitle(u"%1 Key Tester"_s.arg(ProgramName));
    setFocusPolicy(Qt::StrongFocus);
    buildControls();
    connect(fBursts, &TBurstCollector::burstEnded, this, &TKeyTesterWindow::burstEnded);
    fBursts->setGapMs(PacingMilliseconds(TKeypadClass()) + DeliverySlackMs);
    setFixedSize(760, 560);
    showFocus();
}

void TKeyTesterWindow::buildControls() {
    lblHint = new QLabel(u"This window must have the focus while the keypad types: it sees only the keys "
                         u"typed into it. Click into it, then press the keypad's keys."_s,
                         this);
    lblHint->setObjectName(u"lblHint"_s);
    lblHint->setWordWrap(true);
    lblFocus = new QLabel(this);
    lblFocus->setObjectName(u"lblFocus"_s);
    lblFocus->setWordWrap(true);

    panelDefinition = new TDefinitionPanel(BurstUnits::Characters, this);
    panelDefinition->setObjectName(u"panelDefinition"_s);

    gridEvents =
        table({u"Since previous"_s, u"Event"_s, u"Key"_s, u"Scan code"_s, u"Modifiers"_s, u"Text"_s}, this);
    gridEvents->setObjectName(u"gridEvents"_s);
    gridBursts = table({u"Typed"_s, u"Definition"_s}, this);
    gridBursts->setObjectName(u"gridBursts"_s);
    gridBursts->horizontalHeader()->resizeSection(colTyped, 260);
    fBurstRows = std::make_unique<TBurstRows>(gridBursts, colDefinition, MaxBurstRows);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(gridBursts);
    splitter->addWidget(gridEvents);

    btnClear = new QPushButton(u"Clear"_s, this);
    btnClear->setObjectName(u"btnClear"_s);
    btnClear->setFocusPolicy(Qt::NoFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnClear);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHint);
    layout->addWidget(lblFocus);
    layout->addWidget(panelDefinition);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(panelDefinition, &TDefinitionPanel::definitionLoaded, this, [this] {
        fBursts->setGapMs(PacingMilliseconds(panelDefinition->definition()) + DeliverySlackMs);
        compareAgain();
    });
    connect(btnClear, &QPushButton::clicked, this, &TKeyTesterWindow::clearLog);
}

void TKeyTesterWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setFocus();
}

bool TKeyTesterWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken as a key press: no button mnemonic or shortcut acts on the keypad's keys.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: keyEvent(*static_cast<QKeyEvent*>(event)); return true;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const bool handled = QWidget::event(event);
        showFocus();
        return handled;
    }
    default: return QWidget::event(event);
    }
}

void TKeyTesterWindow::showFocus() {
    if (isActiveWindow() && hasFocus())
        ShowStatusText(lblFocus, u"Listening: press the keypad's keys."_s, false);
    else
        ShowStatusText(lblFocus, u"Not listening: this window does not have the focus. Click into it."_s,
                       true);
}

void TKeyTesterWindow::keyEvent(const QKeyEvent& key) {
    const qint64 now = eventClock().elapsed();
    const qint64 since = fLastEventMs < 0 ? -1 : now - fLastEventMs;
    fLastEventMs = now;

    const bool press = key.type() == QEvent::KeyPress;
    const std::u32string typed = press ? key.text().toStdU32String() : std::u32string();
    const int row = AppendLogRow(gridEvents, MaxEventRows);
    const QStringList cells{
        since < 0 ? u"\u2014"_s : u"+%1 ms"_s.arg(since),
        press ? (key.isAutoRepeat() ? u"press (repeat)"_s : u"press"_s) : u"release"_s,
        keyName(key),
        QString::number(key.nativeScanCode()),
        modifierNames(key.modifiers()),
        ShownText(typed, BurstUnits::Characters),
    };
    for (int column = 0; column < cells.size(); ++column)
        gridEvents->setItem(row, column, new QTableWidgetItem(cells[column]));
    gridEvents->scrollToBottom();

    if (typed.empty())
        return;
    const TBurstCollector::Arrival arrival = fBursts->add(typed);
    if (arrival.startsBurst)
        fBurstRows->Start();
    std::u32string& burst = fBurstRows->Current();
    burst += typed;
    gridBursts->setItem(gridBursts->rowCount() - 1, colTyped,
                        new QTableWidgetItem(ShownText(burst, BurstUnits::Characters)));
    gridBursts->scrollToBottom();
}

void TKeyTesterWindow::burstEnded(const std::u32string& burst) {
    fBurstRows->Ended(burst, *panelDefinition);
}

void TKeyTesterWindow::compareAgain() {
    fBurstRows->CompareAgain(*panelDefinition, fBursts->collecting());
}

void TKeyTesterWindow::clearLog() {
    fBursts->flush();
    gridEvents->setRowCount(0);
    fBurstRows->Clear();
    fLastEventMs = -1;
}
