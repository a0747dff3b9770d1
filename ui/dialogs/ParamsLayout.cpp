// The controls of the keypad properties dialog: captions, ranges, hints, fixed positions and the
// keyboard order.
#include "model/KeypadParameters.h"
#include "ui/ControlPlacement.h"
#include "ui/dialogs/Params.h"
#include "ui/dialogs/SpinEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
QGroupBox* groupBox(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    return Place(new QGroupBox(caption, parent), name, geometry);
}

QRadioButton* radioButton(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry) {
    return Place(new QRadioButton(caption, parent), name, geometry);
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    return Place(new QLabel(caption, parent), name, geometry);
}

TSpinEdit* spinEdit(QWidget* parent, const QString& name, ParameterRange range, int step, int value,
                    const QRect& geometry) {
    auto* spin = Place(new TSpinEdit(range.minimum, range.maximum, step, parent), name, geometry);
    spin->setValue(value);
    return spin;
}

QComboBox* dropDownList(QWidget* parent, const QString& name, const QStringList& entries,
                        const QRect& geometry) {
    auto* list = Place(new QComboBox(parent), name, geometry);
    list->addItems(entries);
    list->setMaxVisibleItems(static_cast<int>(entries.size()));
    return list;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* pushButton = Place(new QPushButton(caption, parent), name, geometry);
    // Neither Enter nor Escape may press a button of this dialog.
    pushButton->setAutoDefault(false);
    pushButton->setDefault(false);
    return pushButton;
}

template <std::size_t Count, typename Entry, typename Label>
QStringList labels(const std::array<Entry, Count>& entries, Label label) {
    QStringList texts;
    for (const Entry& entry : entries) {
        const std::string_view text = label(entry);
        texts << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return texts;
}
} // namespace

