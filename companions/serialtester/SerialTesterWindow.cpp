#include "companions/serialtester/SerialTesterWindow.h"

#include "companions/common/BurstTable.h"
#include "companions/common/ComPortMap.h"
#include "companions/common/DefinitionPanel.h"
#include "companions/common/PortChoice.h"
#include "companions/common/SerialPorts.h"
#include "companions/common/StatusText.h"
#include "companions/common/TesterBursts.h"
#include "companions/serialtester/BytesToSend.h"
#include "files/DownloadImage.h"
#include "model/KeypadParameters.h"
#include "platform/ProgramName.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

// The keypad's line speeds, in the order of its baud rate parameter.
constexpr std::array<qint32, BaudRateLabels.size()> BaudRates{1200,  2400,  4800,   9600, 19200,
                                                              38400, 57600, 115200, 31250};
constexpr int DefaultBaudRate = 3;   // 9600
constexpr int DefaultWordFormat = 0; // 8,N,1

// How late the system may hand over what came in, beyond the pacing and the time a byte takes on
// the line, before the pause counts as the end of a burst.
constexpr int DeliverySlackMs = 30;

// Rows kept in the tables; older ones are dropped so that a long session stays quick.
constexpr int MaxBurstRows = 1000;
constexpr int MaxByteRows = 5000;

enum BurstColumn { colPause, colText, colHex, colDefinition };
enum ByteColumn { colSince, colByteHex, colByteText };

QString pauseText(qint64 milliseconds) {
    if (milliseconds < 0)
        return u"\u2014"_s;
    if (milliseconds < 10000)
        return u"+%1 ms"_s.arg(milliseconds);
    return u"+%1 s"_s.arg(static_cast<double>(milliseconds) / 1000.0, 0, 'f', 1);
}

// Rows are selected whole, to copy what arrived.
QTableWidget* table(const QStringList& headers, QWidget* parent) {
    QTableWidget* grid = MakeLogTable(headers, parent);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

QTableWidgetItem* cell(const QString& text) {
    return new QTableWidgetItem(text);
}

} // namespace

TSerialTesterWindow::TSerialTesterWindow(const QStringList& arguments, QWidget* parent)
    : QWidget(parent)
    , fBursts(new TBurstCollector(this)) {
    setObjectName(u"frmSerialTester"_s);
    setWindowTitle(u"%1 Serial Tester"_s.arg(ProgramName));
    buildControls();
    connect(&fPort, &QSerialPort::readyRead, this, &TSerialTesterWindow::readPort);
    connect(&fPort, &QSerialPort::errorOccurred, this, &TSerialTesterWindow::portError);
    connect(fBursts, &TBurstCollector::burstEnded, this, &TSerialTesterWindow::burstEnded);
    updateGap();
    setFixedSize(760, 560);
    startWith(arguments);
}

