// Recording the keypad's port on a real pseudo-terminal, with the user folder and the Wine prefix in
// temporary folders.
#include "companions/common/PortChoice.h"

#include "companions/common/ComPortMap.h"
#include "platform/Folders.h"

#include <QDir>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A pseudo-terminal pair; device() is the end a serial program opens.
class TPty final {
public:
    TPty()
        : master(::posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            throw std::runtime_error("cannot make a pseudo-terminal");
    }
    ~TPty() { ::close(master); }
    TPty(const TPty&) = delete;
    TPty& operator=(const TPty&) = delete;
    QString device() const { return QString::fromLocal8Bit(::ptsname(master)); }

private:
    int master;
};

} // namespace

class TestPortChoice final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aFreePortIsRecordedWithoutWarning();
    void aPortAnotherProgramHoldsIsRecordedWithAWarning();
    void comNumbersOutOfRangeOrAllTakenAreRefused();

private:
    std::unique_ptr<QTemporaryDir> documents, prefix;

    QString iniText() const {
        QFile ini(documents->filePath(u"Brimlow/Keywright24/Uplinker.ini"_s));
        return ini.open(QIODevice::ReadOnly) ? QString::fromUtf8(ini.readAll()) : QString();
    }
};

void TestPortChoice::init() {
    documents = std::make_unique<QTemporaryDir>();
    prefix = std::make_unique<QTemporaryDir>();
    QVERIFY(documents->isValid() && prefix->isValid() && QDir(prefix->path()).mkpath(u"dosdevices"_s));
    Folders::setDocumentsForTests(documents->path());
    qputenv("WINEPREFIX", prefix->path().toUtf8());
}

void TestPortChoice::cleanup() {
    Folders::setDocumentsForTests(std::nullopt);
    qunsetenv("WINEPREFIX");
}

void TestPortChoice::aFreePortIsRecordedWithoutWarning() {
    const TPty pty;
    const PortChoiceResult result = RecordPortChoice(pty.device(), u'V');
    QCOMPARE(result.comPort, 1);
    QVERIFY(result.linked);
    QCOMPARE(result.warning, QString());
    QCOMPARE(QFileInfo(prefix->filePath(u"dosdevices/com1"_s)).symLinkTarget(), pty.device());
    QVERIFY(iniText().contains(u"ComDevice=%1"_s.arg(pty.device())));
}

// Another program holding the port (here through Qt Serial Port, as the serial tester does) does not
// stop the choice, but the user hears why the port will not open now.
void TestPortChoice::aPortAnotherProgramHoldsIsRecordedWithAWarning() {
    const TPty pty;
    QSerialPort holder(pty.device());
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));
    const PortChoiceResult result = RecordPortChoice(pty.device(), u'U');
    QCOMPARE(result.warning,
             u"%1 is in use by another program. Close that program before you download to the keypad or "
             u"test it."_s.arg(pty.device()));
    QVERIFY(iniText().contains(u"ComPort=1"_s));
    QVERIFY(iniText().contains(u"ComType=U"_s));
    QVERIFY(holder.isOpen());
}

// Wine knows COM1 to COM256: a number outside maps nothing, and with every number taken the choice is
// refused with a message and nothing is written.
void TestPortChoice::comNumbersOutOfRangeOrAllTakenAreRefused() {
    const TPty pty;
    for (const int comPort : {0, 257}) {
        QCOMPARE(DeviceForComPort(comPort), QString());
        QVERIFY_THROWS_EXCEPTION(ComPortError, LinkComPort(comPort, pty.device()));
    }
    for (int n = 1; n <= 256; ++n)
        QVERIFY(QFile::link(u"/dev/null"_s, prefix->filePath(u"dosdevices/com%1"_s.arg(n))));
    try {
        RecordPortChoice(pty.device(), u'V');
        QFAIL("a port was recorded with every COM number taken");
    } catch (const ComPortError& error) {
        QCOMPARE(error.message(), u"Every COM number of the Wine prefix %1 is taken."_s.arg(prefix->path()));
    }
    QCOMPARE(iniText(), QString());
    QCOMPARE(QFileInfo(prefix->filePath(u"dosdevices/com1"_s)).symLinkTarget(), u"/dev/null"_s);
}

QTEST_GUILESS_MAIN(TestPortChoice)

#include "PortChoiceTest.moc"
