// The port picker's window on a real pseudo-terminal, typed into the device field as a port the system
// does not list; the user folder and the Wine prefix are temporary folders.
#include "companions/portpicker/PortPickerDialog.h"

#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "tests/support/GuiTest.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

class TestPortPickerDialog final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void okRecordsOnlyAnExistingSerialDevice_data();
    void okRecordsOnlyAnExistingSerialDevice();
    void cancelChangesNothing();
    void thePortSetNowIsOfferedAgain();

private:
    std::unique_ptr<QTemporaryDir> documents, prefix;
    int ptyMaster = -1;
    QString pty;

    QString ini() const { return documents->filePath(u"Brimlow/Keywright24/Uplinker.ini"_s); }
    QString com1() const { return prefix->filePath(u"dosdevices/com1"_s); }
    static void press(TPortPickerDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }
};

void TestPortPickerDialog::init() {
    documents = std::make_unique<QTemporaryDir>();
    prefix = std::make_unique<QTemporaryDir>();
    QVERIFY(documents->isValid() && prefix->isValid() && QDir(prefix->path()).mkpath(u"dosdevices"_s));
    Folders::setDocumentsForTests(documents->path());
    qputenv("WINEPREFIX", prefix->path().toUtf8());
    ptyMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(ptyMaster >= 0 && ::grantpt(ptyMaster) == 0 && ::unlockpt(ptyMaster) == 0);
    pty = QString::fromLocal8Bit(::ptsname(ptyMaster));
    MessageBox::clearShown();
}

void TestPortPickerDialog::cleanup() {
    ::close(ptyMaster);
    Folders::setDocumentsForTests(std::nullopt);
    qunsetenv("WINEPREFIX");
    MessageBox::clearShown();
}

void TestPortPickerDialog::okRecordsOnlyAnExistingSerialDevice_data() {
    QTest::addColumn<QString>("device");  // "PTY": the pseudo-terminal; "FILE": a plain file
    QTest::addColumn<QString>("message"); // the error shown; empty when the port is recorded
    QTest::newRow("a pseudo-terminal") << u"PTY"_s << QString();
    QTest::newRow("a device that is gone")
        << u"/dev/ttyUSB-gone"_s << u"/dev/ttyUSB-gone does not exist. Is the keypad plugged in?"_s;
    QTest::newRow("no serial port") << u"FILE"_s << u"FILE is no serial port."_s;
}

// A refused device leaves the window open and nothing written; the user may choose again.
void TestPortPickerDialog::okRecordsOnlyAnExistingSerialDevice() {
    QFETCH(QString, device);
    QFETCH(QString, message);
    const QString plainFile = documents->filePath(u"plain.txt"_s);
    QVERIFY(QFile(plainFile).open(QIODevice::WriteOnly));
    device.replace(u"PTY"_s, pty);
    device.replace(u"FILE"_s, plainFile);
    message.replace(u"FILE"_s, plainFile);
    TPortPickerDialog dialog;
    dialog.show();
    QLineEdit* field = dialog.findChild<QLineEdit*>(u"edDevice"_s);
    field->clear();
    QTest::keyClicks(field, device);
    press(dialog, QDialogButtonBox::Ok);

    if (message.isEmpty()) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(MessageBox::shown().empty());
        QCOMPARE(QFileInfo(com1()).symLinkTarget(), pty);
        QFile file(ini());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("ComPort=1\r\nComType=?\r\nComDevice=" + pty.toUtf8()));
    } else {
        QVERIFY(dialog.isVisible());
        QCOMPARE(MessageBox::shown().size(), std::size_t{1});
        QCOMPARE(MessageBox::shown().front().text, message);
        QVERIFY(!QFile::exists(ini()));
        QVERIFY(!QFileInfo(com1()).isSymLink());
    }
}

void TestPortPickerDialog::cancelChangesNothing() {
    TPortPickerDialog dialog;
    dialog.show();
    dialog.findChild<QLineEdit*>(u"edDevice"_s)->setText(pty);
    press(dialog, QDialogButtonBox::Cancel);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(ini()));
    QVERIFY(!QFileInfo(com1()).isSymLink());
}

// The window opens on the port set now, also one the system does not list; one that is gone is named.
void TestPortPickerDialog::thePortSetNowIsOfferedAgain() {
    const auto recordPort = [this](const QString& device) {
        QFile file(ini());
        return QDir().mkpath(QFileInfo(ini()).path()) && file.open(QIODevice::WriteOnly) &&
               file.write("[Com Port Configuration]\r\nComPort=4\r\nComDevice=" + device.toUtf8() + "\r\n") >
                   0;
    };
    QVERIFY(recordPort(pty));
    {
        TPortPickerDialog dialog;
        QCOMPARE(dialog.findChild<QLineEdit*>(u"edDevice"_s)->text(), pty);
    }
    // Unplugged since (a name no other test can make appear meanwhile, as a new pty could).
    const QString gone = documents->filePath(u"ttyACM-unplugged"_s);
    QVERIFY(recordPort(gone));
    TPortPickerDialog dialog;
    QVERIFY(dialog.findChild<QLineEdit*>(u"edDevice"_s)->text() != gone);
    bool named = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        named = named || label->text().startsWith(u"The port set now, COM4 (%1), is not there."_s.arg(gone));
    QVERIFY(named);
}

KW24_GUI_TEST(TestPortPickerDialog);

#include "PortPickerDialogTest.moc"