void TSerialTesterWindow::buildControls() {
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cboxPort = new QComboBox(this);
    cboxPort->setObjectName(u"cboxPort"_s);
    cboxPort->setEditable(true);
    cboxPort->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    btnRefresh = new QPushButton(u"&Refresh"_s, this);
    btnRefresh->setObjectName(u"btnRefresh"_s);
    cboxBaudRate = new QComboBox(this);
    cboxBaudRate->setObjectName(u"cboxBaudRate"_s);
    for (const qint32 rate : BaudRates)
        cboxBaudRate->addItem(QString::number(rate), rate);
    cboxBaudRate->setCurrentIndex(DefaultBaudRate);
    cboxWordFormat = new QComboBox(this);
    cboxWordFormat->setObjectName(u"cboxWordFormat"_s);
    for (const WordFormatEntry& format : WordFormats)
        cboxWordFormat->addItem(
            QString::fromUtf8(format.label.data(), static_cast<qsizetype>(format.label.size())));
    cboxWordFormat->setCurrentIndex(DefaultWordFormat);
    spinPacing = new QSpinBox(this);
    spinPacing->setObjectName(u"spinPacing"_s);
    spinPacing->setRange(ParameterRanges::CharacterPacing.minimum, ParameterRanges::CharacterPacing.maximum);
    spinPacing->setSuffix(u" ms"_s);
    spinPacing->setValue(PacingMilliseconds(TKeypadClass()));
    spinPacing->setToolTip(u"The keypad's pause between characters: a longer pause starts a new row."_s);
    btnOpen = new QPushButton(u"&Open"_s, this);
    btnOpen->setObjectName(u"btnOpen"_s);

    panelDefinition = new TDefinitionPanel(BurstUnits::Bytes, this);
    panelDefinition->setObjectName(u"panelDefinition"_s);

    gridBursts = table({u"Pause before"_s, u"Text"_s, u"Hex"_s, u"Definition"_s}, this);
    gridBursts->setObjectName(u"gridBursts"_s);
    fBurstRows = std::make_unique<TBurstRows>(gridBursts, colDefinition, MaxBurstRows);
    gridBytes = table({u"Since previous"_s, u"Hex"_s, u"Text"_s}, this);
    gridBytes->setObjectName(u"gridBytes"_s);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(gridBursts);
    splitter->addWidget(gridBytes);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    edSend = new QLineEdit(this);
    edSend->setObjectName(u"edSend"_s);
    edSend->setPlaceholderText(u"Bytes to send: text, \\r \\n \\t \\e \\\\ or \\xNN"_s);
    btnSend = new QPushButton(u"&Send"_s, this);
    btnSend->setObjectName(u"btnSend"_s);
    btnClear = new QPushButton(u"C&lear"_s, this);
    btnClear->setObjectName(u"btnClear"_s);

    auto* line = new QGridLayout;
    line->addWidget(new QLabel(u"Port:"_s, this), 0, 0);
    line->addWidget(cboxPort, 0, 1, 1, 6);
    line->addWidget(btnRefresh, 0, 7);
    line->addWidget(new QLabel(u"Speed:"_s, this), 1, 0);
    line->addWidget(cboxBaudRate, 1, 1);
    line->addWidget(new QLabel(u"Format:"_s, this), 1, 2);
    line->addWidget(cboxWordFormat, 1, 3);
    line->addWidget(new QLabel(u"Pacing:"_s, this), 1, 4);
    line->addWidget(spinPacing, 1, 5);
    line->setColumnStretch(6, 1);
    line->addWidget(btnOpen, 1, 7);
    auto* send = new QHBoxLayout;
    send->addWidget(edSend, 1);
    send->addWidget(btnSend);
    send->addWidget(btnClear);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus);
    layout->addLayout(line);
    layout->addWidget(panelDefinition);
    layout->addWidget(splitter, 1);
    layout->addLayout(send);

    connect(btnRefresh, &QPushButton::clicked, this, [this] { fillPorts(device()); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { fPort.isOpen() ? ClosePort() : OpenPort(); });
    connect(cboxBaudRate, &QComboBox::currentIndexChanged, this, &TSerialTesterWindow::applyLineSettings);
    connect(cboxWordFormat, &QComboBox::currentIndexChanged, this, &TSerialTesterWindow::applyLineSettings);
    connect(spinPacing, &QSpinBox::valueChanged, this, &TSerialTesterWindow::updateGap);
    connect(panelDefinition, &TDefinitionPanel::definitionLoaded, this, [this] {
        spinPacing->setValue(PacingMilliseconds(panelDefinition->definition()));
        noteDefinitionLine();
        compareAgain();
    });
    connect(edSend, &QLineEdit::returnPressed, this, &TSerialTesterWindow::sendLine);
    connect(btnSend, &QPushButton::clicked, this, &TSerialTesterWindow::sendLine);
    connect(btnClear, &QPushButton::clicked, this, &TSerialTesterWindow::clearLog);
}

void TSerialTesterWindow::fillPorts(const QString& keep) {
    cboxPort->clear();
    for (const SerialPortInfo& port : ListSerialPorts()) {
        QStringList details;
        for (const QString& detail : {port.manufacturer, port.product, port.serialNumber, port.systemDevice})
            if (!detail.isEmpty() && detail != port.device)
                details << detail;
        cboxPort->addItem(port.device);
        cboxPort->setItemData(cboxPort->count() - 1, details.join(u", "_s), Qt::ToolTipRole);
    }
    if (!keep.isEmpty() && cboxPort->findText(keep) < 0)
        cboxPort->insertItem(0, keep);
    if (!keep.isEmpty())
        cboxPort->setCurrentText(keep);
}

