#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TKeypadClass;
class TSpinEdit;

// The keypad properties dialog: edits the keypad-wide parameters of the definition. It is made once and
// shown modally again and again; every showing loads the controls from the definition, Apply and OK
// store them back.
class TfrmParameters final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmParameters(TKeypadClass& keypad, QWidget* parent = nullptr);
    ~TfrmParameters() override;

signals:
    // Apply is about to store the parameters into the definition.
    void aboutToApplyChanges();
    // The parameters were stored into the definition (whether or not a value changed): the definition
    // now counts as changed.
    void changesApplied();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void btnApplyClick();
    void btnOKClick();
    void btnCancelClick();
    void controlChanged();
    void rbHostDefaultCDCClick();
    void rbHostVentrixClick();
    void rbHostHIDClick();

private:
    void createControls();
    void setKeyboardOrder();
    void connectHandlers();
    void FormShow();
    void enableCdcControls(bool enabled);

    TKeypadClass& Keypad;
    // The dialog exists hidden from program start; its captions are fitted when it is first shown,
    // so that start-up does not measure them for a dialog the user may never open.
    bool captionsFitted = false;

    QGroupBox* gboxLED;
    QRadioButton* rbLedOff;
    QRadioButton* rbLedLevel;
    QRadioButton* rbLedHostCtrl;
    QRadioButton* rbLedPower;

    QGroupBox* grpboxKeyRollover;
    QLabel* Memo1;
    TSpinEdit* spinRollover;

    QGroupBox* grpboxAutorepeat;
    QLabel* Label1;
    TSpinEdit* spinCharacterPacing;

    QGroupBox* grpboxDownloadDelay;
    QLabel* Label2;
    TSpinEdit* spinDownloadDelay;

    QGroupBox* gboxRs232;
    QLabel* lblBaudRate;
    QComboBox* cboxBaudRate;
    QLabel* lblWordFormat;
    QComboBox* cboxWordFormat;

    QGroupBox* GroupBox1;
    QRadioButton* rbHostDefaultCDC;
    QLabel* lblCdcSerialNo;
    TSpinEdit* spinCdcSerialNo;
    QRadioButton* rbHostVentrix;
    QRadioButton* rbHostHID;

    QPushButton* btnApply;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
