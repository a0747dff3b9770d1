#pragma once

#include "companions/common/SerialPorts.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

// Lists the serial ports; OK records the chosen one as the keypad's port, Cancel changes nothing. The
// device field shows the chosen port's device and takes any other (one the system does not list, such
// as a Bluetooth serial port).
class TPortPickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPortPickerDialog(QWidget* parent = nullptr);

    void accept() override;

private:
    QListWidget* fPorts;
    QLineEdit* fDevice;
    QLabel* fNote;
    QDialogButtonBox* fButtons;
    QList<SerialPortInfo> fPortList;

    void refresh();
};
