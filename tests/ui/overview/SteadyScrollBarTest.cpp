#include "ui/overview/SteadyScrollBar.h"

#include "tests/support/GuiTest.h"

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

// A scroll bar alone in a window of fixed size, shown and painted, counting its paints.
struct ShownScrollBar {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TSteadyScrollBar* bar = new TSteadyScrollBar(Qt::Vertical, window.get());
    int paints = 0;

    ShownScrollBar(int maximum, int value) {
        window->setFixedSize(20, 200);
        bar->setGeometry(0, 0, 20, 200);
        bar->setPageStep(10);
        bar->setRange(0, maximum);
        bar->setValue(value);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the scroll bar's window was not shown");
        QCoreApplication::processEvents();
        bar->installEventFilter(&counter);
    }

    QImage onScreen() const { return window->screen()->grabWindow(window->winId()).toImage(); }

    struct PaintCounter : QObject {
        int* paints;
        explicit PaintCounter(int* count)
            : paints(count) {}
        bool eventFilter(QObject*, QEvent* event) override {
            *paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter{&paints};
};

} // namespace

class TestSteadyScrollBar : public QObject {
    Q_OBJECT

private slots:
    void showsWhatAFreshBarShowsAndRepaintsOnlyWhenThatChanges();
};

// A list growing a row at a time, scrolled to its top, to its end and nowhere: after each row the bar
// must show what a bar given the new range from the start shows; once the handle is at its shortest it
// is not repainted for every row.
void TestSteadyScrollBar::showsWhatAFreshBarShowsAndRepaintsOnlyWhenThatChanges() {
    constexpr int Rows = 120;
    for (const bool followTheEnd : {false, true}) {
        ShownScrollBar growing(0, 0);
        for (int maximum = 1; maximum <= Rows; ++maximum) {
            growing.bar->setMaximum(maximum);
            if (followTheEnd)
                growing.bar->setValue(maximum);
            QCoreApplication::processEvents();
            const ShownScrollBar fresh(maximum, followTheEnd ? maximum : 0);
            QVERIFY2(growing.onScreen() == fresh.onScreen(),
                     qPrintable(QStringLiteral("rows: %1, following the end: %2").arg(maximum).arg(followTheEnd)));
        }
    }
    // Counted alone: showing other windows repaints this one.
    ShownScrollBar counted(0, 0);
    for (int maximum = 1; maximum <= Rows; ++maximum) {
        counted.bar->setMaximum(maximum);
        QCoreApplication::processEvents();
    }
    QVERIFY2(counted.paints < Rows / 2, qPrintable(QString::number(counted.paints)));
}

KW24_GUI_TEST(TestSteadyScrollBar);

#include "SteadyScrollBarTest.moc"
