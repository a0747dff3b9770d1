#pragma once

#include <QDialog>

class QComboBox;

// Asks for the keyboard layout of the computer the keypad types on.
class TLayoutDialog final : public QDialog {
public:
    TLayoutDialog(const QString& layoutName, QWidget* parent);
    QString LayoutName() const;

private:
    QComboBox* cbLayout = nullptr;
};
