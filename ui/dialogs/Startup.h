#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The prompt shown at program start that offers the "Getting Started" tutorial and can be told never to
// come again. It is modeless and stays on top; OK hides it.
class TStartupForm final : public QDialog {
    Q_OBJECT

public:
    // userFolder: the program's folder in the user's documents folder, where the settings file lives.
    // openGettingStarted: opens the tutorial exactly as the Help menu's command does.
    TStartupForm(const QString& userFolder, std::function<void()> openGettingStarted,
                 QWidget* parent = nullptr);

public slots:
    // Hides the prompt and does what the chosen answer asks. Throws FolderError or FileError when "never
    // again" cannot create the folders or write the settings file.
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();

    QString fUserFolder;
    std::function<void()> fOpenGettingStarted;

    QGroupBox* GroupBox1;
    QLabel* Label2;
    QRadioButton* rbYes;
    QRadioButton* rbLater;
    QRadioButton* rbNo;
    QPushButton* btnOK;
};
