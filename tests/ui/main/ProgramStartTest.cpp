#include "ui/main/ProgramStart.h"

#include "platform/UserSettings.h"
#include "tests/support/GuiTest.h"
#include "tests/support/WindowFixture.h"
#include "ui/Application.h"
#include "ui/ReadableStyle.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// Throws from its event handler, as a command does with an error it does not handle itself.
class TFailingCommand final : public QObject {
public:
    explicit TFailingCommand(std::string message)
        : fMessage(std::move(message)) {}
    bool event(QEvent* /*event*/) override { throw std::runtime_error(fMessage); }

private:
    std::string fMessage;
};

} // namespace

class TestProgramStart final : public QObject {
    Q_OBJECT
private slots:
    void startsUntitledWithEmptyMacroView();
    void makesItsFoldersAndLeavesExistingOnesAlone();
    void folderThatCannotBeMadeStopsWithTheReason();
    void loadsTheFileNamedOnTheCommandLine();
    void unusableCommandLineFileStartsUntitled_data();
    void unusableCommandLineFileStartsUntitled();
    void readsHideStartBox_data();
    void readsHideStartBox();
    void errorReportAddsFullStop_data();
    void errorReportAddsFullStop();
    void unhandledErrorIsReportedAndProgramGoesOn();
    void windowHasFixedLayout_data();
    void windowHasFixedLayout();
    void toolbarHasItsItemsInOrder();
    void followsADarkDesktopPalette();
    void controlEdgesShowOnADarkPalette();
};

void TestProgramStart::startsUntitledWithEmptyMacroView() {
    TWindowFixture f;
    TfrmMain& window = *f.window;
    QCOMPARE(window.windowTitle(), u"Keywright24 - untitled.ckd"_s);
    QCOMPARE(window.CurrentDocumentPath(), u"untitled.ckd"_s);
    QVERIFY(!window.HasChangesPending());
    QVERIFY(!f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());

    QVERIFY(f.control<QAbstractButton>(u"SpeedButton21"_s)->isChecked());
    QCOMPARE(f.control<QTabWidget>(u"TabControlLevel"_s)->currentIndex(), 0);
    QCOMPARE(f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 1, Level 1"_s);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"100"_s);
    QCOMPARE(f.control<QProgressBar>(u"Gauge1"_s)->value(), 0);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QCOMPARE(grid->CursorIndex(), 0);
    for (int cell = 0; cell < 100; ++cell)
        QVERIFY2(grid->CellText(cell).trimmed().isEmpty(), qPrintable(u"cell %1"_s.arg(cell)));

    auto* port = f.control<QLabel>(u"panelPort"_s);
    QCOMPARE(port->text(), u"Port: <not set>"_s);
    QCOMPARE(port->palette().color(port->foregroundRole()), QColor(255, 0, 0));

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), grid);
}

void TestProgramStart::makesItsFoldersAndLeavesExistingOnesAlone() {
    TWindowFixture f({}, false);
    const QString kept = f.documents.filePath(u"Brimlow/Keywright24/Macro_Files/kept.ckd"_s);
    QVERIFY(QDir().mkpath(QFileInfo(kept).path()));
    writeFile(kept, "[KEY0]\r\n");

    f.window = std::make_unique<TfrmMain>(QStringList());
    for (const QString& folder : {u""_s, u"Macro_Files"_s, u"Keycap_Labels"_s})
        QVERIFY2(QFileInfo(f.userPath(folder)).isDir(), qPrintable(folder));
    QCOMPARE(QDir::cleanPath(f.window->GetUserFolder()), QDir::cleanPath(f.userPath()));
    QVERIFY(QFile::exists(kept));
    QVERIFY(!QFile::exists(SettingsFilePath(f.userPath())));
    QVERIFY(!ReadHideStartBox(f.userPath()));
    QVERIFY(!QFile::exists(SettingsFilePath(f.userPath()))); // reading never creates it

    // A documents folder the desktop names but has not made yet is made too.
    const QString newDocuments = f.documents.filePath(u"new account/Documents"_s);
    Folders::setDocumentsForTests(newDocuments);
    QCOMPARE(QDir::cleanPath(MakeUserFolder()), QDir::cleanPath(newDocuments + u"/Brimlow/Keywright24"_s));
    QVERIFY(QFileInfo(MakeUserFolder()).isDir());
}

