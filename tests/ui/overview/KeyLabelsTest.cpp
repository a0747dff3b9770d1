#include "files/FileBytes.h"
#include "model/KeyboardLayout.h"
#include "model/KeypadParameters.h"
#include "tests/support/GuiTest.h"
#include "tests/ui/overview/OverviewFixture.h"
#include "ui/ProgramFont.h"
#include "ui/overview/KeyLabelText.h"
#include "ui/overview/KeyLabelsPdf.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
// The smallest size a printed label's text may have, less what measuring it from the PDF may be off.
constexpr double ReadablePt = 5.0 * 0.97;

// The level 2 name of key (0 to 23) in namedKeys(): key 7's is one word far too long for a label, key
// 8's several words too long for one line, key 9's the longest name of the widest letter and key 10's
// a name as long, with blanks.
QString secondName(int key) {
    switch (key) {
    case 6: return u"Supercalifragilistic"_s;
    case 7: return u"Open the garage door now"_s;
    case 8: return QString(25, u'W');
    case 9: return u"Weekly Warehouse Workflow"_s;
    default: return u"K%1b"_s.arg(key + 1);
    }
}

// 24 named keys; key 5 is a shift key.
QByteArray namedKeys() {
    QByteArray text = "[GLOBAL_PARAMETERS]\r\n";
    for (int key = 0; key < KeyCount; ++key) {
        text +=
            "[KEY" + QByteArray::number(key) + "]\r\nLevel_1_Name=K" + QByteArray::number(key + 1) + "a\r\n";
        text += "Level_2_Name=" + secondName(key).toUtf8() + "\r\n";
        if (key == 4)
            text += "KeyType=1\r\n";
    }
    return text;
}

void writeSettings(const TOverviewFixture& o, const QByteArray& text) {
    QFile file(o.f.userPath(u"Keywright24.ini"_s));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        throw std::runtime_error("cannot write the settings file");
}

QString settingsText(const TOverviewFixture& o) {
    QFile file(o.f.userPath(u"Keywright24.ini"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed on " + arguments.join(u' ').toStdString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    QString text;
    QRectF box; // in points from the page's top left
};

// The words of the PDF's first page with their boxes, as pdftotext finds them.
QList<Word> wordsIn(const QString& pdf) {
    const QString html = run(u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, u"-"_s});
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<Word> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        const double x1 = m.captured(1).toDouble(), y1 = m.captured(2).toDouble();
        words.push_back({m.captured(5), QRectF(QPointF(x1, y1),
                                               QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

const Word* find(const QList<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// Whether a word text lies wholly on the label box.
bool onLabel(const QList<Word>& words, const QString& text, const QRectF& box) {
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& w) { return w.text == text && box.contains(w.box); });
}

// The label of key (0 to 23) on the page, in points, for labels of size mm.
QRectF labelBox(int key, QSizeF mm) {
    const double left = (210.0 - (4 * mm.width() + 3 * LabelGapMm)) / 2;
    const double x = left + (key % 4) * (mm.width() + LabelGapMm);
    const double y = SheetTopMm + (key / 4) * (mm.height() + LabelGapMm);
    return {x * PointsPerMm, y * PointsPerMm, mm.width() * PointsPerMm, mm.height() * PointsPerMm};
}

// The words on the lower half of a label, in reading order.
QList<Word> wordsOnLevel2(const QList<Word>& words, const QRectF& label) {
    const QRectF lower(label.left(), label.center().y(), label.width(), label.height() / 2);
    QList<Word> found;
    for (const Word& w : words)
        if (lower.contains(w.box))
            found << w;
    return found;
}

QStringList textsOf(const QList<Word>& words) {
    QStringList texts;
    for (const Word& w : words)
        texts << w.text;
    return texts;
}

// Font points per point of a word's height as pdftotext measures it, from a PDF drawn here in the
// labels' face at a known size.
double measuredPointsPerHeight() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"size.pdf"_s);
    constexpr double Points = 10;
    {
        QPdfWriter writer(pdf);
        QPainter painter(&writer);
        QFont font = ProgramFont();
        font.setPointSizeF(Points);
        painter.setFont(font);
        painter.drawText(QPointF(1000, 1000), u"Measure"_s);
    }
    return Points / find(wordsIn(pdf), u"Measure"_s)->box.height();
}

// While it lives, answers the label size dialog whenever it opens, with the size given.
class TSizeDialogAnswerer final {
public:
    explicit TSizeDialogAnswerer(QSizeF mm) {
        fTimer.setInterval(0);
        QObject::connect(&fTimer, &QTimer::timeout, [this, mm] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != u"dlgKeyLabelSize"_s)
                return;
            dialog->findChild<QDoubleSpinBox*>(u"spinLabelWidth"_s)->setValue(mm.width());
            dialog->findChild<QDoubleSpinBox*>(u"spinLabelHeight"_s)->setValue(mm.height());
            dialog->accept();
            ++answers;
        });
        fTimer.start();
    }
    int answers = 0;

private:
    QTimer fTimer;
};

