#include "platform/FileFilter.h"
#include "platform/ProcessWait.h"
#include "platform/ShellStart.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ProgramsFixture.h"
#include "tests/ui/main/DocumentsSuites.h"
#include "ui/dialogs/About.h"
#include "ui/dialogs/Params.h"
#include "ui/dialogs/Startup.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/ProgramStart.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString LoaderMissing =
    u"Could not find \"Uplinker.exe\" loader program.  Make sure it is located in the "
    u"same directory as this application."_s;
const QString TestProgramMissing =
    u"Could not find the Windows Tapscope Program.  Make sure it is located in "
    u"the same directory as this application."_s;
const QString PortToolMissing = u"Could not find \"Wirepick.exe\".  Make sure it is located in the same "
                                u"directory as this application."_s;

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The visible top-level window of type T, once it is there.
template <typename T> T* visibleWindow() {
    T* found = nullptr;
    const bool shown = QTest::qWaitFor([&found] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* typed = qobject_cast<T*>(window); typed != nullptr && typed->isVisible())
                found = typed;
        return found != nullptr;
    });
    return shown ? found : nullptr;
}

} // namespace

class TestExternalPrograms final : public QObject {
    Q_OBJECT
private slots:
    void downloadStartsTheLoaderWithTheQuotedImage();
    void downloadRefuses_data();
    void downloadRefuses();
    void testStartsTheTestProgramForTheMode_data();
    void testStartsTheTestProgramForTheMode();
    void setPortWaitsForTheToolAndRereadsThePort();
    void setPortWithoutTheToolStillRereadsThePort();
    void portStatusShowsTheRecordedPort_data();
    void portStatusShowsTheRecordedPort();
    void helpMenuOpensTheHelpDocuments_data();
    void helpMenuOpensTheHelpDocuments();
    void aHelpDocumentWithoutAViewerIsNotCalledMissing();
    void keyLabelsOpensTheChosenDocument();
    void propertiesShowsTheOneDialogThenRereadsThePort();
    void aboutBoxOpensCentredOnTheWindow();
    void startupPromptYesOpensGettingStarted_data();
    void startupPromptYesOpensGettingStarted();
    void splitsWindowsParameters_data();
    void splitsWindowsParameters();
    void quotedPathsSplitBackWhole_data();
    void quotedPathsSplitBackWhole();
    void downloadHandsAnOddPathOverLiterally();
    void nameFiltersFromPairs();
    void startAndWaitStepsUntilTheEnd();
};

// A path with blanks reaches the loader as one argument.
void TestExternalPrograms::downloadStartsTheLoaderWithTheQuotedImage() {
    TProgramsFixture p;
    p.installProgram(u"Uplinker.exe"_s);
    const QString path = p.f.userPath(u"my pads/pad one two.ckd"_s);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnSaveAs"_s);
    QCOMPARE(p.window().GetDownloadFileName(), u"\""_s + p.f.userPath(u"my pads/pad one two.hex"_s) + u'"');

    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(p.startedWith(u"Uplinker.exe"_s), QStringList{p.f.userPath(u"my pads/pad one two.hex"_s)});
    QVERIFY(MessageBox::shown().empty());
}

void TestExternalPrograms::downloadRefuses_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("changed after saving")
        << u"changed"_s << u"You must save your file before downloading it to the keypad."_s;
    QTest::newRow("started with a file")
        << u"command line"_s << u"Please open a Keypad .CKD file before attempting to download."_s;
    QTest::newRow("new definition") << u"new"_s
                                    << u"Please open a Keypad .CKD file before attempting to download."_s;
    QTest::newRow("no loader") << u"no loader"_s << LoaderMissing;
}

