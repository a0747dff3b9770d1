// The Windows tools through wine: a fake wine and winepath on the search path record what they get.
#include "platform/ExternalProgram.h"
#include "platform/ProgramName.h"
#include "platform/ShellStart.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ProgramsFixture.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The search path of the process for the life of the object: only a folder of our own, or that folder
// before the system's folders (which the fake programs' shell commands need).
class TSearchPath final {
public:
    enum class Kind { Alone, BeforeSystem };
    explicit TSearchPath(Kind kind)
        : previous(qgetenv("PATH")) {
        if (!folder.isValid())
            throw std::runtime_error("cannot make a temporary folder for the search path");
        qputenv("PATH",
                kind == Kind::Alone ? folder.path().toUtf8() : folder.path().toUtf8() + ":/usr/bin:/bin");
    }
    ~TSearchPath() { qputenv("PATH", previous); }
    TSearchPath(const TSearchPath&) = delete;
    TSearchPath& operator=(const TSearchPath&) = delete;

    QString path(const QString& name) const { return folder.filePath(name); }

    // A fake wine that records its arguments, running extra first.
    void installWine(const QByteArray& extra = {}) const {
        TProgramsFixture::writeRecordingProgram(path(u"wine"_s), extra);
    }
    // A fake winepath that records its arguments and answers the path on drive Z: with backslashes.
    void installWinepath() const {
        TProgramsFixture::writeRecordingProgram(
            path(u"winepath"_s), "printf 'Z:%s\\n' \"$(printf '%s' \"$2\" | tr / '\\\\\\\\')\"");
    }

    QTemporaryDir folder;

private:
    QByteArray previous;
};

// A Windows program's file in the program folder; its contents do not matter to wine's fake.
void installWindowsProgram(const TProgramsFixture& p, const QString& fileName) {
    QFile file(p.programs.filePath(fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write("MZ") != 2)
        throw std::runtime_error("cannot write " + fileName.toStdString());
}

QString windowsPath(QString path) {
    return u"Z:"_s + path.replace(u'/', u'\\');
}

} // namespace

class TestWineRoute final : public QObject {
    Q_OBJECT
private slots:
    void downloadHandsWineTheLoaderAndTheImageAsWindowsSeesIt();
    void downloadOfAPathWithAPerCentSignPassesItAsAnArgument();
    void downloadDoesNotWaitForTheLoader();
    void testAndSetPortRunThroughWine_data();
    void testAndSetPortRunThroughWine();
    void aProgramUnderItsPlainNameComesFirst();
    void ourCompanionComesBeforeWine_data();
    void ourCompanionComesBeforeWine();
    void windowsPathFollowsThePrefixDrives();
    void withoutWineOrWithoutTheProgramItIsMissing_data();
    void withoutWineOrWithoutTheProgramItIsMissing();
    void windowsPathWithoutWinepathIsOnDriveZ();
};

// Wine would rebuild the loader's command line from separate arguments and drop the quotes around a
// path without blanks; its command interpreter hands the loader the quoted path as it is.
void TestWineRoute::downloadHandsWineTheLoaderAndTheImageAsWindowsSeesIt() {
    TProgramsFixture p;
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    searchPath.installWine("printf '%s' \"$" + WineCommandLineVariable.toUtf8() + "\" > \"$0.line\"");
    searchPath.installWinepath(); // must not be asked: it starts wine, which freezes the window
    installWindowsProgram(p, u"Uplinker.exe"_s);
    const QString definition = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    FileDialog::setNextFileName(definition);
    click(p, u"ToolBtnSaveAs"_s);

    click(p, u"ToolBtnDownload"_s);
    const QString image = p.f.userPath(u"Macro_Files/pad.hex"_s);
    QCOMPARE(TProgramsFixture::recordedArguments(searchPath.path(u"wine"_s)),
             (QStringList{u"cmd"_s, u"/c"_s, u'%' + WineCommandLineVariable + u'%'}));
    QFile line(searchPath.path(u"wine.line"_s));
    QVERIFY(line.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(line.readAll()), u'"' + windowsPath(p.programs.filePath(u"Uplinker.exe"_s)) +
                                                    u"\" \""_s + windowsPath(image) + u'"');
    QVERIFY(!QFile::exists(searchPath.path(u"winepath.args"_s)));
    QVERIFY(MessageBox::shown().empty());
}