void TestProgramStart::folderThatCannotBeMadeStopsWithTheReason() {
    TWindowFixture f({}, false);
    writeFile(f.documents.filePath(u"Brimlow"_s), "a file where the folder belongs");
    try {
        MakeUserFolder();
        QFAIL("no error for a folder that cannot be made");
    } catch (const FolderError& error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.contains(u"Brimlow"_s), qPrintable(message));
        QVERIFY2(
            message.contains(QString::fromStdString(std::make_error_code(std::errc::file_exists).message())),
            qPrintable(message));
    }
    QVERIFY_THROWS_EXCEPTION(FolderError, TfrmMain window{QStringList()});
}

void TestProgramStart::loadsTheFileNamedOnTheCommandLine() {
    TWindowFixture f({}, false);
    const QString path = f.documents.filePath(u"pad.ckd"_s);
    writeFile(path, "[GLOBAL_PARAMETERS]\r\nKey_Roll_Over=2\r\n"
                    "[KEY0]\r\nKeyType=0\r\nL1_AutoRepeat=1\r\nLevel_1_Codes=414243\r\nLevel_1_Name=Hello\r\n"
                    "[KEY3]\r\nKeyType=1\r\n");

    const QString startedIn = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f.documents.path())); // the file named relative to where it starts
    f.window = std::make_unique<TfrmMain>(QStringList{u"pad.ckd"_s, u"ignored"_s});
    QVERIFY(QDir::setCurrent(startedIn));
    QCOMPARE(f.window->windowTitle(), u"Keywright24 - pad.ckd"_s);
    QCOMPARE(f.window->CurrentDocumentPath(), path);
    QVERIFY(!f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QVERIFY(f.control<QAbstractButton>(u"SpeedButton21"_s)->isChecked());
    QCOMPARE(f.keypad().Key(), 0);
    QCOMPARE(f.keypad().Level(), 0);
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 1, Level 1"_s);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QCOMPARE(grid->CellText(0), u"A"_s);
    QCOMPARE(grid->CellText(2), u"C"_s);
    QCOMPARE(grid->CursorIndex(), 3);
    QCOMPARE(f.control<QLineEdit>(u"EditName"_s)->text(), u"Hello"_s);
    QVERIFY(f.control<QAbstractButton>(u"chkboxAutoRepeat"_s)->isChecked());
    QVERIFY(!f.control<QToolButton>(u"SpeedButton24"_s)->icon().isNull()); // key 3 is a shift-level key
    QVERIFY(f.control<QToolButton>(u"SpeedButton22"_s)->icon().isNull());
    QVERIFY(MessageBox::shown().empty());
}

void TestProgramStart::unusableCommandLineFileStartsUntitled_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("reported");
    QTest::newRow("missing file") << u"none"_s << QByteArray() << false;
    QTest::newRow("bad key section") << u"file"_s << QByteArray("[KEY0]\r\nLevel_1_Codes=41\r\n[KEYX]\r\n")
                                     << true;
    QTest::newRow("a folder") << u"folder"_s << QByteArray() << true;
}

void TestProgramStart::unusableCommandLineFileStartsUntitled() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(bool, reported);
    TWindowFixture f({}, false);
    const QString path = f.documents.filePath(u"broken.ckd"_s);
    if (kind == u"file"_s)
        writeFile(path, content);
    else if (kind == u"folder"_s)
        QVERIFY(QDir().mkpath(path));

    f.window = std::make_unique<TfrmMain>(QStringList{path});
    QCOMPARE(f.window->windowTitle(), u"Keywright24 - untitled.ckd"_s);
    QCOMPARE(f.window->CurrentDocumentPath(), u"untitled.ckd"_s);
    QVERIFY(!f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QCOMPARE(f.keypad().NumOfElements(), 0); // the definition stays empty, nothing half-read
    QCOMPARE(MessageBox::shown().size(), reported ? 1u : 0u);
    if (reported) {
        const MessageBox::Shown& box = MessageBox::shown().front();
        QCOMPARE(box.icon, MessageBox::Icon::Error);
        QCOMPARE(box.title, u"Keywright24"_s);
        QVERIFY(!box.text.isEmpty());
    }
}

