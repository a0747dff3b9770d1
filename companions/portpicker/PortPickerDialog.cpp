#include "companions/portpicker/PortPickerDialog.h"

#include "companions/common/ComPortMap.h"
#include "companions/common/PortChoice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
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
    , fNote(new QLabel(this))
    , fButtons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(u"Choose the keypad's port"_s);
    fNote->setWordWrap(true);
    QPushButton* refreshButton = fButtons->addButton(u"&Refresh"_s, QDialogButtonBox::ResetRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Serial ports:"_s, this));
    layout->addWidget(fPorts);
    layout->addWidget(fNote);
    layout->addWidget(fButtons);
    connect(fButtons, &QDialogButtonBox::accepted, this, &TPortPickerDialog::accept);
    connect(fButtons, &QDialogButtonBox::rejected, this, &TPortPickerDialog::reject);
    connect(refreshButton, &QPushButton::clicked, this, &TPortPickerDialog::refresh);
    connect(fPorts, &QListWidget::currentRowChanged, this,
            [this](int row) { fButtons->button(QDialogButtonBox::Ok)->setEnabled(row >= 0); });
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
    fButtons->button(QDialogButtonBox::Ok)->setEnabled(false);
    const QString gone = RecordedPortGone(recorded);
    const QString missing = gone.isEmpty() ? QString() : gone + u' ';
    if (fPortList.isEmpty()) {
        fNote->setText(
            missing +
            u"No serial ports found. Plug in the keypad and choose Refresh. If it still does not "
            u"show, look for it in the kernel log (sudo dmesg | tail) right after plugging it in."_s);
    } else {
        fNote->setText(missing +
                       u"Choose the port the keypad is on. Windows programs under Wine reach it as a COM "
                       u"port of the Wine prefix %1."_s.arg(WinePrefix()));
        fPorts->setCurrentRow(recordedRow >= 0 ? recordedRow : 0);
    }
}

void TPortPickerDialog::accept() {
    const int row = fPorts->currentRow();
    if (row < 0 || row >= fPortList.size())
        return;
    const SerialPortInfo& port = fPortList.at(row);
    try {
        const PortChoiceResult result = RecordPortChoice(port.device, port.kind);
        if (!result.warning.isEmpty())
            QMessageBox::warning(this, windowTitle(), result.warning);
    } catch (const ComPortError& error) {
        QMessageBox::critical(this, windowTitle(), error.message());
        refresh();
        return;
    }
    QDialog::accept();
}