void TestExternalPrograms::downloadRefuses() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    const QTemporaryDir elsewhere;
    const QString startFile = elsewhere.filePath(u"start.ckd"_s);
    {
        TKeypadClass keypad;
        ToggleShiftSlots ignored;
        WriteDefinitionFile(keypad, toFilesystemPath(startFile), ignored);
    }
    TProgramsFixture p(situation == u"command line"_s ? QStringList{startFile} : QStringList{});
    if (situation != u"no loader"_s)
        p.installProgram(u"Uplinker.exe"_s);
    if (situation == u"changed"_s || situation == u"no loader"_s) {
        FileDialog::setNextFileName(p.f.userPath(u"Macro_Files/pad.ckd"_s));
        click(p, u"ToolBtnSaveAs"_s);
        QVERIFY(QFile::exists(p.f.userPath(u"Macro_Files/pad.hex"_s)));
    }
    if (situation == u"changed"_s)
        MakeAnEdit(p);
    if (situation == u"command line"_s)
        QCOMPARE(p.window().windowTitle(), u"Keywright24 - start.ckd"_s);

    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(shownMessages(), QStringList{message});
    QCOMPARE(MessageBox::shown().front().icon, MessageBox::Icon::Error);
    QVERIFY(!p.wasStarted(u"Uplinker.exe"_s));
}

// Port -1 starts nothing; a missing program is reported in either mode.
void TestExternalPrograms::testStartsTheTestProgramForTheMode_data() {
    QTest::addColumn<int>("opMode");
    QTest::addColumn<QByteArray>("loaderIni"); // in the user's folder; empty: none
    QTest::addColumn<QString>("installed");    // the program that is there
    QTest::addColumn<QString>("started");      // empty: none
    QTest::addColumn<QStringList>("arguments");
    const QByteArray port3("[Com Port Configuration]\r\nComPort=3\r\nComType=U\r\n");
    const QString keyTest = u"Tapscope.exe"_s;
    const QString serialTest = u"Qvt.exe"_s;
    QTest::newRow("USB keyboard") << 48 << port3 << keyTest << keyTest << QStringList();
    QTest::newRow("USB keyboard, no key test program")
        << 48 << port3 << serialTest << QString() << QStringList();
    QTest::newRow("no loader INI") << 0 << QByteArray() << serialTest << serialTest << QStringList();
    QTest::newRow("port 0") << 32 << QByteArray("[Com Port Configuration]\r\nComPort=0\r\n") << serialTest
                            << serialTest << QStringList();
    QTest::newRow("port 3") << 0 << port3 << serialTest << serialTest << QStringList{u"3"_s};
    QTest::newRow("port -1") << 0 << QByteArray("[Com Port Configuration]\r\nComPort=-1\r\n") << serialTest
                             << QString() << QStringList();
    QTest::newRow("no serial test program") << 0 << port3 << keyTest << QString() << QStringList();
}

void TestExternalPrograms::testStartsTheTestProgramForTheMode() {
    QFETCH(int, opMode);
    QFETCH(QByteArray, loaderIni);
    QFETCH(QString, installed);
    QFETCH(QString, started);
    QFETCH(QStringList, arguments);
    TProgramsFixture p;
    p.installProgram(installed);
    if (!loaderIni.isEmpty())
        TProgramsFixture::writeLoaderIni(p.f.userPath(), loaderIni);
    p.f.keypad().SetOpMode(static_cast<std::uint8_t>(opMode));

    click(p, u"ToolButtonTest"_s);
    if (started.isEmpty()) {
        QCOMPARE(shownMessages(), QStringList{TestProgramMissing});
        QVERIFY(!p.wasStarted(installed));
    } else {
        QCOMPARE(p.startedWith(started), arguments);
        QVERIFY(MessageBox::shown().empty());
    }
}

// The tool records the port a moment before it ends; the status shows it, so Set Port waited.
void TestExternalPrograms::setPortWaitsForTheToolAndRereadsThePort() {
    TProgramsFixture p;
    const QString userIni = p.f.userPath(u"Uplinker.ini"_s);
    p.installProgram(u"Wirepick.exe"_s,
                     "sleep 1\nprintf '[Com Port Configuration]\\r\\nComPort=3\\r\\nComType=U\\r\\n' > '" +
                         userIni.toUtf8() + "'");
    auto* port = p.f.control<QLabel>(u"panelPort"_s);
    QCOMPARE(port->text(), u"Port: <not set>"_s);

    click(p, u"btnWirepick"_s);
    QCOMPARE(port->text(), u"Port: COM3 (USB)"_s);
    QCOMPARE(port->palette().color(port->foregroundRole()), QColor(0, 128, 0));
    QCOMPARE(p.startedWith(u"Wirepick.exe"_s), QStringList());
    QVERIFY(MessageBox::shown().empty());
}