void TestProgramStart::readsHideStartBox_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("set") << QByteArray("[CONFIGURATION]\r\nHide_StartBox=1\r\n") << true;
    QTest::newRow("any letter case") << QByteArray("[configuration]\nhide_startbox=1\n") << true;
    QTest::newRow("hexadecimal") << QByteArray("[CONFIGURATION]\r\nHide_StartBox=0x10\r\n") << true;
    QTest::newRow("zero") << QByteArray("[CONFIGURATION]\r\nHide_StartBox=0\r\n") << false;
    QTest::newRow("not a number") << QByteArray("[CONFIGURATION]\r\nHide_StartBox=yes\r\n") << false;
    QTest::newRow("other section") << QByteArray("[OTHER]\r\nHide_StartBox=1\r\n") << false;
}

void TestProgramStart::readsHideStartBox() {
    QFETCH(QByteArray, settings);
    QFETCH(bool, hidden);
    const QTemporaryDir userFolder;
    writeFile(SettingsFilePath(userFolder.path()), settings);
    QCOMPARE(ReadHideStartBox(userFolder.path()), hidden);
}

void TestProgramStart::errorReportAddsFullStop_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << u"Unable to write to pad.ckd"_s << u"Unable to write to pad.ckd."_s;
    QTest::newRow("digit") << u"Error 5"_s << u"Error 5."_s;
    QTest::newRow("full stop") << u"Done."_s << u"Done."_s;
    QTest::newRow("exclamation mark") << u"Macro Full!"_s << u"Macro Full!"_s;
    QTest::newRow("closing quote") << u"Not found: \"x\""_s << u"Not found: \"x\""_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestProgramStart::errorReportAddsFullStop() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(ErrorReportText(text), shown);
}

void TestProgramStart::unhandledErrorIsReportedAndProgramGoesOn() {
    TWindowFixture f;
    TFailingCommand command("Unable to write to pad.ckd");
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&command, &event), false);
    QCOMPARE(MessageBox::shown().size(), 1u);
    QCOMPARE(MessageBox::shown().front().icon, MessageBox::Icon::Error);
    QCOMPARE(MessageBox::shown().front().title, u"Keywright24"_s);
    QCOMPARE(MessageBox::shown().front().text, u"Unable to write to pad.ckd."_s);
    QVERIFY(f.window->isEnabled());
}

void TestProgramStart::windowHasFixedLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // in the window's client area
    QTest::newRow("toolbar") << u"ToolBar1"_s << QRect(0, 0, 631, 40);
    QTest::newRow("keypad") << u"pnlKeypad"_s << QRect(18, 60, 130, 192);
    QTest::newRow("first key") << u"SpeedButton21"_s << QRect(18 + 8, 60 + 8, 25, 25);
    QTest::newRow("key 6") << u"SpeedButton108"_s << QRect(18 + 38, 60 + 40, 25, 25);
    QTest::newRow("last key") << u"SpeedButton140"_s << QRect(18 + 98, 60 + 160, 25, 25);
    QTest::newRow("level tabs") << u"TabControlLevel"_s << QRect(161, 50, 462, 217);
    QTest::newRow("macro header") << u"pnlMacroHeader"_s << QRect(161 + 4, 50 + 25, 454, 64);
    QTest::newRow("gauge") << u"Gauge1"_s << QRect(161 + 4 + 267, 50 + 25 + 20, 179, 12);
    QTest::newRow("name") << u"EditName"_s << QRect(161 + 4 + 56, 50 + 25 + 30, 145, 21);
    QTest::newRow("grid") << u"Grid"_s << QRect(161 + 5, 50 + 92, 452, 121);
    QTest::newRow("port") << u"panelPort"_s << QRect(161 + 276, 50, 160, 18);
}

void TestProgramStart::windowHasFixedLayout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    TWindowFixture f;
    QCOMPARE(f.window->size(), QSize(631, 457));
    QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
    QVERIFY(!f.window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    const QWidget* control = f.control<QWidget>(name);
    QCOMPARE(QRect(control->mapTo(f.window.get(), QPoint(0, 0)), control->size()), geometry);
}

