// The keypad's whole path from Linux with real parts: a socat pseudo-terminal pair stands for the
// keypad's port, the real port picker records it, and Windows programs run under the real Wine in a
// Wine prefix of the test's own.
#include "platform/ProgramName.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ProgramsFixture.h"

#include <QLabel>
#include <QProcess>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A Windows path as Wine's drive Z: shows a Linux path.
QString onDriveZ(QString path) {
    return u"Z:"_s + path.replace(u'/', u'\\');
}

// Runs a program to its end; its exit code, or -1 when it did not start or crashed. Its output shows
// in the test's, unless quiet: Wine's background programs inherit the output of the program that
// starts them and would hold the test's open until their server ends.
int run(const QString& program, const QStringList& arguments, bool quiet = false) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (quiet) {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

void writeScript(const QString& path, const QByteArray& text) {
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly) || script.write(text) != text.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestKeypadFromLinux final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void setPortMapsThePtyAsACOMPortThatWindowsProgramsReach();
    void downloadHandsTheLoaderTheQuotedImagePath_data();
    void downloadHandsTheLoaderTheQuotedImagePath();

private:
    QTemporaryDir work;
    QProcess socat;
    QString keypadEnd, otherEnd; // the pty pair: the keypad's port, and where its bytes arrive

    QString prefix() const { return work.filePath(u"prefix"_s); }
    // The window's documents folder as the user's documents folder of programs started from it.
    void shareDocuments(const TProgramsFixture& p) const {
        QFile::remove(work.filePath(u"home/Documents"_s));
        QVERIFY(QFile::link(p.f.documents.path(), work.filePath(u"home/Documents"_s)));
    }
};

void TestKeypadFromLinux::initTestCase() {
    QVERIFY(work.isValid());
    QVERIFY(QDir(work.path()).mkpath(u"home/.config"_s));
    qputenv("HOME", work.filePath(u"home"_s).toUtf8());
    qputenv("XDG_CONFIG_HOME", work.filePath(u"home/.config"_s).toUtf8());
    qputenv("WINEPREFIX", prefix().toUtf8());
    qputenv("WINEDEBUG", "-all");
    qputenv("LC_ALL", "C.UTF-8"); // Wine hands Windows programs names in the locale's encoding
    // One Wine server for the test, kept 30 s after its last program (so it also ends if the test
    // does not): one that ends between two programs can drop the next one.
    QVERIFY(QDir().mkpath(prefix()));
    QCOMPARE(run(u"wineserver"_s, {u"-p30"_s}, true), 0);
    QCOMPARE(run(u"wineboot"_s, {u"-i"_s}, true), 0);

    keypadEnd = work.filePath(u"keypad"_s);
    otherEnd = work.filePath(u"other"_s);
    // socat reports the transfer loop once both links are there.
    socat.start(u"socat"_s, {u"-d"_s, u"-d"_s, u"pty,raw,echo=0,link="_s + keypadEnd,
                             u"pty,raw,echo=0,link="_s + otherEnd});
    QByteArray log;
    while (!log.contains("starting data transfer loop") && socat.waitForReadyRead(30000))
        log += socat.readAllStandardError();
    QVERIFY2(QFileInfo::exists(keypadEnd) && QFileInfo::exists(otherEnd), log.constData());
}

void TestKeypadFromLinux::cleanupTestCase() {
    socat.kill();
    socat.waitForFinished();
    run(u"wineserver"_s, {u"-k"_s});
}

// Set Port starts the port picker (here told the choice on its command line, as a script would);
// the window shows the recorded port, and a Windows program under Wine writing to that COM port
// reaches the device.
void TestKeypadFromLinux::setPortMapsThePtyAsACOMPortThatWindowsProgramsReach() {
    TProgramsFixture p;
    shareDocuments(p);
    writeScript(p.programs.filePath(PortPickerProgram), "#!/bin/sh\nexec '" + QByteArray(KW24_PORTPICKER) +
                                                            "' --set '" + keypadEnd.toUtf8() +
                                                            "' --type V\n");
    click(p, u"btnWirepick"_s);
    QVERIFY(MessageBox::shown().empty());

    // The lowest COM number Wine left free now leads to the keypad's port.
    int comPort = 0;
    for (int n = 1; n <= 256 && comPort == 0; ++n)
        if (QFileInfo(prefix() + u"/dosdevices/com%1"_s.arg(n)).symLinkTarget() == keypadEnd)
            comPort = n;
    QVERIFY(comPort > 0);
    for (int n = 1; n < comPort; ++n)
        QVERIFY(QFileInfo(prefix() + u"/dosdevices/com%1"_s.arg(n)).isSymLink());
    QCOMPARE(p.f.control<QLabel>(u"panelPort"_s)->text(), u"Port: COM%1 (CDC)"_s.arg(comPort));

    const int received = ::open(QFile::encodeName(otherEnd).constData(), O_RDONLY | O_NOCTTY);
    QVERIFY(received >= 0);
    QCOMPARE(
        run(u"wine"_s, {QStringLiteral(KW24_COM_PORT_PROBE), u"COM%1"_s.arg(comPort), u"hello keypad"_s}), 0);
    QByteArray bytes;
    char buffer[64];
    ssize_t count = 0;
    while (bytes.size() < 12 && (count = ::read(received, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, count);
    ::close(received);
    QCOMPARE(bytes, QByteArray("hello keypad"));
}

void TestKeypadFromLinux::downloadHandsTheLoaderTheQuotedImagePath_data() {
    QTest::addColumn<QString>("definition"); // in Macro_Files
    QTest::newRow("without blanks") << u"pad.ckd"_s;
    QTest::newRow("with blanks and umlauts") << u"my pads/Tür 1.ckd"_s;
}

// The loader, a Windows program under Wine, gets the image path in double quotes, as Windows starts it.
void TestKeypadFromLinux::downloadHandsTheLoaderTheQuotedImagePath() {
    QFETCH(QString, definition);
    TProgramsFixture p;
    QVERIFY(QFile::copy(QStringLiteral(KW24_COMMAND_LINE_PROBE), p.programs.filePath(u"Uplinker.exe"_s)));
    const QString output = work.filePath(u"command-line.txt"_s);
    QFile::remove(output);
    qputenv("KW24_PROBE_OUTPUT", onDriveZ(output).toUtf8());
    QVERIFY(QDir().mkpath(QFileInfo(p.f.userPath(u"Macro_Files/"_s + definition)).path()));
    FileDialog::setNextFileName(p.f.userPath(u"Macro_Files/"_s + definition));
    click(p, u"ToolBtnSaveAs"_s);

    click(p, u"ToolBtnDownload"_s);
    QVERIFY(MessageBox::shown().empty());
    QVERIFY(QTest::qWaitFor([&output] { return QFile::exists(output); }, 60000));
    QFile line(output);
    QVERIFY(line.open(QIODevice::ReadOnly));
    QString image = p.f.userPath(u"Macro_Files/"_s + definition);
    image.replace(u".ckd"_s, u".hex"_s);
    QCOMPARE(QString::fromUtf8(line.readAll()),
             u'"' + onDriveZ(p.programs.filePath(u"Uplinker.exe"_s)) + u"\" \""_s + onDriveZ(image) + u'"');
}

KW24_GUI_TEST(TestKeypadFromLinux);

#include "KeypadFromLinuxTest.moc"
