#pragma once

#include "companions/common/BurstTable.h"

#include <QSerialPort>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TBurstCollector;
class TDefinitionPanel;

// The serial tester: opens the keypad's port at the line speed and word format chosen in the window,
// shows every byte received with the time since the one before, a burst a row, and what each burst is
// in a definition; sends what the user types. Reading, writing and the end of a burst are driven by
// the event loop, so the window never waits on the port.
class TSerialTesterWindow final : public QWidget {
    Q_OBJECT
public:
    // arguments: the program's arguments; a COM number opens the device recorded for it.
    explicit TSerialTesterWindow(const QStringList& arguments, QWidget* parent = nullptr);

    // Opens the device named in the port box; says why when it cannot.
    void OpenPort();
    void ClosePort();

private:
    void buildControls();
    void fillPorts(const QString& keep);
    void startWith(const QStringList& arguments);
    void applyLineSettings();
    void readPort();
    void portError(QSerialPort::SerialPortError error);
    void burstEnded(const std::u32string& burst);
    void compareAgain();
    void sendLine();
    void clearLog();
    void updateGap();
    void noteDefinitionLine();
    void showStatus(const QString& text, bool problem);
    QString device() const;
    QString lineDescription() const;

    QLabel* lblStatus;
    QComboBox* cboxPort;
    QPushButton* btnRefresh;
    QComboBox* cboxBaudRate;
    QComboBox* cboxWordFormat;
    QSpinBox* spinPacing;
    QPushButton* btnOpen;
    TDefinitionPanel* panelDefinition;
    QTableWidget* gridBursts;
    QTableWidget* gridBytes;
    QLineEdit* edSend;
    QPushButton* btnSend;
    QPushButton* btnClear;

    QSerialPort fPort;
    TBurstCollector* fBursts;
    std::unique_ptr<TBurstRows> fBurstRows; // the rows of gridBursts with the burst of each
    QString fOpenDevice;
};