void TestProgramStart::toolbarHasItsItemsInOrder() {
    TWindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const auto* toolBar = f.control<QFrame>(u"ToolBar1"_s);
    QCOMPARE(toolBar->frameShape(), QFrame::Panel); // a border on all four sides
    QStringList items;
    for (int index = 0; index < toolBar->layout()->count(); ++index) {
        const QWidget* item = toolBar->layout()->itemAt(index)->widget();
        if (item == nullptr)
            continue; // the stretch after the last button
        const auto* button = qobject_cast<const QToolButton*>(item);
        items << item->objectName() + u'=' + (button ? button->text() : u"|"_s);
        if (button)
            QVERIFY2(!button->icon().isNull(), qPrintable(item->objectName()));
        // all on one row, inside the bar
        QVERIFY2(item->isVisibleTo(toolBar), qPrintable(item->objectName()));
        QVERIFY2(toolBar->rect().contains(item->geometry()), qPrintable(item->objectName()));
    }
    QCOMPARE(items,
             (QStringList{u"ToolBtnNew=  New "_s, u"ToolBtnOpen= Open "_s, u"ToolBtnSave= Save "_s,
                          u"ToolBtnSaveAs=Save As"_s, u"ToolButton10=|"_s, u"ToolBtnParameters=Properties"_s,
                          u"ToolButton13=|"_s, u"ToolBtnHelp= Help  "_s, u"ToolButtonKeyLabels=Key Labels"_s,
                          u"ToolButton2=|"_s, u"btnWirepick=Set Port"_s, u"ToolBtnDownload=Download"_s,
                          u"ToolButtonTest=  Test  "_s, u"ToolBtnView=View"_s}));
}

void TestProgramStart::followsADarkDesktopPalette() {
    TWindowFixture f;
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    const auto restoreLight = qScopeGuard([&light] { QApplication::setPalette(light); });

    QTRY_COMPARE(f.window->palette().color(QPalette::Window), QColor(30, 30, 32));
    QCOMPARE(f.window->palette().color(QPalette::WindowText), QColor(230, 230, 230));
    const QPalette port = f.control<QLabel>(u"panelPort"_s)->palette();
    QCOMPARE(port.color(QPalette::Window), QColor(Qt::white)); // red on white on every desktop
    QCOMPARE(port.color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(166, 202, 240));
}

// The lightest pixel of part of a control, as the control draws itself.
int lightestIn(QWidget* control, const QRect& part) {
    const QImage image = control->grab().toImage();
    int lightest = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            if (image.rect().contains(x, y))
                lightest = std::max(lightest, QColor(image.pixel(x, y)).lightness());
    return lightest;
}

void TestProgramStart::controlEdgesShowOnADarkPalette() {
    TWindowFixture f;
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const auto role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    const auto restoreLight = qScopeGuard([&light] { QApplication::setPalette(light); });
    f.window->show();
    QTRY_VERIFY(IsDarkPalette(f.control<QWidget>(u"chkboxAutoRepeat"_s)->palette()));
    const int background =
        f.control<QWidget>(u"chkboxAutoRepeat"_s)->palette().color(QPalette::Window).lightness();

    // The check box's and the radio button's marks, without their captions, and the empty text field.
    auto* check = f.control<QCheckBox>(u"chkboxAutoRepeat"_s);
    QStyleOptionButton option;
    option.initFrom(check);
    const QRect checkMark = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
    auto* radio = f.control<QRadioButton>(u"rbDecimal"_s);
    option.initFrom(radio);
    const QRect radioMark = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    auto* field = f.control<QLineEdit>(u"edManualInput"_s);
    field->clear();
    // The delay scale's tick marks, under the handle's row.
    auto* scale = f.control<QSlider>(u"tbDelayValue"_s);
    QStyleOptionSlider sliderOption;
    sliderOption.initFrom(scale);
    sliderOption.orientation = Qt::Horizontal;
    sliderOption.minimum = scale->minimum();
    sliderOption.maximum = scale->maximum();
    sliderOption.sliderPosition = scale->value();
    sliderOption.tickPosition = scale->tickPosition();
    sliderOption.tickInterval = scale->tickInterval();
    const QRect handle =
        scale->style()->subControlRect(QStyle::CC_Slider, &sliderOption, QStyle::SC_SliderHandle, scale);
    const QRect ticks(0, handle.bottom() + 1, scale->width(), scale->height() - handle.bottom() - 1);
    const struct {
        QWidget* control;
        QRect part;
    } edges[] = {{check, checkMark}, {radio, radioMark}, {field, field->rect()}, {scale, ticks}};
    for (const auto& edge : edges)
        QVERIFY2(lightestIn(edge.control, edge.part) > background + 60,
                 qPrintable(edge.control->objectName()));
}

KW24_GUI_TEST(TestProgramStart);

#include "ProgramStartTest.moc"