void TSerialTesterWindow::startWith(const QStringList& arguments) {
    fillPorts({});
    if (arguments.isEmpty()) {
        showStatus(cboxPort->count() == 0
                       ? u"No serial port found. Plug the keypad in, click Refresh, or type its device."_s
                       : u"Choose the keypad's port and click Open."_s,
                   false);
        return;
    }
    bool isNumber = false;
    const int comPort = arguments.front().toInt(&isNumber);
    if (!isNumber) {
        showStatus(u"\"%1\" is no COM port number. Choose the keypad's port and click Open."_s.arg(
                       arguments.front()),
                   true);
        return;
    }
    if (comPort < LowestComPort || comPort > HighestComPort) {
        showStatus(
            u"COM%1 is out of range: Wine knows COM%2 to COM%3. Choose the keypad's port and click Open."_s
                .arg(comPort)
                .arg(LowestComPort)
                .arg(HighestComPort),
            true);
        return;
    }
    const QString mapped = DeviceForComPort(comPort);
    if (mapped.isEmpty()) {
        showStatus(u"COM%1 leads to no device. Choose the keypad's port and click Open, or choose it again "
                   u"with Set Port."_s.arg(comPort),
                   true);
        return;
    }
    fillPorts(mapped);
    OpenPort();
}

QString TSerialTesterWindow::device() const {
    return cboxPort->currentText().trimmed();
}

QString TSerialTesterWindow::lineDescription() const {
    return u"%1 baud, %2"_s.arg(cboxBaudRate->currentText(), cboxWordFormat->currentText());
}

void TSerialTesterWindow::applyLineSettings() {
    const int format = cboxWordFormat->currentIndex();
    fPort.setBaudRate(cboxBaudRate->currentData().toInt());
    fPort.setDataBits(format == 0 ? QSerialPort::Data8 : QSerialPort::Data7);
    fPort.setParity(format == 2   ? QSerialPort::EvenParity
                    : format == 3 ? QSerialPort::OddParity
                                  : QSerialPort::NoParity);
    fPort.setStopBits(QSerialPort::OneStop);
    fPort.setFlowControl(QSerialPort::NoFlowControl);
    updateGap();
    noteDefinitionLine();
    if (fPort.isOpen())
        showStatus(u"Listening on %1 at %2."_s.arg(fOpenDevice, lineDescription()), false);
}

void TSerialTesterWindow::updateGap() {
    // Ten bits a byte: start, data and parity, stop.
    const int byteMs =
        (10 * 1000 + cboxBaudRate->currentData().toInt() - 1) / cboxBaudRate->currentData().toInt();
    fBursts->setGapMs(spinPacing->value() + byteMs + DeliverySlackMs);
}

void TSerialTesterWindow::OpenPort() {
    const QString chosen = device();
    if (chosen.isEmpty()) {
        showStatus(u"Choose the keypad's port first."_s, true);
        return;
    }
    if (fPort.isOpen())
        ClosePort();
    fPort.setPortName(chosen);
    applyLineSettings();
    if (!fPort.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = fPort.error();
        const QString reason = fPort.errorString();
        fPort.clearError();
        if (error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(chosen))
            showStatus(
                u"%1 is not there. Plug the keypad in and click Open; the kernel log (sudo dmesg) names "
                u"the port it gets."_s.arg(chosen),
                true);
        else if (error == QSerialPort::PermissionError && !PermissionHint(chosen).isEmpty())
            showStatus(PermissionHint(chosen), true);
        else if (error == QSerialPort::PermissionError)
            showStatus(
                u"%1 is busy: another program has it open. Close that program and click Open."_s.arg(chosen),
                true);
        else
            showStatus(u"Cannot open %1: %2."_s.arg(chosen, reason), true);
        return;
    }
    fOpenDevice = chosen;
    btnOpen->setText(u"&Close"_s);
    applyLineSettings();
}

void TSerialTesterWindow::ClosePort() {
    fBursts->flush();
    if (fPort.isOpen())
        fPort.close();
    btnOpen->setText(u"&Open"_s);
    showStatus(u"%1 is closed."_s.arg(fOpenDevice), false);
}

