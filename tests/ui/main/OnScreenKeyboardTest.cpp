#include "model/KeyTable.h"
#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/OnScreenKey.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QSet>
#include <QSlider>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<TOnScreenKey*> onScreenKeys(const TEntryFixture& f) {
    return f.window.window->findChildren<TOnScreenKey*>();
}

// What the macro view shows after a click on a key with the given legend: the lower line of a
// two-line legend, or the upper one with Shift; letters small, or capitals with Shift.
QString shownFor(const QString& legend, bool shifted) {
    static const QHash<QString, QString> named = {
        {u"Esc"_s, u"Esc"_s},    {u"Del"_s, u"Del"_s},  {u"Backspace"_s, u"BS"_s},
        {u"Tab"_s, u"Tab"_s},    {u"Enter"_s, u"CR"_s}, {u"Ent"_s, u"CR"_s},
        {QString(), u"Space"_s}, {u".\nDel"_s, u"."_s}}; // the keypad's full stop is a full stop in both
                                                         // states
    if (named.contains(legend))
        return named.value(legend);
    if (shifted && legend == u"@\n2"_s)
        return u"@@"_s;
    const QStringList lines = legend.split(u'\n');
    if (lines.size() == 2)
        return shifted ? lines.front() : lines.back();
    return shifted ? legend.toUpper() : legend.toLower();
}

} // namespace

class TestOnScreenKeyboard final : public QObject {
    Q_OBJECT
private slots:
    void keysAreLaidOutLikeAKeyboard();
    void everyKeyEntersWhatItsLegendShows_data();
    void everyKeyEntersWhatItsLegendShows();
};