void TfrmParameters::createControls() {
    gboxLED = groupBox(this, u"gboxLED"_s, u" LED Mode "_s, {8, 6, 162, 124});
    rbLedOff = radioButton(gboxLED, u"rbLedOff"_s, u"Led OFF"_s, {12, 24, 144, 20});
    rbLedLevel = radioButton(gboxLED, u"rbLedLevel"_s, u"Level Indicator"_s, {12, 48, 144, 20});
    rbLedHostCtrl = radioButton(gboxLED, u"rbLedHostCtrl"_s, u"Host/Macro Control"_s, {12, 72, 144, 20});
    rbLedPower = radioButton(gboxLED, u"rbLedPower"_s, u"Power Indicator"_s, {12, 96, 144, 20});

    grpboxKeyRollover = groupBox(this, u"grpboxKeyRollover"_s, u" Key Rollover "_s, {8, 136, 162, 104});
    Memo1 = label(grpboxKeyRollover, u"Memo1"_s, u"How many keys can be \npressed down simultaneously?"_s,
                  {10, 22, 146, 44});
    Memo1->setWordWrap(true);
    Memo1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    spinRollover =
        spinEdit(grpboxKeyRollover, u"spinRollover"_s, ParameterRanges::KeyRollOver, 1, 2, {12, 70, 52, 24});

    grpboxAutorepeat = groupBox(this, u"grpboxAutorepeat"_s, u" Character Pacing "_s, {178, 6, 152, 124});
    Label1 = label(grpboxAutorepeat, u"Label1"_s, u"Pacing (ms):"_s, {12, 60, 76, 20});
    spinCharacterPacing = spinEdit(grpboxAutorepeat, u"spinCharacterPacing"_s,
                                   ParameterRanges::CharacterPacing, 2, 2, {90, 58, 54, 24});
    spinCharacterPacing->setToolTip(u"Pacing is the time between bytes during macro playback."_s);

    grpboxDownloadDelay =
        groupBox(this, u"grpboxDownloadDelay"_s, u" Download Delay "_s, {178, 136, 152, 104});
    Label2 = label(grpboxDownloadDelay, u"Label2"_s, u"Delay (ms):"_s, {12, 52, 76, 20});
    spinDownloadDelay = spinEdit(grpboxDownloadDelay, u"spinDownloadDelay"_s, ParameterRanges::DownloadDelay,
                                 1, 10, {90, 50, 54, 24});
    spinDownloadDelay->setToolTip(u"Slows download on fast PC's."_s);

    const QString wordFormatHint = u"Data bits, parity, # stop bits"_s;
    gboxRs232 = groupBox(this, u"gboxRs232"_s, u" RS232 Settings "_s, {338, 6, 198, 94});
    lblBaudRate = label(gboxRs232, u"lblBaudRate"_s, u"Baud Rate :"_s, {12, 30, 88, 20});
    cboxBaudRate =
        dropDownList(gboxRs232, u"cboxBaudRate"_s,
                     labels(BaudRateLabels, [](std::string_view label) { return label; }), {104, 28, 80, 24});
    lblWordFormat = label(gboxRs232, u"lblWordFormat"_s, u"Word Format :"_s, {12, 62, 88, 20});
    lblWordFormat->setToolTip(wordFormatHint);
    cboxWordFormat = dropDownList(
        gboxRs232, u"cboxWordFormat"_s,
        labels(WordFormats, [](const WordFormatEntry& entry) { return entry.label; }), {104, 60, 80, 24});
    cboxWordFormat->setToolTip(wordFormatHint);

    GroupBox1 = groupBox(this, u"GroupBox1"_s, u" USB Host Mode "_s, {338, 106, 198, 134});
    rbHostDefaultCDC =
        radioButton(GroupBox1, u"rbHostDefaultCDC"_s, u"Default (CDC Virtual COM)"_s, {8, 22, 186, 20});
    lblCdcSerialNo = label(GroupBox1, u"lblCdcSerialNo"_s, u"CDC S/N:"_s, {28, 48, 60, 20});
    spinCdcSerialNo =
        spinEdit(GroupBox1, u"spinCdcSerialNo"_s, ParameterRanges::CdcSerialNo, 1, 1, {92, 46, 64, 24});
    lblCdcSerialNo->setEnabled(false);
    spinCdcSerialNo->setEnabled(false);
    rbHostVentrix = radioButton(GroupBox1, u"rbHostVentrix"_s, u"Ventrix Virtual COM"_s, {8, 76, 186, 20});
    rbHostHID = radioButton(GroupBox1, u"rbHostHID"_s, u"PC Keyboard (USB HID)"_s, {8, 102, 186, 20});

    btnApply = button(this, u"btnApply"_s, u"&Apply"_s, {149, 254, 75, 25});
    btnOK = button(this, u"btnOK"_s, u"&OK"_s, {234, 254, 75, 25});
    btnCancel = button(this, u"btnCancel"_s, u"&Cancel"_s, {319, 254, 75, 25});

    // The fields whose labels do not name them well enough for a screen reader, or lie apart from them.
    spinRollover->setAccessibleName(u"Keys that can be pressed down simultaneously"_s);
    spinCharacterPacing->setAccessibleName(u"Character pacing (ms)"_s);
    spinDownloadDelay->setAccessibleName(u"Download delay (ms)"_s);
    cboxBaudRate->setAccessibleName(u"Baud rate"_s);
    cboxWordFormat->setAccessibleName(u"Word format"_s);
    spinCdcSerialNo->setAccessibleName(u"CDC serial number"_s);
}

void TfrmParameters::setKeyboardOrder() {
    QWidget* const order[] = {
        btnCancel,           spinRollover,      rbLedOff,      rbLedLevel,     rbLedHostCtrl, rbLedPower,
        spinCharacterPacing, spinDownloadDelay, cboxBaudRate,  cboxWordFormat, btnApply,      btnOK,
        rbHostDefaultCDC,    spinCdcSerialNo,   rbHostVentrix, rbHostHID};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The first control in the keyboard order has the focus when the dialog first opens.
    btnCancel->setFocus();
}