void TestExternalPrograms::setPortWithoutTheToolStillRereadsThePort() {
    TProgramsFixture p;
    TProgramsFixture::writeLoaderIni(p.f.userPath(),
                                     "[Com Port Configuration]\r\nComPort=5\r\nComType=V\r\n");
    click(p, u"btnWirepick"_s);
    QCOMPARE(shownMessages(), QStringList{PortToolMissing});
    QCOMPARE(p.f.control<QLabel>(u"panelPort"_s)->text(), u"Port: COM5 (CDC)"_s);
}

void TestExternalPrograms::portStatusShowsTheRecordedPort_data() {
    QTest::addColumn<QByteArray>("loaderIni"); // empty: none
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    const QColor green(0, 128, 0);
    const QColor red(255, 0, 0);
    QTest::newRow("COM3, USB") << QByteArray("[Com Port Configuration]\r\nComPort=3\r\nComType=U\r\n")
                               << u"Port: COM3 (USB)"_s << green;
    QTest::newRow("kind longer than a letter")
        << QByteArray("[Com Port Configuration]\r\nComPort=12\r\nComType=USB\r\n") << u"Port: COM12"_s
        << green;
    QTest::newRow("DB9, small letter") << QByteArray("[com port configuration]\r\ncomport=7\r\ncomtype=r\r\n")
                                       << u"Port: COM7 (DB9)"_s << green;
    QTest::newRow("CDC") << QByteArray("[Com Port Configuration]\r\nComPort=2\r\nComType=v\r\n")
                         << u"Port: COM2 (CDC)"_s << green;
    QTest::newRow("no kind") << QByteArray("[Com Port Configuration]\r\nComPort=4\r\n") << u"Port: COM4"_s
                             << green;
    QTest::newRow("hexadecimal port")
        << QByteArray("[Com Port Configuration]\r\nComPort=0x10\r\nComType=U\r\n") << u"Port: COM16 (USB)"_s
        << green;
    QTest::newRow("port 0") << QByteArray("[Com Port Configuration]\r\nComPort=0\r\nComType=U\r\n")
                            << u"Port: <not set>"_s << red;
    QTest::newRow("not a number") << QByteArray("[Com Port Configuration]\r\nComPort=COM3\r\n")
                                  << u"Port: <not set>"_s << red;
    QTest::newRow("no file") << QByteArray() << u"Port: <not set>"_s << red;
    QTest::newRow("negative port keeps the panel")
        << QByteArray("[Com Port Configuration]\r\nComPort=-1\r\nComType=R\r\n") << u"Port: COM9 (USB)"_s
        << green;
}

void TestExternalPrograms::portStatusShowsTheRecordedPort() {
    QFETCH(QByteArray, loaderIni);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    TProgramsFixture p;
    TProgramsFixture::writeLoaderIni(p.f.userPath(),
                                     "[Com Port Configuration]\r\nComPort=9\r\nComType=U\r\n");
    p.window().ShowPortStatus();
    QFile::remove(p.f.userPath(u"Uplinker.ini"_s));
    if (!loaderIni.isEmpty())
        TProgramsFixture::writeLoaderIni(p.f.userPath(), loaderIni);

    p.window().ShowPortStatus();
    auto* port = p.f.control<QLabel>(u"panelPort"_s);
    QCOMPARE(port->text(), caption);
    QCOMPARE(port->palette().color(port->foregroundRole()), colour);
    QCOMPARE(port->toolTip(), u"Click \"Set Port\" to set the keypad COM port"_s);
}

void TestExternalPrograms::helpMenuOpensTheHelpDocuments_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("present");
    QTest::newRow("Getting Started") << u"GettingStarted"_s << u"Getting Started.pdf"_s << true;
    QTest::newRow("Getting Started, missing") << u"GettingStarted"_s << u"Getting Started.pdf"_s << false;
    QTest::newRow("User Manual") << u"UserManual"_s << u"Keywright24.pdf"_s << true;
    QTest::newRow("User Manual, missing") << u"UserManual"_s << u"Keywright24.pdf"_s << false;
}

