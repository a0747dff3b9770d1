#include "companions/portpicker/PortPickerDialog.h"

#include "companions/common/ComPortMap.h"
#include "companions/common/PortChoice.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QString kindName(QChar kind) {
    switch (kind.unicode()) {
    case u'U': return u"USB"_s;
    case u'R': return u"DB9"_s;
    case u'V': return u"CDC"_s;
    default: return u"unknown kind"_s;
    }
}

QString describe(const SerialPortInfo& port) {
    QStringList details{kindName(port.kind)};
    for (const QString& detail : {port.manufacturer, port.product, port.serialNumber})
        if (!detail.isEmpty())
            details.append(detail);
    if (port.device != port.systemDevice)
        details.append(port.systemDevice);
    return u"%1\n    %2"_s.arg(port.device, details.join(u", "_s));
}

} // namespace

TPortPickerDialog::TPortPickerDialog(QWidget* parent)
    : QDialog(parent)
    , fPorts(new QListWidget(this))
    , fDevice(new QLineEdit(this))
    , fNote(new QLabel(this))
    , fButtons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(u"Choose the keypad's port"_s);
    fNote->setWordWrap(true);
    QPushButton* refreshButton = fButtons->addButton(u"&Refresh"_s, QDialogButtonBox::ResetRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Serial ports:"_s, this));
    layout->addWidget(fPorts);
    auto* deviceLabel = new QLabel(u"&Device:"_s, this);
    deviceLabel->setBuddy(fDevice);
    layout->addWidget(deviceLabel);
    layout->addWidget(fDevice);
    layout->addWidget(fNote);
    layout->addWidget(fButtons);
    connect(fButtons, &QDialogButtonBox::accepted, this, &TPortPickerDialog::accept);
    connect(fButtons, &QDialogButtonBox::rejected, this, &TPortPickerDialog::reject);
    connect(refreshButton, &QPushButton::clicked, this, &TPortPickerDialog::refresh);
    fPorts->setObjectName(u"lstPorts"_s);
    fDevice->setObjectName(u"edDevice"_s);
    connect(fPorts, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < fPortList.size())
            fDevice->setText(fPortList.at(row).device);
    });
    connect(fDevice, &QLineEdit::textChanged, this, [this](const QString& text) {
        fButtons->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
    });
    connect(fPorts, &QListWidget::itemDoubleClicked, this, &TPortPickerDialog::accept);
    resize(520, 320);
    refresh();
}

void TPortPickerDialog::refresh() {
    fPortList = ListSerialPorts();
    fPorts->clear();
    const RecordedPort recorded = ReadRecordedPort();
    int recordedRow = -1;
    for (const SerialPortInfo& port : fPortList) {
        if (!recorded.device.isEmpty() &&
            (port.device == recorded.device || port.systemDevice == recorded.device))
            recordedRow = static_cast<int>(fPorts->count());
        fPorts->addItem(describe(port));
    }
    fDevice->clear();
    fButtons->button(QDialogButtonBox::Ok)->setEnabled(false);
    // The port set now comes first: its row, or, when the system does not list it, its device.
    if (recordedRow >= 0)
        fPorts->setCurrentRow(recordedRow);
    else if (!recorded.device.isEmpty() && QFileInfo::exists(recorded.device))
        fDevice->setText(recorded.device);
    else if (!fPortList.isEmpty())
        fPorts->setCurrentRow(0);
    const QString gone = RecordedPortGone(recorded);
    const QString missing = gone.isEmpty() ? QString() : gone + u' ';
    if (fPortList.isEmpty()) {
        fNote->setText(
            missing +
            u"No serial ports found. Plug in the keypad and choose Refresh, or type its device. If it does "
            u"not show, look for it in the kernel log (sudo dmesg | tail) right after plugging it in."_s);
    } else {
        fNote->setText(missing +
                       u"Choose the port the keypad is on. Windows programs under Wine reach it as a COM "
                       u"port of the Wine prefix %1."_s.arg(WinePrefix()));
    }
}

void TPortPickerDialog::accept() {
    const QString device = fDevice->text().trimmed();
    if (device.isEmpty())
        return;
    // A listed port's kind is known; any other is guessed from the device it leads to.
    const int row = fPorts->currentRow();
    const bool listed = row >= 0 && row < fPortList.size() && fPortList.at(row).device == device;
    const QChar kind = listed ? fPortList.at(row).kind : GuessPortKind(QFileInfo(device).canonicalFilePath());
    try {
        const PortChoiceResult result = RecordPortChoice(device, kind);
        if (!result.warning.isEmpty())
            MessageBox::inform(this, MessageBox::Icon::Warning, windowTitle(), result.warning);
    } catch (const ComPortError& error) {
        MessageBox::error(this, windowTitle(), error.message());
        return;
    }
    QDialog::accept();
}
