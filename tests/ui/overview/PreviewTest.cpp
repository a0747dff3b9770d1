#include "files/CodeString.h"
#include "tests/support/GuiTest.h"
#include "tests/ui/overview/OverviewFixture.h"
#include "ui/overview/PreviewWindow.h"
#include "ui/overview/WrappedText.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every kind of code under the unusual prefix 7E: data, a delay, a beep, the LED commands, "@@" and a
// plain '@'; a macro of 99 and one of 100 bytes, the sizes where the image's blocks change shape.
QByteArray everyKindOfCode() {
    return "[GLOBAL_PARAMETERS]\r\nCommand_Prefix=126\r\nCharacter_Pacing=6\r\n"
           "[KEY0]\r\nLevel_1_Codes=417e01327e02057e087e097e0a7e400d\r\nLevel_2_Codes=40\r\n"
           "[KEY7]\r\nLevel_1_Codes=" +
           QByteArray("7a").repeated(99) + "\r\nLevel_2_Codes=" + QByteArray("7a").repeated(100) + "\r\n";
}

TfrmPreview* openPreview(const TOverviewFixture& o) {
    QTest::keyClick(o.f.window.get(), Qt::Key_F7);
    auto* preview = o.f.window->findChild<TfrmPreview*>();
    if (preview == nullptr || !QTest::qWaitForWindowExposed(preview))
        throw std::runtime_error("the preview did not show");
    return preview;
}

QString hex(const std::vector<int>& bytes) {
    QStringList pairs;
    for (const int byte : bytes)
        pairs << u"%1"_s.arg(byte, 2, 16, QChar(u'0')).toUpper();
    return pairs.join(u' ');
}

// The macro bytes of each key's two levels in a saved image, found by walking its records by the counts
// they carry: a block's count is followed by the macro and, below 100 bytes, a closing 0.
std::vector<std::array<std::vector<int>, 2>> macrosInImage(const QString& imagePath) {
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("no image " + imagePath.toStdString());
    std::vector<int> bytes;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.size() >= 4)
            bytes.push_back(HexPairToByte(line.mid(1, 2).toStdString()));
    std::vector<std::array<std::vector<int>, 2>> macros;
    std::size_t at = 28;
    for (int key = 0; key < KeyCount; ++key) {
        at += 6;
        std::array<std::vector<int>, 2> levels;
        for (std::vector<int>& macro : levels) {
            const int count = bytes.at(at);
            const int macroBytes = count == 0                ? 0
                                   : count < 100             ? count - 1
                                   : bytes.at(at + 100) == 0 ? 99
                                                             : 100;
            macro.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 1),
                         bytes.begin() +
                             static_cast<std::ptrdiff_t>(at + 1 + static_cast<std::size_t>(macroBytes)));
            at += 1 + static_cast<std::size_t>(count);
        }
        macros.push_back(levels);
    }
    if (at != bytes.size())
        throw std::runtime_error("the image's records do not end where it ends");
    return macros;
}

} // namespace

class TestPreview final : public QObject {
    Q_OBJECT
private slots:
    void bytesAreTheSavedImagesBytes();
    void showsTypedTextAndTimeline();
    void followsSelectionAndEdits();
    void namesASpaceAndNoPausesThatAreNot();
    void longLinesWrapAndCanBeSelectedAndCopied();
};

void TestPreview::bytesAreTheSavedImagesBytes() {
    const TOverviewFixture o(everyKindOfCode());
    TfrmPreview* preview = openPreview(o);
    const QString saved = o.files.filePath(u"saved.ckd"_s);
    FileDialog::setNextFileName(saved);
    QTest::mouseClick(o.control<QToolButton>(u"ToolBtnSaveAs"_s), Qt::LeftButton);
    const auto macros = macrosInImage(o.files.filePath(u"saved.hex"_s));
    QCOMPARE(macros[7][0].size(), 99u);
    QCOMPARE(macros[7][1].size(), 100u);
    for (int key = 0; key < KeyCount; ++key)
        for (int level = 0; level < LevelCount; ++level) {
            o.f.window->SelectKeyAndLevel(key, level);
            o.redrawn();
            const std::vector<int>& inImage =
                macros[static_cast<std::size_t>(key)][static_cast<std::size_t>(level)];
            QCOMPARE(preview->findChild<TWrappedText*>(u"lblPreviewBytes"_s)->Text(),
                     inImage.empty() ? u"none (an empty macro)"_s : hex(inImage));
        }
    o.f.window->SelectKeyAndLevel(0, 0);
    o.redrawn();
    QCOMPARE(o.control<TWrappedText>(u"lblPreviewBytes"_s)->Text(),
             u"41 7E 01 32 7E 02 05 7E 08 7E 09 7E 0A 7E 40 0D"_s);
}

