// Every caption of the main window fits its control whole, in the designed face and, run a second
// time on a desktop without it, in DejaVu Sans (see kw24_add_gui_test); and the gauge is drawn exactly.
#include "tests/support/CaptionChecks.h"
#include "tests/support/GuiTest.h"
#include "tests/support/WindowFixture.h"
#include "tools/screenshots/SampleDefinition.h"
#include "ui/main/Gauge.h"
#include "ui/main/MacroGrid.h"

#include <QDebug>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QStyle>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class TestCaptionsFit final : public QObject {
    Q_OBJECT
private slots:
    void mainWindowCaptionsFit();
    void gridCodesFitTheirCells();
    void toolBarCaptionsShareOneSize();
    void bytesAvailableSitsOnItsCaptionsLineFit();
    void gaugeBarIsInProportionFromTheFirstByte_data();
    void gaugeBarIsInProportionFromTheFirstByte();
};

// Fails when the named label does not lie inside the named frame.
void verifyInside(const TWindowFixture& f, const QString& label, const QString& frame) {
    QWidget* inner = f.control<QWidget>(label);
    const QRect outer = f.control<QFrame>(frame)->geometry();
    const QRect placed(inner->parentWidget()->mapTo(f.window.get(), inner->pos()), inner->size());
    QVERIFY2(outer.contains(placed), qPrintable(u"%1 at %2, %3, %4 x %5 reaches outside %6"_s.arg(label)
                                                    .arg(placed.x())
                                                    .arg(placed.y())
                                                    .arg(placed.width())
                                                    .arg(placed.height())
                                                    .arg(frame)));
}

void TestCaptionsFit::mainWindowCaptionsFit() {
    TWindowFixture f;
    FillSampleDefinition(f.keypad());
    f.window->ShowLoadedDefinition(u"sample.ckd"_s);
    f.window->show();
    VerifyEveryControlFits(*f.window);
    verifyInside(f, u"Label3"_s, u"Bevel1"_s);
    verifyInside(f, u"Label4"_s, u"Bevel1"_s);
    verifyInside(f, u"Label2"_s, u"Panel1"_s);
    // The longest header and port captions the window shows.
    f.keypad().SetKey(23);
    f.keypad().SetLevel(1);
    f.window->CopyDataToScreen(0);
    VerifyEveryControlFits(*f.window);
}

// In the face the window is laid out for, no caption of the tool bar is drawn smaller than another.
void TestCaptionsFit::toolBarCaptionsShareOneSize() {
    TWindowFixture f;
    f.window->show();
    QMap<int, QStringList> bySize;
    for (const QToolButton* button : f.control<QFrame>(u"ToolBar1"_s)->findChildren<QToolButton*>())
        if (!button->text().isEmpty())
            bySize[QFontInfo(button->font()).pixelSize()] << button->objectName();
    QVERIFY2(bySize.size() == 1, qPrintable(QDebug::toString(bySize)));
}

// The text's baseline in the window: a label centres its line vertically.
int baseline(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    return label.y() + (label.height() - metrics.height()) / 2 + metrics.ascent();
}

void TestCaptionsFit::bytesAvailableSitsOnItsCaptionsLineFit() {
    TWindowFixture f;
    f.window->show();
    QCOMPARE(baseline(*f.control<QLabel>(u"lblBytesUsed"_s)),
             baseline(*f.control<QLabel>(u"lblSpaceAvailable"_s)));
}

void TestCaptionsFit::gridCodesFitTheirCells() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    const std::int32_t codes[] = {CodeValue::DelayBit + 50,
                                  CodeValue::DelayBit + 255,
                                  CodeValue::LedFlash,
                                  CodeValue::LedOff,
                                  1,
                                  CodeValue::CommandBit + 0x7F,
                                  CodeValue::BeepBit + 255,
                                  'W',
                                  CodeValue::AtAt};
    std::int32_t position = 0;
    for (const std::int32_t code : codes)
        QVERIFY(keypad.InsertByte(position, code));
    f.window->CopyDataToScreen(0);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    for (int i = 0; i < int(std::size(codes)); ++i) {
        const QString text = grid->CellText(i);
        const QFont font = grid->CellFont(i);
        const int width = QFontMetrics(font).horizontalAdvance(text) + 2 * margin;
        QVERIFY2(width <= grid->columnWidth(i % TMacroGrid::ColumnCount),
                 qPrintable(u"\"%1\" needs %2 pixels"_s.arg(text).arg(width)));
        QVERIFY2(QFontInfo(font).pixelSize() >= 8,
                 qPrintable(u"\"%1\" is drawn too small to read"_s.arg(text)));
    }
    QCOMPARE(grid->CellText(0), u"Dly 200"_s);
    QCOMPARE(grid->CellText(4), u"^A  01h"_s);
}

void TestCaptionsFit::gaugeBarIsInProportionFromTheFirstByte_data() {
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("pixels"); // of 179
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("one") << 1 << 2;
    QTest::newRow("five") << 5 << 9;
    QTest::newRow("nine") << 9 << 16;
    QTest::newRow("half") << 50 << 90;
    QTest::newRow("full") << 100 << 179;
}

void TestCaptionsFit::gaugeBarIsInProportionFromTheFirstByte() {
    QFETCH(int, bytes);
    TWindowFixture f;
    fillMacro(f.keypad(), 0, 0, bytes);
    f.window->CopyDataToScreen(0);
    auto* gauge = f.control<TGauge>(u"Gauge1"_s);
    QCOMPARE(gauge->width(), 179);
    const QImage picture = gauge->grab().toImage();
    const QColor bar(166, 202, 240);
    int covered = 0;
    for (int x = 0; x < picture.width(); ++x)
        covered += picture.pixelColor(x, picture.height() / 2) == bar ? 1 : 0;
    QTEST(covered, "pixels");
}

} // namespace

KW24_GUI_TEST(TestCaptionsFit);

#include "CaptionsFitTest.moc"