// The real file steps, except that every rename is refused, as by a file another program holds.
class TRefusedRenames final : public FileSteps {
public:
    std::error_code Rename(const std::filesystem::path&, const std::filesystem::path&) override {
        return std::make_error_code(std::errc::device_or_resource_busy);
    }
};

} // namespace

class TestKeyLabels final : public QObject {
    Q_OBJECT
private slots:
    void printsTwentyFourLabelsAtTheRememberedSize();
    void asksTheSizeOnceAndRemembersIt();
    void longNamesWrapAndStayReadable();
    void unnamedMacrosShowTheComputersCharacters();
    void aFailedWritingKeepsThePreviousLabels();
};

void TestKeyLabels::unnamedMacrosShowTheComputersCharacters() {
    TKeypadClass keypad;
    keypad.SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
    std::int32_t position = 0;
    for (const char c : std::string("Y[rich"))
        keypad.InsertByte(position, c);
    keypad.SetComputerLayout(FindLayout("German"));
    QCOMPARE(KeyLabels(keypad)[0].lines[0], "Z\u00FCrich");
    keypad.SetComputerLayout(nullptr);
    QCOMPARE(KeyLabels(keypad)[0].lines[0], "Y[rich");
}

void TestKeyLabels::printsTwentyFourLabelsAtTheRememberedSize() {
    const TOverviewFixture o(namedKeys());
    writeSettings(o, "[CONFIGURATION]\r\nHide_StartBox=1\r\nKey_Label_Width=19\r\nKey_Label_Height=16.5\r\n");
    o.run(u"PrintKeyLabelsMenuItem"_s);
    const QString pdf = o.f.userPath(u"Keycap_Labels/sample.pdf"_s);
    QCOMPARE(o.documents.opened, QStringList{QDir::toNativeSeparators(pdf)});
    QVERIFY(MessageBox::shown().empty());

    const QString info = run(u"pdfinfo"_s, {pdf});
    QVERIFY2(
        info.contains(QRegularExpression(u"Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"_s)),
        qPrintable(info));
    const QList<Word> words = wordsIn(pdf);
    const QSizeF mm(19, 16.5);
    for (int key = 0; key < KeyCount; ++key) {
        const QRectF label = labelBox(key, mm);
        QVERIFY(onLabel(words, u"K%1a"_s.arg(key + 1), label));
        QCOMPARE(textsOf(wordsOnLevel2(words, label)).join(QString()), secondName(key).remove(u' '));
        // level 1 above level 2
        QVERIFY(find(words, u"K%1a"_s.arg(key + 1))->box.bottom() <= label.center().y() + 1);
    }
    const Word* shiftMark = find(words, u"S"_s);
    QVERIFY(shiftMark != nullptr);
    QVERIFY(labelBox(4, mm).contains(shiftMark->box));
    QCOMPARE(settingsText(o),
             u"[CONFIGURATION]\r\nHide_StartBox=1\r\nKey_Label_Width=19\r\nKey_Label_Height=16.5\r\n"_s);
}

void TestKeyLabels::asksTheSizeOnceAndRemembersIt() {
    TOverviewFixture o(namedKeys());
    writeSettings(o, "[CONFIGURATION]\r\nHide_StartBox=1\r\n");
    TSizeDialogAnswerer answerer(QSizeF(18, 12));
    o.run(u"PrintKeyLabelsMenuItem"_s);
    QCOMPARE(answerer.answers, 1);
    QCOMPARE(settingsText(o),
             u"[CONFIGURATION]\r\nHide_StartBox=1\r\nKey_Label_Width=18\r\nKey_Label_Height=12\r\n"_s);
    const QList<Word> words = wordsIn(o.f.userPath(u"Keycap_Labels/sample.pdf"_s));
    QVERIFY(labelBox(23, QSizeF(18, 12)).contains(find(words, u"K24b"_s)->box));

    // The next labels use the remembered size without asking.
    o.documents.opened.clear();
    o.run(u"PrintKeyLabelsMenuItem"_s);
    QCOMPARE(o.documents.opened.size(), 1);
    QCOMPARE(answerer.answers, 1);
    // Key Label Size asks again, starting from the remembered size.
    o.run(u"KeyLabelSizeMenuItem"_s);
    QCOMPARE(answerer.answers, 2);
}

