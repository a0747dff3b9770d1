#include "resources/Pictures.h"
#include "ui/Application.h"
#include "ui/ControlPlacement.h"
#include "ui/main/KeyEventRelay.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TypedCharacters.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int DecimalLength = 3;
constexpr int HexadecimalLength = 2;
constexpr int LargestByte = 255;

bool isEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// The number that text is in the radix, when it holds only that radix's digits; any size.
std::optional<int> numberIn(const QString& text, bool hexadecimal) {
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool hexLetter = (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        if (!digit && !(hexadecimal && hexLetter))
            return std::nullopt;
    }
    bool converted = false;
    const int value = text.toInt(&converted, hexadecimal ? 16 : 10);
    return converted ? std::optional<int>(value) : std::nullopt;
}

} // namespace

void TfrmMain::CreateManualEntry() {
    GroupBox1 = Place(new QGroupBox(this), u"GroupBox1"_s, {415, 317, 89, 133});
    lblEnterData = PlaceAtNaturalSize(new QLabel(u"Enter data"_s, GroupBox1), u"lblEnterData"_s, {12, 12});
    lblManually = PlaceAtNaturalSize(new QLabel(u"manually:"_s, GroupBox1), u"lblManually"_s, {12, 28});

    edManualInput = Place(new QLineEdit(GroupBox1), u"edManualInput"_s, {12, 52, 37, 21});
    edManualInput->setMaxLength(DecimalLength);
    new TKeyEventRelay(
        edManualInput, [this](QKeyEvent* event) { return edManualInputKeyPress(*event); }, nullptr);

    spdbtnInsert = Place(new QToolButton(GroupBox1), u"spdbtnInsert"_s, {58, 52, 23, 22});
    spdbtnInsert->setIcon(Pictures::InsertPicture());
    spdbtnInsert->setIconSize(QSize(16, 16));
    spdbtnInsert->setFocusPolicy(Qt::NoFocus);
    connect(spdbtnInsert, &QToolButton::clicked, this, &TfrmMain::spdbtnInsertClick);

    rbDecimal = PlaceAtNaturalSize(new QRadioButton(u"Decimal"_s, GroupBox1), u"rbDecimal"_s, {5, 87});
    rbHexadecimal =
        PlaceAtNaturalSize(new QRadioButton(u"Hexadecimal"_s, GroupBox1), u"rbHexadecimal"_s, {5, 105});
    rbDecimal->setChecked(true);
    connect(rbDecimal, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            rbDecimalClick();
    });
    connect(rbHexadecimal, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            rbHexadecimalClick();
    });
}

// Enter inserts the field's value. Typed characters are filtered before they reach the field: digits of
// the chosen radix pass, small hexadecimal letters become capitals, every other character is dropped.
// Keys that type no character (Backspace, Delete, the cursor keys) and shortcuts such as paste pass.
bool TfrmMain::edManualInputKeyPress(const QKeyEvent& event) {
    if (isEnter(event)) {
        if (!edManualInput->text().isEmpty())
            InsertManualValue();
        return true;
    }
    const QString text = event.text();
    if (IsShortcut(event) || text.size() != 1 || !text.front().isPrint())
        return false;
    const QChar c = text.front();
    if (c >= u'0' && c <= u'9')
        return false;
    if (rbHexadecimal->isChecked()) {
        if (c >= u'A' && c <= u'F')
            return false;
        if (c >= u'a' && c <= u'f')
            edManualInput->insert(QString(c.toUpper()));
    }
    return true;
}

void TfrmMain::spdbtnInsertClick() {
    if (edManualInput->text().isEmpty())
        return;
    if (InsertManualValue())
        Grid->setFocus();
}

// Inserts the field's value as one raw byte and empties the field, also when the macro was full. Text
// that is no byte in the chosen radix (pasted text can be anything) is reported and left for
// correction. Returns whether the byte went to AddByte.
bool TfrmMain::InsertManualValue() {
    const bool hexadecimal = rbHexadecimal->isChecked();
    const std::optional<int> value = numberIn(edManualInput->text(), hexadecimal);
    if (!value) {
        ShowError(this, hexadecimal ? u"Enter a hexadecimal value from 0 to FF."_s
                                    : u"Enter a decimal value from 0 to 255."_s);
        return false;
    }
    if (*value > LargestByte) {
        ShowError(this, u"Value exceeds 255 (decimal)."_s);
        return false;
    }
    AddByte(*value);
    edManualInput->clear();
    return true;
}

void TfrmMain::rbDecimalClick() {
    edManualInput->setMaxLength(DecimalLength);
    edManualInput->clear();
}

void TfrmMain::rbHexadecimalClick() {
    edManualInput->setMaxLength(HexadecimalLength);
    edManualInput->clear();
}
