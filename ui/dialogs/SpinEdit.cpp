#include "ui/dialogs/SpinEdit.h"

#include <QLineEdit>
#include <algorithm>

TSpinEdit::TSpinEdit(int minimum, int maximum, int step, QWidget* parent)
    : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(step);
    connect(this, &QSpinBox::valueChanged, this, &TSpinEdit::changed);
    connect(lineEdit(), &QLineEdit::textEdited, this, &TSpinEdit::changed);
}

void TSpinEdit::fixup(QString& input) const {
    bool isNumber = false;
    const qlonglong number = locale().toLongLong(input.trimmed(), &isNumber);
    const int value =
        isNumber ? static_cast<int>(std::clamp<qlonglong>(number, minimum(), maximum())) : minimum();
    input = textFromValue(value);
}
