#include "ui/ControlPlacement.h"
#include "ui/main/Gauge.h"
#include "ui/main/KeyEventRelay.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int NameMaxLength = 25;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                 Qt::Alignment alignment) {
    auto* label = Place(new QLabel(text, parent), name, geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// Counts the times a widget gets the keyboard focus; it lives and goes with the widget.
class TFocusInCounter final : public QObject {
public:
    TFocusInCounter(QWidget* watched, int& count)
        : QObject(watched)
        , fCount(count) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            ++fCount;
        return false;
    }

private:
    int& fCount;
};

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

void TfrmMain::CreateMacroHeader() {
    pnlMacroHeader = Place(new QFrame(TabControlLevel), u"pnlMacroHeader"_s, {4, 25, 454, 64});
    pnlMacroHeader->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnlMacroHeader->setAutoFillBackground(true);
    QFont boldFont = pnlMacroHeader->font();
    boldFont.setBold(true);
    pnlMacroHeader->setFont(boldFont);

    lblMacroHeader = addLabel(pnlMacroHeader, u"lblMacroHeader"_s, {}, QRect(4, 5, 200, 14), Qt::AlignLeft);
    lblSpaceAvailable = addLabel(pnlMacroHeader, u"lblSpaceAvailable"_s, u"Bytes available for this macro:"_s,
                                 QRect(213, 4, 200, 14), Qt::AlignRight);
    // On the same line as its caption, so that the two read as one.
    lblBytesUsed = addLabel(pnlMacroHeader, u"lblBytesUsed"_s, {}, QRect(414, 4, 26, 14), Qt::AlignRight);

    Gauge1 = Place(new TGauge(pnlMacroHeader), u"Gauge1"_s, {267, 20, 179, 12});
    Gauge1->setRange(0, MacroCapacityBytes);
    Gauge1->setTextVisible(false);

    Label1 = addLabel(pnlMacroHeader, u"Label1"_s, u"Name:"_s, QRect(6, 30, 46, 21), Qt::AlignRight);

    EditName = Place(new QLineEdit(pnlMacroHeader), u"EditName"_s, {56, 30, 145, 21});
    EditName->setMaxLength(NameMaxLength);
    EditName->setToolTip(u"Enter optional name for key macro."_s);
    Label1->setBuddy(EditName);
    new TKeyEventRelay(
        EditName, [this](QKeyEvent* event) { return EditNameKeyDown(event); },
        [this](QKeyEvent* event) { return EditNameKeyUp(event); });
    connect(EditName, &QLineEdit::textEdited, this, &TfrmMain::EditNameTextEdited);
    new TFocusInCounter(EditName, fNameEditSession);

    chkboxAutoRepeat = Place(new QCheckBox(u"- This macro can auto-repeat"_s, pnlMacroHeader),
                             u"chkboxAutoRepeat"_s, {267, 37, 183, 17});
    chkboxAutoRepeat->setToolTip(u"Check this box to make the current macro auto-repeat"_s);
    connect(chkboxAutoRepeat, &QCheckBox::clicked, this, &TfrmMain::chkboxAutorepeatClick);
}

// Only a click by the user arrives here; CopyDataToScreen sets the box without marking a change.
void TfrmMain::chkboxAutorepeatClick(bool checked) {
    if (checked != Keypad.CanAutoRepeat()) {
        const TEditStart edit = BeginMacroEdit();
        Keypad.SetCanAutoRepeat(checked);
        FinishEdit(edit, PlaceAt(Grid->CursorIndex()));
    }
    Grid->setFocus();
}

// Every key release stores the name, also for keys that leave the text as it was.
bool TfrmMain::EditNameKeyUp(QKeyEvent* event) {
    if (!isEnter(event))
        StoreMacroName();
    return false;
}

bool TfrmMain::EditNameKeyDown(QKeyEvent* event) {
    if (!isEnter(event))
        return false;
    Grid->setFocus();
    return true;
}

// Typing stops at 25 characters, but a longer name read from a file is shown and kept whole: the
// field never cuts it short.
void TfrmMain::ShowMacroName(const QString& name) {
    EditName->setMaxLength(std::max(NameMaxLength, static_cast<int>(name.size())));
    EditName->setText(name);
}

// A change made without the keyboard (pasting or cutting with the mouse, dropping text) is stored at
// once too, so it cannot be lost by selecting another macro before the next key release.
void TfrmMain::EditNameTextEdited() {
    StoreMacroName();
}

// All that is typed into the name while its field keeps the focus is one step of the history.
void TfrmMain::StoreMacroName() {
    const TEditStart edit = BeginMacroEdit();
    Keypad.SetMacroName(EditName->text().toStdString());
    // Every key release marks a change, also one that leaves the name as it was.
    FinishEdit(edit, PlaceAt(Grid->CursorIndex()), TDefinitionDocument::Unchanged::Counts,
               TDefinitionEdit::Merge::Name, fNameEditSession);
}