void TestPreview::showsTypedTextAndTimeline() {
    const TOverviewFixture o(everyKindOfCode());
    openPreview(o);
    QCOMPARE(o.control<TWrappedText>(u"lblPreviewTyped"_s)->Text(),
             u"A[pause 200 ms][beep 5][LED off][LED on][LED flash]@[Enter]"_s);
    // 6 ms a character, 200 ms of pause
    QVERIFY2(o.control<TWrappedText>(u"lblPlayTime"_s)->Text().startsWith(u"plays in 0.22 s"_s),
             qPrintable(o.control<TWrappedText>(u"lblPlayTime"_s)->Text()));
    auto* steps = o.control<QTableWidget>(u"gridSteps"_s);
    QStringList rows;
    for (int row = 0; row < steps->rowCount(); ++row)
        rows << steps->item(row, 0)->text() + u' ' + steps->item(row, 1)->text() + u" | "_s +
                    steps->item(row, 2)->text();
    QCOMPARE(rows,
             (QStringList{u"0 ms A | 41"_s, u"6 ms pause 200 ms | 7E 01 32"_s, u"206 ms beep 5 | 7E 02 05"_s,
                          u"206 ms LED off | 7E 08"_s, u"206 ms LED on | 7E 09"_s,
                          u"206 ms LED flash | 7E 0A"_s, u"206 ms @ | 7E 40"_s, u"212 ms Enter | 0D"_s}));
    o.f.window->SelectKeyAndLevel(0, 1);
    o.redrawn();
    QCOMPARE(o.control<TWrappedText>(u"lblPreviewTyped"_s)->Text(),
             u"@"_s); // a plain '@' under another prefix
}

void TestPreview::followsSelectionAndEdits() {
    const TOverviewFixture o;
    openPreview(o);
    QTest::mouseClick(o.control<QToolButton>(u"SpeedButton140"_s), Qt::LeftButton);
    o.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(1);
    o.redrawn();
    QCOMPARE(o.control<QLabel>(u"lblPreviewKey"_s)->text(), u"Key 24, Level 2: Ends in Esc"_s);
    QCOMPARE(o.control<TWrappedText>(u"lblPreviewBytes"_s)->Text(), u"41 1B"_s);
    QVERIFY2(o.control<QLabel>(u"lblPreviewChecks"_s)
                 ->text()
                 .contains(u"Key 24, Level 2: byte 27 (1Bh) is the command prefix"_s),
             qPrintable(o.control<QLabel>(u"lblPreviewChecks"_s)->text()));

    QTest::keyClicks(o.control<QLineEdit>(u"edManualInput"_s), u"66"_s);
    QTest::mouseClick(o.control<QToolButton>(u"spdbtnInsert"_s), Qt::LeftButton);
    QTRY_COMPARE(o.control<TWrappedText>(u"lblPreviewBytes"_s)->Text(), u"41 1B 42"_s);
    // The keypad now reads Esc and B as a command the keypad does not know.
    QCOMPARE(o.control<TWrappedText>(u"lblPreviewTyped"_s)->Text(), u"A[unknown command 1B 42]"_s);

    QTest::mouseClick(o.control<QToolButton>(u"SpeedButton21"_s), Qt::LeftButton);
    o.redrawn();
    QCOMPARE(o.control<QLabel>(u"lblPreviewKey"_s)->text(), u"Key 1, Level 2"_s);
    QCOMPARE(o.control<QLabel>(u"lblPreviewChecks"_s)->text(), u"Nothing found."_s);
}

// A blank is named as the grid names it, and a macro without delays speaks of no pauses.
void TestPreview::namesASpaceAndNoPausesThatAreNot() {
    const TOverviewFixture o(QByteArray("[KEY0]\r\nLEVEL_1_CODES=612062\r\n"));
    openPreview(o);
    auto* steps = o.control<QTableWidget>(u"gridSteps"_s);
    QCOMPARE(steps->rowCount(), 3);
    QCOMPARE(steps->item(1, 1)->text(), u"Space"_s);
    const QString time = o.control<TWrappedText>(u"lblPlayTime"_s)->Text();
    QVERIFY2(time.endsWith(u"(3 characters at 2 ms each)"_s), qPrintable(time));
}

// The bytes of a full macro wrap within the window, each line wholly shown; named keys are set apart;
// a selection made with the mouse, or the whole text, is copied.
void TestPreview::longLinesWrapAndCanBeSelectedAndCopied() {
    const TOverviewFixture o(everyKindOfCode());
    openPreview(o);
    o.f.window->SelectKeyAndLevel(7, 1);
    o.redrawn();
    auto* bytes = o.control<TWrappedText>(u"lblPreviewBytes"_s);
    QTRY_VERIFY(bytes->height() >= bytes->heightForWidth(bytes->width()));
    QVERIFY(bytes->height() >= 3 * bytes->fontMetrics().height());
    QVERIFY(bytes->width() <= bytes->window()->width());

    o.f.window->SelectKeyAndLevel(0, 0);
    o.redrawn();
    auto* typed = o.control<TWrappedText>(u"lblPreviewTyped"_s);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(0, 2), typed->mapToGlobal(QPointF(0, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(typed, &press);
    const QPointF end(typed->fontMetrics().horizontalAdvance(u"A[pau"_s), 2);
    QMouseEvent drag(QEvent::MouseMove, end, typed->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(typed, &drag);
    QVERIFY2(typed->SelectedText().startsWith(u"A["_s), qPrintable(typed->SelectedText()));
    typed->setFocus();
    QTest::keyClick(typed, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), typed->SelectedText());
    QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(typed, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             u"A[pause 200 ms][beep 5][LED off][LED on][LED flash]@[Enter]"_s);
}

KW24_GUI_TEST(TestPreview);

#include "PreviewTest.moc"
