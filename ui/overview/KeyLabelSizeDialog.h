#pragma once

#include <QDialog>
#include <QSizeF>

class QDoubleSpinBox;

// Asks for the size of the printed key labels, in millimetres.
class TKeyLabelSizeDialog final : public QDialog {
public:
    TKeyLabelSizeDialog(QSizeF sizeMm, QWidget* parent);
    QSizeF SizeMm() const;

private:
    QDoubleSpinBox* spinLabelWidth = nullptr;
    QDoubleSpinBox* spinLabelHeight = nullptr;
};
