#include "ui/overview/WrappedText.h"

#include "tests/support/GuiTest.h"

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

using Spans = QList<QTextLayout::FormatRange>;

Spans tinted(int start, int length) {
    QTextLayout::FormatRange span;
    span.start = start;
    span.length = length;
    span.format.setBackground(QColor(0xdd, 0xe6, 0xf3));
    return {span};
}

Spans italic(int start, int length) {
    QTextLayout::FormatRange span;
    span.start = start;
    span.length = length;
    span.format.setFontItalic(true);
    return {span};
}

// A window holding only a passage of fixed size, shown and painted.
struct ShownPassage {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TWrappedText* text = new TWrappedText(window.get());

    explicit ShownPassage(const QString& shown, const Spans& spans) {
        window->setFixedSize(220, 160);
        text->setGeometry(0, 0, 220, 160);
        text->SetText(shown, spans);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the passage's window was not shown");
        QCoreApplication::processEvents();
    }

    // What the screen shows of it: the window's painted pixels, kept between repaints.
    QImage onScreen() const { return window->screen()->grabWindow(window->winId()).toImage(); }
};

} // namespace

class TestWrappedText : public QObject {
    Q_OBJECT

private slots:
    void aChangedPassageShowsWhatItShowsWhenShownAfresh();
};

// A passage repaints only the lines a change touched; whatever the change, the screen must then show
// what a passage given the new text from the start shows.
void TestWrappedText::aChangedPassageShowsWhatItShowsWhenShownAfresh() {
    const QString bytes = u"41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 55 56 57 58 59 5A "
                          u"30 31 32 33 34 35 36 37 38 39 0D 0A 1B 7E 01 7E 02 7E 08"_s;
    const QString words = u"the quick brown fox jumps over the lazy dog and then naps"_s;
    const struct {
        const char* change;
        QString before;
        Spans spansBefore;
        QString after;
        Spans spansAfter;
    } cases[] = {
        {"a byte typed at the end", bytes, {}, bytes + u" 31"_s, {}},
        {"a byte typed at the start", bytes, {}, u"31 "_s + bytes, {}},
        {"bytes removed from the middle", bytes, {}, bytes.left(30) + bytes.mid(60), {}},
        {"most of it removed", bytes, {}, bytes.left(5), {}},
        {"a word grown past its line's end",
         words,
         {},
         QString(words).replace(u"lazy"_s, u"laaaaaaazy"_s),
         {}},
        {"a long word shortened onto the line before",
         QString(words).replace(u"naps"_s, u"naaaaaaaaaps"_s),
         {},
         words,
         {}},
        {"a digit changed in the middle of a line",
         u"48 keys, 1234 bytes of 4096 used"_s,
         {},
         u"48 keys, 1235 bytes of 4096 used"_s,
         {}},
        {"a wider character in place of the last one", u"Kaffee"_s, {}, u"KaffeW"_s, {}},
        {"italic characters typed after italic ones", u"naps ff"_s, italic(5, 2), u"naps fffj"_s,
         italic(5, 4)},
        {"a span added", words, {}, words, tinted(20, 5)},
        {"a span moved", words, tinted(20, 5), words, tinted(40, 5)},
    };
    for (const auto& c : cases) {
        ShownPassage changed(c.before, c.spansBefore);
        changed.text->SetText(c.after, c.spansAfter);
        QCoreApplication::processEvents();
        const ShownPassage fresh(c.after, c.spansAfter);
        QVERIFY2(changed.onScreen() == fresh.onScreen(), c.change);
    }
}

KW24_GUI_TEST(TestWrappedText);

#include "WrappedTextTest.moc"
