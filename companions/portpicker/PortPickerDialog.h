#pragma once

#include "companions/common/SerialPorts.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// Lists the serial ports; OK records the chosen one as the keypad's port, Cancel changes nothing.
class TPortPickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPortPickerDialog(QWidget* parent = nullptr);

    void accept() override;

private:
    QListWidget* fPorts;
    QLabel* fNote;
    QDialogButtonBox* fButtons;
    QList<SerialPortInfo> fPortList;

    void refresh();
};
