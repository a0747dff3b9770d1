#include "companions/common/ComPortMap.h"
#include "companions/serialtester/BytesToSend.h"
#include "companions/serialtester/SerialTesterWindow.h"
#include "files/DownloadImage.h"
#include "tests/companions/PtyPair.h"
#include "tests/companions/TesterFixture.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

enum BurstColumn { colPause, colText, colHex, colDefinition };

QString status(QWidget* window) {
    return TTesterFixture::control<QLabel>(window, u"lblStatus"_s)->text();
}

// A definition whose Key 2, Level 1 sends "ok" and Enter, and whose Key 6, Level 2 sends "ab".
TKeypadClass okDefinition() {
    TKeypadClass keypad;
    TTesterFixture::setMacro(keypad, 1, 0, {'o', 'k', 13}, "Okay");
    TTesterFixture::setMacro(keypad, 5, 1, {'a', 'b'});
    return keypad;
}

} // namespace

class TestSerialTester final : public QObject {
    Q_OBJECT
private slots:
    void showsBytesFromThePortAndNamesTheMatchingKey() {
        TTesterFixture f;
        TPtyPair pty;
        RecordComPort(3, u'V', pty.hostEnd);
        TKeypadClass keypad = okDefinition();
        const QString definition = f.saveDefinition(keypad);
        keypad.SetKey(1);
        keypad.SetLevel(0);
        const std::vector<std::uint8_t> image = MacroBytes(keypad);

        TSerialTesterWindow window({u"3"_s});
        QCOMPARE(status(&window), u"Listening on %1 at 9600 baud, 8,N,1."_s.arg(pty.hostEnd));
        TTesterFixture::compareWith(&window, definition);
        pty.openKeypadEnd();
        pty.keypad.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));

        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colDefinition),
                     u"Matches Key 2, Level 1 \"Okay\"."_s);
        QCOMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colText), u"ok[Enter]"_s);
        QCOMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colHex), u"6F 6B 0D"_s);
        const auto* bytes = TTesterFixture::control<QTableWidget>(&window, u"gridBytes"_s);
        QCOMPARE(bytes->rowCount(), 3);
        QCOMPARE(bytes->item(2, 1)->text(), u"0D"_s);

        // A later burst that is no macro says where it leaves the nearest one.
        pty.keypad.write("ax");
        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 1, colDefinition),
                     u"Differs from Key 6, Level 2 at byte 2: received 78 \"x\", expected 62 \"b\"."_s);
        QVERIFY(TTesterFixture::cellText(&window, u"gridBursts"_s, 1, colPause).startsWith(u'+'));
    }

    void sendsWhatTheUserTypes() {
        TTesterFixture f;
        TPtyPair pty;
        pty.openKeypadEnd();
        TSerialTesterWindow window({});
        TTesterFixture::control<QComboBox>(&window, u"cboxPort"_s)->setCurrentText(pty.hostEnd);
        TTesterFixture::control<QPushButton>(&window, u"btnOpen"_s)->click();

        auto* send = TTesterFixture::control<QLineEdit>(&window, u"edSend"_s);
        QTest::keyClicks(send, u"hi\\x7E\\r"_s);
        QTest::keyClick(send, Qt::Key_Return);

        QByteArray received;
        QTRY_COMPARE((received += pty.keypad.readAll()), QByteArray("hi~\r"));
        QCOMPARE(status(&window), u"Sent 4 bytes to %1: 68 69 7E 0D."_s.arg(pty.hostEnd));
    }

    void aPortThatVanishesSaysSoWithoutEndingTheWindow() {
        TTesterFixture f;
        TPtyPair pty;
        TSerialTesterWindow window({});
        TTesterFixture::control<QComboBox>(&window, u"cboxPort"_s)->setCurrentText(pty.hostEnd);
        TTesterFixture::control<QPushButton>(&window, u"btnOpen"_s)->click();
        QVERIFY(status(&window).startsWith(u"Listening"_s));

        pty.stop();

        QTRY_COMPARE(status(&window), u"%1 has gone: the keypad was unplugged or its port closed. Plug it in "
                                      u"again and click Open."_s.arg(pty.hostEnd));
        TTesterFixture::control<QPushButton>(&window, u"btnOpen"_s)->click();
        QCOMPARE(status(&window), u"%1 is not there. Plug the keypad in and click Open; the kernel log (sudo "
                                  u"dmesg) names the port it gets."_s.arg(pty.hostEnd));
    }

    void aBusyPortSaysSo() {
        TTesterFixture f;
        TPtyPair pty;
        QSerialPort other(pty.hostEnd);
        QVERIFY(other.open(QIODevice::ReadWrite));
        TSerialTesterWindow window({});
        TTesterFixture::control<QComboBox>(&window, u"cboxPort"_s)->setCurrentText(pty.hostEnd);
        TTesterFixture::control<QPushButton>(&window, u"btnOpen"_s)->click();

        QCOMPARE(status(&window),
                 u"%1 is busy: another program has it open. Close that program and click Open."_s.arg(
                     pty.hostEnd));
    }

    void aComPortThatLeadsNowhereSaysWhy_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("message");
        QTest::newRow("no port recorded")
            << u"7"_s
            << u"COM7 leads to no device. Choose the keypad's port and click Open, or "
               u"choose it again with Set Port."_s;
        QTest::newRow("recorded device missing") << u"3"_s
                                                 << u"%1 is not there. Plug the keypad in and click Open; "
                                                    u"the kernel log (sudo dmesg) names the port "
                                                    u"it gets."_s;
        QTest::newRow("out of range")
            << u"0"_s
            << u"COM0 is out of range: Wine knows COM1 to COM256. Choose the keypad's "
               u"port and click Open."_s;
        QTest::newRow("no number")
            << u"COM3"_s << u"\"COM3\" is no COM port number. Choose the keypad's port and click Open."_s;
    }
    void aComPortThatLeadsNowhereSaysWhy() {
        QFETCH(QString, argument);
        QFETCH(QString, message);
        TTesterFixture f;
        const QString missing = f.folder.filePath(u"keypad"_s);
        RecordComPort(3, u'V', missing);

        TSerialTesterWindow window({argument});

        QCOMPARE(status(&window), message.contains(u"%1"_s) ? message.arg(missing) : message);
        QCOMPARE(TTesterFixture::control<QPushButton>(&window, u"btnOpen"_s)->text(), u"&Open"_s);
    }

    void readsTheBytesToSend_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("text and escapes")
            << u"A\\x42\\r\\n\\t\\e\\\\"_s << QByteArray("AB\r\n\t\x1b\\") << QString();
        QTest::newRow("Windows-1252") << u"\u20ac\u00e9"_s << QByteArray("\x80\xe9") << QString();
        QTest::newRow("no such byte")
            << u"\u03a9"_s << QByteArray() << u"\"\u03a9\" is no single byte: write its byte as \\xNN."_s;
        QTest::newRow("short hex") << u"\\x4"_s << QByteArray()
                                   << u"\\x takes two hexadecimal digits, as in \\x0D."_s;
        QTest::newRow("unknown escape")
            << u"\\q"_s << QByteArray() << u"Unknown escape \\q: use \\r, \\n, \\t, \\e, \\\\ or \\xNN."_s;
        QTest::newRow("escape at the end")
            << u"a\\"_s << QByteArray() << u"Unknown escape \\: use \\r, \\n, \\t, \\e, \\\\ or \\xNN."_s;
    }
    void readsTheBytesToSend() {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);

        const BytesToSend read = ReadBytesToSend(line);

        QCOMPARE(read.error, error);
        if (error.isEmpty())
            QCOMPARE(read.bytes, bytes);
    }
};
KW24_GUI_TEST(TestSerialTester);

#include "SerialTesterTest.moc"
