#include "ui/dialogs/Params.h"

#include "model/KeypadClass.h"
#include "model/KeypadParameters.h"
#include "ui/CaptionFit.h"
#include "ui/dialogs/SpinEdit.h"
#include "ui/dialogs/WindowPlacement.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

TfrmParameters::TfrmParameters(TKeypadClass& keypad, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Keypad(keypad) {
    setObjectName(u"frmParameters"_s);
    setWindowTitle(u"Keypad Properties"_s);
    setFixedSize(544, 291);
    createControls();
    setKeyboardOrder();
    connectHandlers();
}

TfrmParameters::~TfrmParameters() {
    // Tearing the window down hides the controls, and a spin edit then settles text still being typed;
    // the handlers of a dialog that is already half destroyed must not run for that.
    for (QWidget* control : findChildren<QWidget*>())
        control->disconnect(this);
}

void TfrmParameters::connectHandlers() {
    for (TSpinEdit* spin : {spinRollover, spinCharacterPacing, spinDownloadDelay, spinCdcSerialNo})
        connect(spin, &TSpinEdit::changed, this, &TfrmParameters::controlChanged);
    for (QComboBox* list : {cboxBaudRate, cboxWordFormat})
        connect(list, &QComboBox::currentIndexChanged, this, &TfrmParameters::controlChanged);
    for (QRadioButton* led : {rbLedOff, rbLedLevel, rbLedHostCtrl, rbLedPower})
        connect(led, &QRadioButton::clicked, this, &TfrmParameters::controlChanged);
    connect(rbHostDefaultCDC, &QRadioButton::clicked, this, &TfrmParameters::rbHostDefaultCDCClick);
    connect(rbHostVentrix, &QRadioButton::clicked, this, &TfrmParameters::rbHostVentrixClick);
    connect(rbHostHID, &QRadioButton::clicked, this, &TfrmParameters::rbHostHIDClick);
    connect(btnApply, &QPushButton::clicked, this, &TfrmParameters::btnApplyClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmParameters::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmParameters::btnCancelClick);
}

void TfrmParameters::showEvent(QShowEvent* event) {
    // A window coming back from being minimised is not a new showing.
    if (!event->spontaneous()) {
        if (!captionsFitted) {
            FitCaptions(*this);
            captionsFitted = true;
        }
        CentreOnScreen(*this);
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmParameters::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog and Enter would press a default button; neither is wanted here.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmParameters::FormShow() {
    spinCharacterPacing->setValue(Keypad.CharacterPacing());
    spinDownloadDelay->setValue(Keypad.DownloadDelay());
    spinRollover->setValue(Keypad.KeyRollOver());

    switch (Keypad.LEDBehavior()) {
    case ledPower: rbLedPower->setChecked(true); break;
    case ledHostCtrl: rbLedHostCtrl->setChecked(true); break;
    case ledLevel: rbLedLevel->setChecked(true); break;
    default: rbLedOff->setChecked(true); break;
    }

    const int baudRate = Keypad.BaudRate();
    cboxBaudRate->setCurrentIndex(baudRate < cboxBaudRate->count() ? baudRate : -1);
    cboxWordFormat->setCurrentIndex(static_cast<int>(WordFormatIndex(Keypad.WordFormat())));

    // Checking a host mode has the same effect on the CDC controls as the user's click on it.
    switch (static_cast<OperatingMode>(Keypad.OpMode())) {
    case OperatingMode::VentrixVirtualCom:
        rbHostVentrix->setChecked(true);
        rbHostVentrixClick();
        break;
    case OperatingMode::UsbKeyboard:
        rbHostHID->setChecked(true);
        rbHostHIDClick();
        break;
    default:
        rbHostDefaultCDC->setChecked(true);
        rbHostDefaultCDCClick();
        break;
    }

    spinCdcSerialNo->setValue(Keypad.CdcSerialNo());

    // Whatever the steps above set off, only Cancel or the close box closes an unchanged dialog.
    btnApply->setEnabled(false);
    btnOK->setEnabled(false);
}

void TfrmParameters::controlChanged() {
    btnApply->setEnabled(true);
    btnOK->setEnabled(true);
}

void TfrmParameters::enableCdcControls(bool enabled) {
    lblCdcSerialNo->setEnabled(enabled);
    spinCdcSerialNo->setEnabled(enabled);
}

void TfrmParameters::rbHostDefaultCDCClick() {
    controlChanged();
    enableCdcControls(true);
}

void TfrmParameters::rbHostVentrixClick() {
    controlChanged();
    enableCdcControls(false);
}

void TfrmParameters::rbHostHIDClick() {
    controlChanged();
    enableCdcControls(false);
}

void TfrmParameters::btnApplyClick() {
    // Text still being typed counts as the spin edit's value.
    for (TSpinEdit* spin : {spinRollover, spinCharacterPacing, spinDownloadDelay, spinCdcSerialNo})
        spin->interpretText();

    emit aboutToApplyChanges();
    if (rbLedPower->isChecked())
        Keypad.SetLEDBehavior(ledPower);
    else if (rbLedLevel->isChecked())
        Keypad.SetLEDBehavior(ledLevel);
    else if (rbLedHostCtrl->isChecked())
        Keypad.SetLEDBehavior(ledHostCtrl);
    else
        Keypad.SetLEDBehavior(ledNone);

    Keypad.SetKeyRollOver(static_cast<std::uint8_t>(spinRollover->value()));
    Keypad.SetCharacterPacing(static_cast<std::uint8_t>(spinCharacterPacing->value()));
    Keypad.SetDownloadDelay(spinDownloadDelay->value());

    const int baudRate = cboxBaudRate->currentIndex();
    Keypad.SetBaudRate(baudRate < 0 ? NoBaudRate : static_cast<std::uint8_t>(baudRate));
    const int wordFormat = cboxWordFormat->currentIndex();
    if (wordFormat >= 0)
        Keypad.SetWordFormat(WordFormats[static_cast<std::size_t>(wordFormat)].value);

    OperatingMode mode = OperatingMode::CdcVirtualCom;
    if (rbHostVentrix->isChecked())
        mode = OperatingMode::VentrixVirtualCom;
    else if (rbHostHID->isChecked())
        mode = OperatingMode::UsbKeyboard;
    Keypad.SetOpMode(ValueOf(mode));

    // Stored also while the spin edit is disabled.
    Keypad.SetCdcSerialNo(spinCdcSerialNo->value());

    emit changesApplied();
    btnApply->setEnabled(false);
}

void TfrmParameters::btnOKClick() {
    btnApplyClick();
    accept();
}

void TfrmParameters::btnCancelClick() {
    reject();
}