// A help document that is there but that no program can show is not called missing.
void TestExternalPrograms::aHelpDocumentWithoutAViewerIsNotCalledMissing() {
    TProgramsFixture p;
    const QString path = QDir::toNativeSeparators(p.programs.filePath(u"Help/Keywright24.pdf"_s));
    writeFile(path, "%PDF-1.4\n");
    QDesktopServices::unsetUrlHandler(u"file"_s); // the offscreen desktop opens nothing itself
    p.f.control<QAction>(u"UserManual"_s)->trigger();
    QCOMPARE(
        shownMessages(),
        QStringList{u"The help file \"Keywright24.pdf\" is in %1, but no program could be found to show it. "
                    u"Install a PDF viewer to read it."_s.arg(QFileInfo(path).path())});
}

void TestExternalPrograms::helpMenuOpensTheHelpDocuments() {
    QFETCH(QString, item);
    QFETCH(QString, document);
    QFETCH(bool, present);
    TProgramsFixture p;
    const QString path = QDir::toNativeSeparators(p.programs.filePath(u"Help/"_s + document));
    if (present)
        writeFile(path, "%PDF-1.4\n");

    auto* help = p.f.control<QToolButton>(u"ToolBtnHelp"_s);
    QCOMPARE(help->popupMode(), QToolButton::InstantPopup);
    QStringList items;
    for (const QAction* action : help->menu()->actions())
        items << action->objectName() + u'=' + action->text();
    QCOMPARE(items, (QStringList{u"GettingStarted=&Getting Started"_s, u"UserManual=&User Manual"_s,
                                 u"AboutMenuItem=&About Keywright"_s}));

    p.f.control<QAction>(item)->trigger();
    if (present) {
        QCOMPARE(p.documents.opened, QStringList{path});
        QVERIFY(MessageBox::shown().empty());
    } else {
        QVERIFY(p.documents.opened.isEmpty());
        QCOMPARE(shownMessages(), QStringList{u"Could not find \"%1\" help file."_s.arg(document)});
    }
}

// The key label dialog starts on all files in the user's key label folder; whatever file was chosen,
// one that cannot be opened gets the same message.
void TestExternalPrograms::keyLabelsOpensTheChosenDocument() {
    TProgramsFixture p;
    const QString labels = p.f.userPath(u"Keycap_Labels/my labels.doc"_s);
    writeFile(labels, "labels");

    FileDialog::setNextFileName({});
    click(p, u"ToolButtonKeyLabels"_s);
    const FileDialogOptions& asked = FileDialog::lastOptions();
    QVERIFY(asked.title.isEmpty());
    QVERIFY(asked.defaultSuffix.isEmpty());
    QCOMPARE(asked.filter, u"Keycap Documents (*.doc) (*.doc);;Keycap Templates (*.bmp) (*.bmp);;"
                           u"All Files (*.*) (*)"_s);
    QCOMPARE(asked.selectedFilter, u"All Files (*.*) (*)"_s);
    QCOMPARE(QDir::cleanPath(asked.folder), QDir::cleanPath(p.f.userPath(u"Keycap_Labels"_s)));
    QVERIFY(p.documents.opened.isEmpty());
    QVERIFY(MessageBox::shown().empty());

    FileDialog::setNextFileName(labels);
    click(p, u"ToolButtonKeyLabels"_s);
    QCOMPARE(p.documents.opened, QStringList{QDir::toNativeSeparators(labels)});

    FileDialog::setNextFileName(p.f.userPath(u"Keycap_Labels/gone.bmp"_s));
    click(p, u"ToolButtonKeyLabels"_s);
    QCOMPARE(shownMessages(), QStringList{u"Could not find \"Create Keycaps.doc\" file."_s});
    QCOMPARE(p.documents.opened.size(), 1);
}

// Properties shows the same dialog every time; what it applies marks the definition changed, and the
// port status is read again when it closes.
void TestExternalPrograms::propertiesShowsTheOneDialogThenRereadsThePort() {
    TProgramsFixture p;
    p.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.window()));
    TfrmParameters* shownFirst = nullptr;
    bool acted = false;
    QTimer::singleShot(0, &p.window(), [&] {
        shownFirst = visibleWindow<TfrmParameters>();
        if (shownFirst == nullptr)
            return;
        shownFirst->findChild<QSpinBox*>(u"spinRollover"_s)->setValue(4);
        TProgramsFixture::writeLoaderIni(p.f.userPath(), "[Com Port Configuration]\r\nComPort=6\r\n");
        shownFirst->findChild<QPushButton*>(u"btnOK"_s)->click();
        acted = true;
    });
    click(p, u"ToolBtnParameters"_s);
    QVERIFY(acted);
    QCOMPARE(p.f.keypad().KeyRollOver(), 4);
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.f.control<QLabel>(u"panelPort"_s)->text(), u"Port: COM6"_s);

    TfrmParameters* shownAgain = nullptr;
    QTimer::singleShot(0, &p.window(), [&] {
        shownAgain = visibleWindow<TfrmParameters>();
        if (shownAgain != nullptr)
            shownAgain->findChild<QPushButton*>(u"btnCancel"_s)->click();
    });
    click(p, u"ToolBtnParameters"_s);
    QCOMPARE(shownAgain, shownFirst);
    QVERIFY(!shownFirst->isVisible());
}

