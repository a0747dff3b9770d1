#pragma once

#include <QDir>
#include <QProcess>
#include <QSerialPort>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

// Two connected pseudo-terminals made by socat, standing for the keypad's serial line: what is written
// into the keypad's end arrives at the host's end, where a tester opens it, and back.
class TPtyPair final {
public:
    TPtyPair() {
        if (!folder.isValid())
            throw std::runtime_error("cannot make a temporary folder for the pseudo-terminals");
        keypadEnd = folder.filePath(QStringLiteral("keypad"));
        hostEnd = folder.filePath(QStringLiteral("host"));
        socat.setProgram(QStringLiteral(KW24_SOCAT));
        socat.setArguments({QStringLiteral("-d"), QStringLiteral("-d"),
                            QStringLiteral("pty,raw,echo=0,link=") + keypadEnd,
                            QStringLiteral("pty,raw,echo=0,link=") + hostEnd});
        socat.setProcessChannelMode(QProcess::MergedChannels);
        socat.start();
        // socat says when both ends are made and it passes bytes between them.
        QByteArray said;
        while (!said.contains("starting data transfer loop")) {
            if (!socat.waitForReadyRead(10000))
                throw std::runtime_error("socat made no pseudo-terminals: " + said.toStdString());
            said += socat.readAll();
        }
    }
    ~TPtyPair() { stop(); }
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    // Ends socat: both pseudo-terminals go away, as a port does when the keypad is unplugged.
    void stop() {
        if (socat.state() == QProcess::NotRunning)
            return;
        socat.terminate();
        if (!socat.waitForFinished(10000))
            socat.kill();
        socat.waitForFinished(10000);
    }

    // The keypad's end, opened for reading and writing.
    void openKeypadEnd() {
        keypad.setPortName(keypadEnd);
        if (!keypad.open(QIODevice::ReadWrite))
            throw std::runtime_error("cannot open the keypad's end: " + keypad.errorString().toStdString());
    }

    QTemporaryDir folder;
    QString keypadEnd;
    QString hostEnd;
    QProcess socat;
    QSerialPort keypad;
};