// The labels are written like every other file: whole or not at all, the reason told.
void TestKeyLabels::aFailedWritingKeepsThePreviousLabels() {
    TOverviewFixture o(namedKeys());
    writeSettings(o, "[CONFIGURATION]\r\nHide_StartBox=1\r\nKey_Label_Width=19\r\nKey_Label_Height=16.5\r\n");
    o.run(u"PrintKeyLabelsMenuItem"_s);
    const QString pdf = o.f.userPath(u"Keycap_Labels/sample.pdf"_s);
    QFile first(pdf);
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray before = first.readAll();
    first.close();

    o.f.keypad().SetMacroName("Changed");
    o.documents.opened.clear();
    {
        TRefusedRenames refused;
        const ScopedFileSteps steps(refused);
        o.run(u"PrintKeyLabelsMenuItem"_s);
    }
    QCOMPARE(shownMessages().size(), 1);
    QVERIFY2(shownMessages().front().startsWith(u"Unable to write to "_s + QDir::toNativeSeparators(pdf) +
                                                u": "_s),
             qPrintable(shownMessages().front()));
    QVERIFY(o.documents.opened.isEmpty());
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), before);
    QCOMPARE(QDir(o.f.userPath(u"Keycap_Labels"_s)).entryList(QDir::Files), QStringList{u"sample.pdf"_s});
}

void TestKeyLabels::longNamesWrapAndStayReadable() {
    const TOverviewFixture o(namedKeys());
    writeSettings(o, "[CONFIGURATION]\r\nKey_Label_Width=14\r\nKey_Label_Height=14\r\n");
    o.run(u"PrintKeyLabelsMenuItem"_s);
    const QString pdf = o.f.userPath(u"Keycap_Labels/sample.pdf"_s);
    QList<Word> words = wordsIn(pdf);
    const double pointsPerHeight = measuredPointsPerHeight();
    const QSizeF mm(14, 14);

    // Each long name goes onto more lines, at a blank where it has one and between two characters
    // where it has none, every line on the label and readable.
    for (const int key : {6, 7, 9}) {
        const QList<Word> lines = wordsOnLevel2(words, labelBox(key, mm));
        const QString name = secondName(key);
        for (const Word& word : lines)
            QVERIFY2(word.box.height() * pointsPerHeight >= ReadablePt,
                     qPrintable(u"%1 at %2 pt"_s.arg(word.text).arg(word.box.height() * pointsPerHeight)));
        QCOMPARE(textsOf(lines).join(name.contains(u' ') ? u" "_s : QString()), name);
        QVERIFY2(lines.last().box.top() > lines.first().box.bottom() - 0.5, qPrintable(name));
    }

    // Twenty-five W cannot be shown whole at a readable size: they are cut short, and the window says
    // which label that is, in its own numbering.
    const QList<Word> cut = wordsOnLevel2(words, labelBox(8, mm));
    QVERIFY(cut.size() >= 2 && cut.last().box.top() > cut.first().box.bottom() - 0.5);
    QVERIFY(cut.last().text.endsWith(u"\u2026"_s));
    QVERIFY(cut.first().box.height() * pointsPerHeight >= ReadablePt);
    QCOMPARE(MessageBox::shown().size(), 1U);
    const QString message = MessageBox::shown().front().text;
    QVERIFY2(message.contains(u"Key 9, Level 2"_s) && !message.contains(u"Key 8,"_s) &&
                 !message.contains(u"Key 10,"_s) && !message.contains(u"Key 7,"_s),
             qPrintable(message));

    // Labels twice the default size have room for larger text and for every name whole.
    const double shortName = find(words, u"K1a"_s)->box.height();
    MessageBox::clearShown();
    writeSettings(o, "[CONFIGURATION]\r\nKey_Label_Width=28\r\nKey_Label_Height=28\r\n");
    o.run(u"PrintKeyLabelsMenuItem"_s);
    words = wordsIn(pdf);
    QVERIFY(find(words, u"K1a"_s)->box.height() > shortName * 1.5);
    QVERIFY(MessageBox::shown().empty());
    QCOMPARE(textsOf(wordsOnLevel2(words, labelBox(8, QSizeF(28, 28)))).join(QString()), secondName(8));
}

KW24_GUI_TEST(TestKeyLabels);

#include "KeyLabelsTest.moc"