void TestExternalPrograms::aboutBoxOpensCentredOnTheWindow() {
    TProgramsFixture p;
    p.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.window()));
    QRect shownAt;
    QString version;
    QTimer::singleShot(0, &p.window(), [&] {
        TfrmAbout* about = visibleWindow<TfrmAbout>();
        if (about == nullptr)
            return;
        shownAt = about->frameGeometry();
        version = about->findChild<QLabel*>(u"lblVersion"_s)->text();
        about->findChild<QPushButton*>(u"btnOk"_s)->click();
    });
    p.f.control<QAction>(u"AboutMenuItem"_s)->trigger();
    QVERIFY(shownAt.isValid());
    // Centred on the main window; the About box's own tests check the pixels of its rule.
    const QPoint offCentre = shownAt.center() - p.window().frameGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 4, qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));
    QCOMPARE(version, u"Version 6.0.0"_s);
    QVERIFY(p.window().findChildren<TfrmAbout*>().isEmpty()); // a new box each time, gone once closed
}

// "Yes" on the startup prompt runs the Help menu's Getting Started, with its message when the document
// is missing.
void TestExternalPrograms::startupPromptYesOpensGettingStarted_data() {
    QTest::addColumn<bool>("present");
    QTest::newRow("document there") << true;
    QTest::newRow("document missing") << false;
}

void TestExternalPrograms::startupPromptYesOpensGettingStarted() {
    QFETCH(bool, present);
    TProgramsFixture p;
    const QString document = QDir::toNativeSeparators(p.programs.filePath(u"Help/Getting Started.pdf"_s));
    if (present)
        writeFile(document, "%PDF-1.4\n");
    TfrmMain* window = &p.window();
    const std::unique_ptr<TStartupForm> prompt =
        ShowStartupPrompt(p.f.userPath(), [window]() -> QWidget* { return window; });
    QVERIFY(prompt->isVisible());
    QVERIFY(!prompt->isModal());
    QVERIFY(!prompt->testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(prompt->findChild<QRadioButton*>(u"rbYes"_s)->isChecked());

    prompt->findChild<QPushButton*>(u"btnOK"_s)->click();
    QVERIFY(!prompt->isVisible());
    if (present) {
        QCOMPARE(p.documents.opened, QStringList{document});
        QVERIFY(MessageBox::shown().empty());
    } else {
        QVERIFY(p.documents.opened.isEmpty());
        QCOMPARE(shownMessages(), QStringList{u"Could not find \"Getting Started.pdf\" help file."_s});
    }
    QVERIFY(!QFile::exists(p.f.userPath(u"Keywright24.ini"_s)));
}

void TestExternalPrograms::splitsWindowsParameters_data() {
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("quoted path with blanks")
        << uR"("C:\My Pads\pad one.hex")"_s << QStringList{uR"(C:\My Pads\pad one.hex)"_s};
    QTest::newRow("port number") << u"3"_s << QStringList{u"3"_s};
    QTest::newRow("nothing") << QString() << QStringList();
    QTest::newRow("only blanks") << u" \t "_s << QStringList();
    QTest::newRow("blanks and tabs separate") << u"  a\tb  c "_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("quotes inside an argument") << u"a\"b c\"d e"_s << QStringList{u"ab cd"_s, u"e"_s};
    QTest::newRow("empty quotes") << u"\"\" x"_s << QStringList{QString(), u"x"_s};
    QTest::newRow("backslashes alone") << uR"(a\\b\c)"_s << QStringList{uR"(a\\b\c)"_s};
    QTest::newRow("escaped quote") << uR"(a\"b)"_s << QStringList{u"a\"b"_s};
    QTest::newRow("even backslashes before a quote") << uR"("a\\" b)"_s << QStringList{uR"(a\)"_s, u"b"_s};
    QTest::newRow("odd backslashes before a quote") << uR"(a\\\"b)"_s << QStringList{uR"(a\"b)"_s};
    QTest::newRow("doubled quote inside quotes") << uR"("a""b c")"_s << QStringList{uR"(a"b c)"_s};
    QTest::newRow("unclosed quote") << uR"("a b)"_s << QStringList{u"a b"_s};
}