// The interpreter would expand a per cent sign: such a path goes to wine as an argument of its own.
void TestWineRoute::downloadOfAPathWithAPerCentSignPassesItAsAnArgument() {
    TProgramsFixture p;
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    searchPath.installWine();
    installWindowsProgram(p, u"Uplinker.exe"_s);
    FileDialog::setNextFileName(p.f.userPath(u"Macro_Files/100%.ckd"_s));
    click(p, u"ToolBtnSaveAs"_s);

    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(TProgramsFixture::recordedArguments(searchPath.path(u"wine"_s)),
             (QStringList{p.programs.filePath(u"Uplinker.exe"_s),
                          windowsPath(p.f.userPath(u"Macro_Files/100%.hex"_s))}));
}

// Download starts the loader and returns while it runs: here wine waits for a line through a pipe
// that the test writes only after the click has returned.
void TestWineRoute::downloadDoesNotWaitForTheLoader() {
    TProgramsFixture p;
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    const QString pipe = searchPath.path(u"release"_s);
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    searchPath.installWine("read line < '" + pipe.toUtf8() + "'");
    installWindowsProgram(p, u"Uplinker.exe"_s);
    FileDialog::setNextFileName(p.f.userPath(u"Macro_Files/pad.ckd"_s));
    click(p, u"ToolBtnSaveAs"_s);

    click(p, u"ToolBtnDownload"_s);
    QVERIFY(!QFile::exists(searchPath.path(u"wine.args"_s)));
    QFile release(pipe);
    QVERIFY(release.open(QIODevice::WriteOnly));
    release.write("go\n");
    release.close();
    QVERIFY(TProgramsFixture::recordedArguments(searchPath.path(u"wine"_s)).has_value());
    QVERIFY(MessageBox::shown().empty());
}

void TestWineRoute::testAndSetPortRunThroughWine_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("opMode");
    QTest::addColumn<QStringList>("arguments"); // after the program's path
    QTest::newRow("serial test with the port")
        << u"ToolButtonTest"_s << u"Qvt.exe"_s << 0 << QStringList{u"3"_s};
    QTest::newRow("key test") << u"ToolButtonTest"_s << u"Tapscope.exe"_s << 48 << QStringList{};
    QTest::newRow("port selection tool") << u"btnWirepick"_s << u"Wirepick.exe"_s << 0 << QStringList{};
}

// The port selection tool is waited for through wine as well: the port it records shows at once.
void TestWineRoute::testAndSetPortRunThroughWine() {
    QFETCH(QString, button);
    QFETCH(QString, program);
    QFETCH(int, opMode);
    QFETCH(QStringList, arguments);
    TProgramsFixture p;
    TProgramsFixture::writeLoaderIni(p.f.userPath(), "[Com Port Configuration]\r\nComPort=3\r\n");
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    searchPath.installWine(
        "sleep 1\nprintf '[Com Port Configuration]\\r\\nComPort=7\\r\\nComType=U\\r\\n' > '" +
        p.f.userPath(u"Uplinker.ini"_s).toUtf8() + "'");
    installWindowsProgram(p, program);
    p.f.keypad().SetOpMode(static_cast<std::uint8_t>(opMode));

    click(p, button);
    QCOMPARE(TProgramsFixture::recordedArguments(searchPath.path(u"wine"_s)),
             QStringList{p.programs.filePath(program)} + arguments);
    QVERIFY(MessageBox::shown().empty());
    if (button == u"btnWirepick"_s)
        QCOMPARE(p.f.control<QLabel>(u"panelPort"_s)->text(), u"Port: COM7 (USB)"_s);
}

void TestWineRoute::aProgramUnderItsPlainNameComesFirst() {
    TProgramsFixture p;
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    searchPath.installWine();
    installWindowsProgram(p, u"Qvt.exe"_s);
    p.installProgram(u"Qvt.exe"_s);
    click(p, u"ToolButtonTest"_s);
    QCOMPARE(p.startedWith(u"Qvt.exe"_s), QStringList());
    QVERIFY(!QFile::exists(searchPath.path(u"wine.args"_s)));
}

void TestWineRoute::ourCompanionComesBeforeWine_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("companion");
    QTest::addColumn<int>("opMode");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("serial tester") << u"ToolButtonTest"_s << u"Qvt.exe"_s << SerialTesterProgram << 0
                                   << QStringList{u"3"_s};
    QTest::newRow("key tester") << u"ToolButtonTest"_s << u"Tapscope.exe"_s << KeyTesterProgram << 48
                                << QStringList{};
    QTest::newRow("port picker") << u"btnWirepick"_s << u"Wirepick.exe"_s << PortPickerProgram << 0
                                 << QStringList{};
}