void TSerialTesterWindow::portError(QSerialPort::SerialPortError error) {
    // Failures to open are told by OpenPort; here only a port that fails while open.
    if (error == QSerialPort::NoError || !fPort.isOpen())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::DeviceNotFoundError &&
        error != QSerialPort::ReadError) {
        showStatus(u"%1: %2."_s.arg(fOpenDevice, fPort.errorString()), true);
        return;
    }
    fBursts->flush();
    fPort.close();
    fPort.clearError();
    btnOpen->setText(u"&Open"_s);
    showStatus(
        u"%1 has gone: the keypad was unplugged or its port closed. Plug it in again and click Open."_s.arg(
            fOpenDevice),
        true);
}

void TSerialTesterWindow::readPort() {
    const QByteArray data = fPort.readAll();
    if (data.isEmpty())
        return;
    std::u32string bytes;
    for (const char byte : data)
        bytes += static_cast<char32_t>(static_cast<unsigned char>(byte));
    const TBurstCollector::Arrival arrival = fBursts->add(bytes);

    if (arrival.startsBurst) {
        const int row = fBurstRows->Start();
        gridBursts->setItem(row, colPause, cell(pauseText(arrival.sinceLastMs)));
    }
    std::u32string& burst = fBurstRows->Current();
    burst += bytes;
    const int row = gridBursts->rowCount() - 1;
    gridBursts->setItem(row, colText, cell(ShownText(burst, BurstUnits::Bytes)));
    gridBursts->setItem(row, colHex, cell(HexText(burst)));

    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int byteRow = AppendLogRow(gridBytes, MaxByteRows);
        gridBytes->setItem(byteRow, colSince, cell(pauseText(i == 0 ? arrival.sinceLastMs : 0)));
        gridBytes->setItem(byteRow, colByteHex, cell(HexText(bytes.substr(i, 1))));
        gridBytes->setItem(byteRow, colByteText, cell(ShownText(bytes.substr(i, 1), BurstUnits::Bytes)));
    }
    gridBursts->scrollToBottom();
    gridBytes->scrollToBottom();
}

void TSerialTesterWindow::burstEnded(const std::u32string& burst) {
    fBurstRows->Ended(burst, *panelDefinition);
}

void TSerialTesterWindow::compareAgain() {
    fBurstRows->CompareAgain(*panelDefinition, fBursts->collecting());
}

void TSerialTesterWindow::noteDefinitionLine() {
    if (!panelDefinition->hasDefinition())
        return;
    const TKeypadClass& keypad = panelDefinition->definition();
    const std::size_t format = WordFormatIndex(keypad.WordFormat());
    const int rate = keypad.BaudRate();
    if (rate >= static_cast<int>(BaudRates.size()) ||
        (rate == cboxBaudRate->currentIndex() &&
         static_cast<int>(format) == cboxWordFormat->currentIndex())) {
        panelDefinition->setNote({});
        return;
    }
    panelDefinition->setNote(
        u"It sets the keypad's line to %1 baud, %2."_s.arg(BaudRates[static_cast<std::size_t>(rate)])
            .arg(QString::fromUtf8(WordFormats[format].label.data(),
                                   static_cast<qsizetype>(WordFormats[format].label.size()))));
}

void TSerialTesterWindow::sendLine() {
    const BytesToSend toSend = ReadBytesToSend(edSend->text());
    if (!toSend.error.isEmpty()) {
        showStatus(toSend.error, true);
        return;
    }
    if (!fPort.isOpen()) {
        showStatus(u"Open the port first."_s, true);
        return;
    }
    if (toSend.bytes.isEmpty())
        return;
    fPort.write(toSend.bytes);
    showStatus(u"Sent %1 to %2: %3."_s.arg(
                   toSend.bytes.size() == 1 ? u"1 byte"_s : u"%1 bytes"_s.arg(toSend.bytes.size()),
                   fOpenDevice, QString::fromLatin1(toSend.bytes.toHex(' ')).toUpper()),
               false);
    edSend->clear();
}

void TSerialTesterWindow::clearLog() {
    fBursts->flush();
    fBurstRows->Clear();
    gridBytes->setRowCount(0);
}

void TSerialTesterWindow::showStatus(const QString& text, bool problem) {
    ShowStatusText(lblStatus, text, problem);
}