void TestExternalPrograms::splitsWindowsParameters() {
    QFETCH(QString, parameters);
    QFETCH(QStringList, arguments);
    QCOMPARE(SplitWindowsParameters(parameters), arguments);
}

void TestExternalPrograms::quotedPathsSplitBackWhole_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("plainlyEnclosed");
    QTest::newRow("blanks") << u"/home/me/my pads/pad one.hex"_s << true;
    QTest::newRow("Windows path") << uR"(C:\My Pads\pad.hex)"_s << true;
    QTest::newRow("shell characters") << u"/tmp/a;b $(rm -rf x) `c` & | > <.hex"_s << true;
    QTest::newRow("non-ASCII") << u"/tmp/Ärger über €/pad.hex"_s << true;
    QTest::newRow("double quote") << u"/tmp/say \"hi\"/pad.hex"_s << false;
    QTest::newRow("backslash before a quote") << u"/tmp/a\\\"b.hex"_s << false;
    QTest::newRow("trailing backslashes") << u"/tmp/odd\\\\"_s << false;
}

void TestExternalPrograms::quotedPathsSplitBackWhole() {
    QFETCH(QString, path);
    QFETCH(bool, plainlyEnclosed);
    const QString quoted = QuotedPath(path);
    QCOMPARE(SplitWindowsParameters(quoted), QStringList{path});
    if (plainlyEnclosed)
        QCOMPARE(quoted, u'"' + path + u'"');
}

// Quotes, shell characters and non-ASCII letters in the folder reach the loader as they are.
void TestExternalPrograms::downloadHandsAnOddPathOverLiterally() {
    TProgramsFixture p;
    p.installProgram(u"Uplinker.exe"_s);
    const QString path = p.f.userPath(u"say \"hi\"; $(touch x) – ü/pad.ckd"_s);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnSaveAs"_s);
    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(p.startedWith(u"Uplinker.exe"_s),
             QStringList{p.f.userPath(u"say \"hi\"; $(touch x) – ü/pad.hex"_s)});
    QVERIFY(MessageBox::shown().empty());
}

void TestExternalPrograms::nameFiltersFromPairs() {
    QCOMPARE(NameFiltersFromPairs(u"Text (*.txt)|*.txt|Pictures|*.bmp;*.png|All Files (*.*)|*.*"_s),
             (QStringList{u"Text (*.txt) (*.txt)"_s, u"Pictures (*.bmp *.png)"_s, u"All Files (*.*) (*)"_s}));
    QCOMPARE(NameFiltersFromPairs(u"Lonely description"_s), QStringList());
}

void TestExternalPrograms::startAndWaitStepsUntilTheEnd() {
    const QTemporaryDir folder;
    const QString tool = folder.filePath(u"tool"_s);
    const QString done = folder.filePath(u"done"_s);
    writeFile(tool, "#!/bin/sh\nsleep 1\n: > '" + done.toUtf8() + "'\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int steps = 0;
    QVERIFY(StartAndWait(tool, [&steps] { ++steps; }));
    QVERIFY(QFile::exists(done));
    QVERIFY2(steps >= 1, qPrintable(QString::number(steps)));

    QVERIFY(!StartAndWait(folder.filePath(u"missing"_s), [&steps] { ++steps; }));
    QVERIFY(!StartAndWait(u"tool"_s, [&steps] { ++steps; })); // never looked up elsewhere
    QVERIFY(!ShellStart::startProgram(folder.filePath(u"missing"_s)));
    QVERIFY(!ShellStart::openDocument(folder.filePath(u"missing.pdf"_s)));
}

KW24_GUI_TEST(TestExternalPrograms);

#include "ExternalProgramsTest.moc"
