#include "resources/Pictures.h"
#include "ui/ControlPlacement.h"
#include "ui/main/MainWindow.h"

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

QToolButton* addButton(QWidget* toolBar, const QString& name, const QString& caption, int picture) {
    auto* button = new QToolButton(toolBar);
    button->setObjectName(name);
    button->setText(caption); // the captions' blanks widen the narrow buttons
    button->setIcon(Pictures::ToolbarPicture(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    // As wide as the caption needs, so that the fourteen items fit on one row.
    const int captionWidth = button->fontMetrics().horizontalAdvance(caption);
    button->setFixedSize(std::max(captionWidth + CaptionMargin, MinimumButtonWidth), ButtonHeight);
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

    // Document commands and external programs
    SetUpDocumentCommands();
    SetUpExternalPrograms();
    CreateViewMenu();
}
