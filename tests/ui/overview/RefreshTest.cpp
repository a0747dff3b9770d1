#include "tests/support/GuiTest.h"
#include "tests/ui/overview/OverviewFixture.h"
#include "ui/overview/OverviewWindow.h"
#include "ui/overview/PreviewWindow.h"
#include "ui/overview/WrappedText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// The main window with the overview and the preview open beside it.
struct TBothOpen {
    TOverviewFixture o;
    TfrmOverview* overview = nullptr;
    TfrmPreview* preview = nullptr;

    TBothOpen() {
        o.run(u"OverviewMenuItem"_s);
        o.run(u"PreviewMenuItem"_s);
        overview = o.f.window->findChild<TfrmOverview*>();
        preview = o.f.window->findChild<TfrmPreview*>();
        if (overview == nullptr || preview == nullptr || !QTest::qWaitForWindowExposed(overview) ||
            !QTest::qWaitForWindowExposed(preview))
            throw std::runtime_error("the overview and the preview did not show");
        QCoreApplication::sendPostedEvents();
    }

    QWidget* grid() const { return o.control<QWidget>(u"Grid"_s); }
};

} // namespace

class TestRefresh final : public QObject {
    Q_OBJECT
private slots:
    void eachChangeRedrawsEachWindowOnce();
    void aHiddenWindowRedrawsWhenShownAgain();
};

// Counted once the events of the action are handled: what changed redraws once, what did not change
// redraws nothing (a save, another key for the overview).
void TestRefresh::eachChangeRedrawsEachWindowOnce() {
    TBothOpen b;
    const QString saved = b.o.files.filePath(u"saved.ckd"_s);
    const struct {
        const char* action;
        std::function<void()> run;
        int overview, preview;
    } steps[] = {
        {"a typed character", [&b] { QTest::keyClicks(b.grid(), u"x"_s); }, 1, 1},
        {"a save",
         [&b, &saved] {
             FileDialog::setNextFileName(saved);
             b.o.control<QToolButton>(u"ToolBtnSaveAs"_s)->click();
         },
         0, 0},
        {"another key and level", [&b] { b.o.f.window->SelectKeyAndLevel(23, 1); }, 0, 1},
        {"an undo that shows another key",
         [&b] { QTest::keyClick(b.grid(), Qt::Key_Z, Qt::ControlModifier); }, 1, 1},
        {"a name typed", [&b] { QTest::keyClicks(b.o.control<QWidget>(u"EditName"_s), u"N"_s); }, 1, 1},
        {"the view in hex", [&b] { b.o.control<QAction>(u"menuitemViewKeysAsHex"_s)->trigger(); }, 1, 1},
        {"a new definition",
         [&b] {
             MessageBox::setNextAnswer(MessageBox::Answer::No);
             b.o.control<QToolButton>(u"ToolBtnNew"_s)->click();
         },
         1, 1},
    };
    for (const auto& step : steps) {
        QSignalSpy overviewRedraws(b.overview, &TfrmOverview::Redrawn);
        QSignalSpy previewRedraws(b.preview, &TfrmPreview::Redrawn);
        step.run();
        QCoreApplication::sendPostedEvents();
        QVERIFY2(overviewRedraws.size() == step.overview,
                 qPrintable(u"%1: the overview redrew %2 times"_s.arg(QString::fromUtf8(step.action))
                                .arg(overviewRedraws.size())));
        QVERIFY2(previewRedraws.size() == step.preview,
                 qPrintable(u"%1: the preview redrew %2 times"_s.arg(QString::fromUtf8(step.action))
                                .arg(previewRedraws.size())));
    }
}

void TestRefresh::aHiddenWindowRedrawsWhenShownAgain() {
    TBothOpen b;
    b.preview->hide();
    QSignalSpy previewRedraws(b.preview, &TfrmPreview::Redrawn);
    QTest::keyClicks(b.grid(), u"xy"_s);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(previewRedraws.size(), 0);
    b.o.run(u"PreviewMenuItem"_s);
    QCOMPARE(previewRedraws.size(), 1);
    QCOMPARE(b.o.control<TWrappedText>(u"lblPreviewBytes"_s)->Text(), u"48 69 0D 78 79"_s);
}

KW24_GUI_TEST(TestRefresh);

#include "RefreshTest.moc"
