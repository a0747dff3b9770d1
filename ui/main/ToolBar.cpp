#include "resources/Pictures.h"
#include "ui/CaptionFit.h"
#include "ui/ControlPlacement.h"
#include "ui/main/MainWindow.h"

#include <QFontInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int ButtonHeight = 36;
constexpr int DividerWidth = 44;
constexpr int CaptionMargin = 8;
constexpr int MinimumButtonWidth = 24;
constexpr int NarrowestDividerWidth = 9;

// As wide as the caption needs in the button's font, so that the fourteen items fit on one row.
void sizeToCaption(QToolButton* button) {
    const int captionWidth = button->fontMetrics().horizontalAdvance(button->text());
    button->setFixedSize(std::max(captionWidth + CaptionMargin, MinimumButtonWidth), ButtonHeight);
}

QToolButton* addButton(QWidget* toolBar, const QString& name, const QString& caption, int picture) {
    auto* button = new QToolButton(toolBar);
    button->setObjectName(name);
    button->setText(caption); // the captions' blanks widen the narrow buttons
    button->setIcon(Pictures::ToolbarPicture(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    sizeToCaption(button);
    toolBar->layout()->addWidget(button);
    return button;
}

// A blank of the divider's width with a thin upright line in its middle, in the desktop's mid tone.
class TToolBarDivider final : public QWidget {
public:
    explicit TToolBarDivider(QWidget* parent)
        : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        const int middle = width() / 2;
        painter.drawLine(middle, 4, middle, height() - 5);
    }
};

void addDivider(QWidget* toolBar, const QString& name) {
    auto* divider = new TToolBarDivider(toolBar);
    divider->setObjectName(name);
    divider->setFixedSize(DividerWidth, ButtonHeight);
    toolBar->layout()->addWidget(divider);
}

// A row longer than the bar would make the layout push its items over one another, so that captions
// run together: the dividers narrow first (a few pixels in the face the bar is laid out for, whose row
// is a little too long since View joined it), and in a wider face every caption then comes down a pixel
// size at a time, all alike.
void fitRow(QFrame& bar) {
    const QMargins margins = bar.layout()->contentsMargins();
    const int room = bar.width() - 2 * bar.frameWidth() - margins.left() - margins.right();
    const QList<QWidget*> items = bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QList<QToolButton*> buttons;
    QList<QWidget*> dividers;
    for (QWidget* item : items) {
        if (auto* button = qobject_cast<QToolButton*>(item))
            buttons << button;
        else
            dividers << item;
    }
    const auto rowWidth = [&] {
        int width = 0;
        for (const QWidget* item : items)
            width += item->width();
        return width;
    };
    if (rowWidth() <= room || dividers.isEmpty())
        return;
    const auto excess = static_cast<int>(rowWidth() - room);
    const int dividerWidth =
        std::max(NarrowestDividerWidth, DividerWidth - (excess + static_cast<int>(dividers.size()) - 1) /
                                                           static_cast<int>(dividers.size()));
    for (QWidget* divider : dividers)
        divider->setFixedWidth(dividerWidth);
    QFont font = bar.font();
    for (int size = QFontInfo(font).pixelSize() - 1; rowWidth() > room && size >= SmallestCaptionPixels;
         --size) {
        font.setPixelSize(size);
        for (QToolButton* button : buttons) {
            button->setFont(font);
            sizeToCaption(button);
        }
    }
}

} // namespace

// The commands' buttons with their look; Save is enabled through ChangesPending. What they do comes
// with the document commands and the external programs, which connect them at the end.
// The bar is a framed row of buttons: it never moves, floats or overflows, so a toolkit tool bar would
// only add its overflow button and the picture that button loads at start-up.
void TfrmMain::CreateToolBar() {
    ToolBar1 = Place(new QFrame(this), u"ToolBar1"_s, {0, 0, 631, 40});
    ToolBar1->setFrameStyle(QFrame::Panel | QFrame::Raised); // a border on all four sides
    ToolBar1->setBackgroundRole(QPalette::Window);
    ToolBar1->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(ToolBar1);
    row->setContentsMargins(3, 1, 1, 1); // inside the border, the buttons where they were
    row->setSpacing(0);

    ToolBtnNew = addButton(ToolBar1, u"ToolBtnNew"_s, u"  New "_s, 0);
    ToolBtnOpen = addButton(ToolBar1, u"ToolBtnOpen"_s, u" Open "_s, 1);
    ToolBtnSave = addButton(ToolBar1, u"ToolBtnSave"_s, u" Save "_s, 2);
    ToolBtnSaveAs = addButton(ToolBar1, u"ToolBtnSaveAs"_s, u"Save As"_s, 3);
    addDivider(ToolBar1, u"ToolButton10"_s);
    ToolBtnParameters = addButton(ToolBar1, u"ToolBtnParameters"_s, u"Properties"_s, 4);
    addDivider(ToolBar1, u"ToolButton13"_s);
    ToolBtnHelp = addButton(ToolBar1, u"ToolBtnHelp"_s, u" Help  "_s, 7);
    ToolButtonKeyLabels = addButton(ToolBar1, u"ToolButtonKeyLabels"_s, u"Key Labels"_s, 8);
    addDivider(ToolBar1, u"ToolButton2"_s);
    btnWirepick = addButton(ToolBar1, u"btnWirepick"_s, u"Set Port"_s, 9);
    ToolBtnDownload = addButton(ToolBar1, u"ToolBtnDownload"_s, u"Download"_s, 5);
    ToolButtonTest = addButton(ToolBar1, u"ToolButtonTest"_s, u"  Test  "_s, 6);
    ToolBtnView = addButton(ToolBar1, u"ToolBtnView"_s, u"View"_s, 10);
    row->addStretch();
    fitRow(*ToolBar1);

    // Document commands and external programs
    SetUpDocumentCommands();
    SetUpExternalPrograms();
    CreateViewMenu();
}
