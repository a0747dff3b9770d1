#include "ui/overview/KeyLabelSizeDialog.h"

#include "platform/UserSettings.h"
#include "ui/ProgramFont.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {
QDoubleSpinBox* millimetres(const QString& name, double value, QWidget* parent) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(SmallestKeyLabelMm, LargestKeyLabelMm);
    spin->setDecimals(1);
    spin->setSingleStep(0.5);
    spin->setSuffix(u" mm"_s);
    spin->setValue(value);
    return spin;
}
} // namespace

TKeyLabelSizeDialog::TKeyLabelSizeDialog(QSizeF sizeMm, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"dlgKeyLabelSize"_s);
    setWindowTitle(u"Key Label Size"_s);
    setFont(ProgramFont());
    spinLabelWidth = millimetres(u"spinLabelWidth"_s, sizeMm.width(), this);
    spinLabelHeight = millimetres(u"spinLabelHeight"_s, sizeMm.height(), this);
    auto* explanation = new QLabel(u"The size of the top of a key, where the label goes.\n"
                                   u"It is remembered for the next labels."_s,
                                   this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(explanation);
    form->addRow(u"Width:"_s, spinLabelWidth);
    form->addRow(u"Height:"_s, spinLabelHeight);
    form->addRow(buttons);
}

QSizeF TKeyLabelSizeDialog::SizeMm() const {
    return {spinLabelWidth->value(), spinLabelHeight->value()};
}
