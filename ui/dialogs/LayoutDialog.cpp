#include "ui/dialogs/LayoutDialog.h"

#include "model/KeyboardLayout.h"
#include "ui/ProgramFont.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

TLayoutDialog::TLayoutDialog(const QString& layoutName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"dlgComputerLayout"_s);
    setWindowTitle(u"Computer's Keyboard Layout"_s);
    setFont(ProgramFont());
    cbLayout = new QComboBox(this);
    cbLayout->setObjectName(u"cbLayout"_s);
    for (const LayoutTable& layout : LayoutTables)
        cbLayout->addItem(QString::fromUtf8(layout.name));
    cbLayout->setCurrentIndex(std::max(0, cbLayout->findText(layoutName)));
    auto* explanation = new QLabel(
        u"The keyboard layout set on the computer the keypad types on. Macros are typed, pasted and\n"
        u"shown as that computer will receive them.\n\n"
        u"The layout matters only when the keypad works as a USB keyboard. In the serial host modes\n"
        u"the keypad sends bytes, and the layout plays no part. The definition file stays the same."_s,
        this);
    explanation->setObjectName(u"lblLayoutExplanation"_s);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(explanation);
    form->addRow(u"Layout:"_s, cbLayout);
    form->addRow(buttons);
}

QString TLayoutDialog::LayoutName() const {
    return cbLayout->currentText();
}