// Our companion beats the Windows program through wine; the plain name still beats the companion.
void TestWineRoute::ourCompanionComesBeforeWine() {
    QFETCH(QString, button);
    QFETCH(QString, program);
    QFETCH(QString, companion);
    QFETCH(int, opMode);
    QFETCH(QStringList, arguments);
    TProgramsFixture p;
    TProgramsFixture::writeLoaderIni(p.f.userPath(), "[Com Port Configuration]\r\nComPort=3\r\n");
    const TSearchPath searchPath(TSearchPath::Kind::BeforeSystem);
    searchPath.installWine();
    installWindowsProgram(p, program);
    const QString companionPath = p.programs.filePath(companion);
    TProgramsFixture::writeRecordingProgram(companionPath);
    p.f.keypad().SetOpMode(static_cast<std::uint8_t>(opMode));

    click(p, button);
    QCOMPARE(TProgramsFixture::recordedArguments(companionPath), arguments);
    QVERIFY(!QFile::exists(searchPath.path(u"wine.args"_s)));

    QFile::remove(companionPath + u".args"_s);
    p.installProgram(program);
    click(p, button);
    QCOMPARE(p.startedWith(program), arguments);
    QVERIFY(!QFile::exists(companionPath + u".args"_s));
    QVERIFY(MessageBox::shown().empty());
}

void TestWineRoute::withoutWineOrWithoutTheProgramItIsMissing_data() {
    QTest::addColumn<bool>("wine");
    QTest::addColumn<QString>("windowsProgram"); // the file in the program folder; empty: none
    QTest::newRow("no wine") << false << u"Uplinker.exe"_s;
    QTest::newRow("no program") << true << QString();
    QTest::newRow("another program") << true << u"Wirepick.exe"_s;
}

void TestWineRoute::withoutWineOrWithoutTheProgramItIsMissing() {
    QFETCH(bool, wine);
    QFETCH(QString, windowsProgram);
    TProgramsFixture p;
    const TSearchPath searchPath(TSearchPath::Kind::Alone);
    if (wine)
        searchPath.installWine();
    if (!windowsProgram.isEmpty())
        installWindowsProgram(p, windowsProgram);
    FileDialog::setNextFileName(p.f.userPath(u"Macro_Files/pad.ckd"_s));
    click(p, u"ToolBtnSaveAs"_s);

    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(MessageBox::shown().size(), std::size_t{1});
    QCOMPARE(
        MessageBox::shown().front().text,
        u"Could not find \"Uplinker.exe\" loader program.  Make sure it is located in the same directory "
        u"as this application."_s);
    QVERIFY(!QFile::exists(searchPath.path(u"wine.args"_s)));
}

void TestWineRoute::windowsPathWithoutWinepathIsOnDriveZ() {
    const TSearchPath searchPath(TSearchPath::Kind::Alone);
    QCOMPARE(WindowsPathForWine(u"/home/someone/my pads/pad.hex"_s),
             u"Z:\\home\\someone\\my pads\\pad.hex"_s);
}

// A drive of the prefix that holds the file wins over Z:, the nearest one when drives nest.
void TestWineRoute::windowsPathFollowsThePrefixDrives() {
    QTemporaryDir prefix;
    QTemporaryDir data;
    QVERIFY(QDir(prefix.path()).mkpath(u"dosdevices"_s) && QDir(data.path()).mkpath(u"pads/inner"_s));
    const QString dosDevices = prefix.filePath(u"dosdevices"_s);
    QVERIFY(QFile::link(u"/"_s, dosDevices + u"/z:"_s));
    QVERIFY(QFile::link(data.path(), dosDevices + u"/d:"_s));
    QVERIFY(QFile::link(data.filePath(u"pads/inner"_s), dosDevices + u"/e:"_s));
    QVERIFY(QFile::link(u"/nowhere/at/all"_s, dosDevices + u"/f:"_s));
    const QByteArray previous = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", prefix.path().toUtf8());
    const QString onD = WindowsPathForWine(data.filePath(u"pads/a b.hex"_s));
    const QString onE = WindowsPathForWine(data.filePath(u"pads/inner/x.hex"_s));
    const QString onZ = WindowsPathForWine(u"/elsewhere/x.hex"_s);
    qputenv("WINEPREFIX", previous);
    QCOMPARE(onD, u"D:\\pads\\a b.hex"_s);
    QCOMPARE(onE, u"E:\\x.hex"_s);
    QCOMPARE(onZ, u"Z:\\elsewhere\\x.hex"_s);
}

KW24_GUI_TEST(TestWineRoute);

#include "WineRouteTest.moc"
