#include "ui/overview/SteadyScrollBar.h"

#include "tests/support/GuiTest.h"

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

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

// A list growing a row at a time, scrolled to its top, to a row near it and to its end: after each row
// the bar must show what a bar given the new range from the start shows; once the handle is at its
// shortest it is not repainted for every row.
void TestSteadyScrollBar::showsWhatAFreshBarShowsAndRepaintsOnlyWhenThatChanges() {
    constexpr int Rows = 120;
    enum class Scrolled { ToTheTop, ToRowFive, ToTheEnd };
    const auto valueAt = [](Scrolled scrolled, int maximum) {
        switch (scrolled) {
        case Scrolled::ToTheTop: return 0;
        case Scrolled::ToRowFive: return std::min(5, maximum);
        default: return maximum;
        }
    };
    for (const Scrolled scrolled : {Scrolled::ToTheTop, Scrolled::ToRowFive, Scrolled::ToTheEnd}) {
        // Showing another window repaints this one whole, so the fresh bars come after all its rows.
        std::vector<QImage> shown;
        {
            ShownScrollBar growing(0, 0);
            for (int maximum = 1; maximum <= Rows; ++maximum) {
                growing.bar->setMaximum(maximum);
                growing.bar->setValue(valueAt(scrolled, maximum));
                QCoreApplication::processEvents();
                shown.push_back(growing.onScreen());
            }
            if (scrolled == Scrolled::ToTheTop)
                QVERIFY2(growing.paints < Rows / 2, qPrintable(QString::number(growing.paints)));
        }
        for (int maximum = 1; maximum <= Rows; ++maximum) {
            const ShownScrollBar fresh(maximum, valueAt(scrolled, maximum));
            QVERIFY2(shown[static_cast<std::size_t>(maximum - 1)] == fresh.onScreen(),
                     qPrintable(QStringLiteral("rows: %1, scrolled: %2").arg(maximum).arg(int(scrolled))));
        }
    }
}

KW24_GUI_TEST(TestSteadyScrollBar);

#include "SteadyScrollBarTest.moc"
