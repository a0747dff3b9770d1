#include "ui/dialogs/About.h"

#include "tests/support/DialogHelpers.h"
#include "tests/support/GuiTest.h"
#include "ui/dialogs/OurVersion.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;

class AboutTest final : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VerifyNoWindowLeftOpen(); }

    void versionIsTheFirstFiveCharactersOfTheFileVersion_data();
    void versionIsTheFirstFiveCharactersOfTheFileVersion();
    void showsLogoDescriptionAndTheProgramsVersion();
    void standsCentredOnTheMainWindow_data();
    void standsCentredOnTheMainWindow();
    void opensWithOkFocusedAndOkCloses();
    void controlsFit();
};

void AboutTest::versionIsTheFirstFiveCharactersOfTheFileVersion_data() {
    QTest::addColumn<std::optional<QString>>("fileVersion");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four parts") << std::optional(u"6.0.0.0"_s) << u"6.0.0"_s;
    QTest::newRow("two-digit parts") << std::optional(u"12.34.5.6"_s) << u"12.34"_s;
    QTest::newRow("shorter than five") << std::optional(u"6.1"_s) << u"6.1"_s;
    QTest::newRow("none") << std::optional<QString>() << u"NA"_s;
}

void AboutTest::versionIsTheFirstFiveCharactersOfTheFileVersion() {
    QFETCH(std::optional<QString>, fileVersion);
    QTEST(ShortVersion(fileVersion), "shown");
}

void AboutTest::showsLogoDescriptionAndTheProgramsVersion() {
    QWidget mainWindow;
    TfrmAbout about(&mainWindow);
    QCOMPARE(about.findChild<QLabel*>(u"lblVersion"_s)->text(), u"Version 6.0.0"_s);
    QCOMPARE(about.findChild<QLabel*>(u"lblDescription"_s)->text(),
             u"Keywright Redefinition Software for Tessapad 24"_s);
    QVERIFY(!about.findChild<QLabel*>(u"BrimlowLogoImage"_s)->pixmap().isNull());
}

void AboutTest::standsCentredOnTheMainWindow_data() {
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<QPoint>("aboutTopLeft");
    // Halves are truncated: an even main window width leaves the odd About width half a pixel left.
    QTest::newRow("even width") << QRect(100, 50, 630, 457) << QPoint(100 + 315 - 151, 50 + 228 - 91);
    QTest::newRow("left of the primary screen")
        << QRect(-700, -20, 631, 456) << QPoint(-700 + 315 - 151, -20 + 228 - 91);
}

void AboutTest::standsCentredOnTheMainWindow() {
    QFETCH(QRect, mainWindow);
    QWidget window;
    window.setGeometry(mainWindow); // not shown, so the frame adds nothing to these numbers

    const TfrmAbout about(&window);

    QTEST(about.pos(), "aboutTopLeft");
    QCOMPARE(about.size(), QSize(303, 182));
}

void AboutTest::opensWithOkFocusedAndOkCloses() {
    QWidget mainWindow;
    TfrmAbout about(&mainWindow);
    const QWidget* focused = nullptr;

    const int result = ExecWith(about, [&] {
        focused = about.focusWidget();
        QTest::mouseClick(about.findChild<QPushButton*>(u"btnOk"_s), Qt::LeftButton);
    });

    QCOMPARE(focused, about.findChild<QPushButton*>(u"btnOk"_s));
    QCOMPARE(result, int(QDialog::Accepted));
}

void AboutTest::controlsFit() {
    TfrmAbout about(nullptr);
    VerifyEveryControlFits(about);
}

KW24_GUI_TEST(AboutTest);

#include "AboutTest.moc"
