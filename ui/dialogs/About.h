#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box: the maker's logo, the product description and the program's version. A new one is
// made for every showing; it stands centred on the window it belongs to.
class TfrmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent);

    // The program's version for the version label: the first five characters of its file version,
    // "NA" when the program carries none.
    static QString GetOurVersion();

private slots:
    void btnOkClick();

private:
    void createControls();

    QFrame* Bevel1;
    QLabel* BrimlowLogoImage;
    QLabel* lblDescription;
    QLabel* lblVersion;
    QPushButton* btnOk;
};