void TestOnScreenKeyboard::keysAreLaidOutLikeAKeyboard() {
    TEntryFixture f;
    showActive(*f.window.window);
    const QList<TOnScreenKey*> keys = onScreenKeys(f);
    QCOMPARE(keys.size(), 86);

    QSet<QString> names;
    QStringList hidden;
    QStringList grey;
    QStringList latching;
    QStringList hinted;
    QList<TOnScreenKey*> shown;
    for (TOnScreenKey* key : keys) {
        const QString name = key->objectName();
        names.insert(name);
        QVERIFY2(key->Tag() >= 0 && (key->Tag() < KeyCodeCount ||
                                     (key->Tag() == DelayKeyCode && name == u"SpeedButton105"_s)),
                 qPrintable(name));
        QVERIFY2(f.window.window->rect().contains(key->geometry()), qPrintable(name));
        // Only the keyboard moves the focus onto a key; a click leaves it in the grid.
        QVERIFY2((key->focusPolicy() & Qt::ClickFocus) == 0, qPrintable(name));
        if (key->isVisible())
            shown << key;
        else
            hidden << name + u'=' + key->Legend();
        if (key->KeyColour() == TOnScreenKey::Colour::Grey && key->isVisible())
            grey << name;
        if (key->KeyColour() == TOnScreenKey::Colour::Green)
            QVERIFY2(key->isVisible(), qPrintable(name));
        if (key->isCheckable())
            latching << name;
        if (!key->toolTip().isEmpty())
            hinted << name + u'=' + key->toolTip();
    }
    QCOMPARE(names.size(), 86);
    hidden.sort();
    QCOMPARE(hidden, (QStringList{u"SpeedButton25=F1"_s, u"SpeedButton26=F2"_s, u"SpeedButton27=F5"_s,
                                  u"SpeedButton28=F3"_s, u"SpeedButton29=F4"_s, u"SpeedButton49=F11"_s,
                                  u"SpeedButton51=F9"_s, u"SpeedButton52=F10"_s, u"SpeedButton53=F6"_s,
                                  u"SpeedButton54=F7"_s, u"SpeedButton55=F8"_s}));
    grey.sort();
    QCOMPARE(grey, (QStringList{u"SpeedButton105"_s, u"SpeedButton40"_s, u"SpeedButton67"_s, u"sbtnLCtrl"_s,
                                u"sbtnRCtrl"_s, u"sbtnRShift"_s, u"spdbtnCapsLock"_s}));
    latching.sort();
    QCOMPARE(latching, (QStringList{u"sbtnLCtrl"_s, u"sbtnLShift"_s, u"sbtnRCtrl"_s, u"sbtnRShift"_s,
                                    u"spdbtnCapsLock"_s}));
    hinted.sort();
    QCOMPARE(hinted, (QStringList{u"SpeedButton105=3 byte Delay command"_s,
                                  u"SpeedButton40=Click to add BS character, use keyboard to erase"_s,
                                  u"SpeedButton67=Click to add DEL character, use keyboard to erase"_s,
                                  u"sbtnLCtrl=Use Ctrl+Key to enter ASCII control codes"_s,
                                  u"sbtnRCtrl=Use Ctrl+Key to enter ASCII control codes"_s}));

    // No key hides another or lies under the controls around the keyboard.
    const QList<QWidget*> neighbours = {f.control<QWidget>(u"Panel1"_s), f.control<QWidget>(u"GroupBox1"_s),
                                        f.control<QWidget>(u"tbDelayValue"_s), f.control<QWidget>(u"Grid"_s)};
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                     qPrintable(shown[i]->objectName() + u" and "_s + shown[j]->objectName()));
        for (const QWidget* neighbour : neighbours) {
            const QRect place(neighbour->mapTo(f.window.window.get(), QPoint(0, 0)), neighbour->size());
            QVERIFY2(!shown[i]->geometry().intersects(place),
                     qPrintable(shown[i]->objectName() + u" under "_s + neighbour->objectName()));
        }
    }

    const QList<std::pair<QString, QRect>> places = {
        {u"SpeedButton105"_s, {512, 285, 29, 27}}, {u"spdBtnEsc"_s, {18, 290, 25, 25}},
        {u"SpeedButton40"_s, {356, 322, 51, 25}},  {u"SpeedButton90"_s, {591, 348, 25, 51}},
        {u"sbtnRShift"_s, {337, 400, 70, 25}},     {u"SpeedButton93"_s, {135, 426, 116, 25}},
        {u"SpeedButton132"_s, {565, 426, 25, 25}}};
    for (const auto& [name, place] : places)
        QCOMPARE(f.control<QWidget>(name)->geometry(), place);
    QVERIFY(f.control<QWidget>(u"Bevel1"_s)
                ->geometry()
                .contains(f.control<QWidget>(u"SpeedButton105"_s)->geometry()));
    QCOMPARE(f.control<QWidget>(u"Panel1"_s)->geometry(), QRect(52, 289, 349, 27));
    QCOMPARE(f.control<QLabel>(u"Label2"_s)->text(),
             u"Click on any key below or type on PC keyboard (green keys only)"_s);
}

void TestOnScreenKeyboard::everyKeyEntersWhatItsLegendShows_data() {
    QTest::addColumn<bool>("shifted");
    QTest::newRow("unshifted") << false;
    QTest::newRow("with the left Shift latched before each key") << true;
}

// Catches a key whose tag does not match its legend.
void TestOnScreenKeyboard::everyKeyEntersWhatItsLegendShows() {
    QFETCH(bool, shifted);
    TEntryFixture f;
    showActive(*f.window.window);

    QStringList expected;
    for (TOnScreenKey* key : onScreenKeys(f)) {
        if (!key->isVisible() || key->isCheckable() || key->Tag() == DelayKeyCode)
            continue;
        if (shifted)
            clickKeys(f, {u"sbtnLShift"_s});
        QTest::mouseClick(key, Qt::LeftButton);
        expected << shownFor(key->Legend(), shifted);
    }
    QCOMPARE(expected.size(), 69);
    QCOMPARE(cellTexts(f.grid(), static_cast<int>(expected.size())), expected);
}

KW24_GUI_TEST(TestOnScreenKeyboard);

#include "OnScreenKeyboardTest.moc"
