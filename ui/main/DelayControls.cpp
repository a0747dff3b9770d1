#include "ui/ControlPlacement.h"
#include "ui/main/MainWindow.h"

#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QToolTip>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The track bar's positions, in delay units of CodeValue::DelayUnitMs: 4 ms to 500 ms.
constexpr int FirstDelayStep = 1;
constexpr int LastDelayStep = 125;
constexpr int StartDelayStep = 50;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QPoint position,
                 const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    return PlaceAtNaturalSize(label, name, position);
}

} // namespace

void TfrmMain::CreateDelayControls() {
    Bevel1 = Place(new QFrame(this), u"Bevel1"_s, {507, 277, 113, 41});
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->lower(); // a frame only: the delay button and the track bar lie on it

    tbDelayValue = Place(new QSlider(Qt::Horizontal, this), u"tbDelayValue"_s, {541, 281, 77, 24});
    tbDelayValue->setRange(FirstDelayStep, LastDelayStep);
    tbDelayValue->setValue(StartDelayStep);
    tbDelayValue->setTickInterval(16);
    tbDelayValue->setTickPosition(QSlider::TicksBelow);
    connect(tbDelayValue, &QSlider::valueChanged, this, &TfrmMain::tbDelayValueChange);
    // While the thumb is dragged its hint follows it, so the delay chosen can be read off.
    connect(tbDelayValue, &QSlider::sliderMoved, this,
            [this] { QToolTip::showText(QCursor::pos(), tbDelayValue->toolTip(), tbDelayValue); });
    tbDelayValueChange();

    // A size smaller, so that "500ms" ends inside the frame.
    QFont scaleFont = font();
    scaleFont.setPixelSize(10);
    Label3 = addLabel(this, u"Label3"_s, u"4ms"_s, {544, 303}, scaleFont);
    Label4 = addLabel(this, u"Label4"_s, u"500ms"_s, {586, 303}, scaleFont);
    // The scale ends inside the frame; in a wider face its caption shrinks to fit (see FitCaptions).
    const int roomInFrame = Bevel1->geometry().right() - Label4->x();
    Label4->resize(std::min(Label4->width(), roomInFrame), Label4->height());
}

// Moving the track bar inserts nothing; the delay button inserts the delay.
void TfrmMain::tbDelayValueChange() {
    tbDelayValue->setToolTip(QString::number(CodeValue::DelayUnitMs * tbDelayValue->value()) + u"ms"_s);
}
