#include "ui/dialogs/Startup.h"

#include "platform/UserSettings.h"
#include "ui/CaptionFit.h"
#include "ui/ControlPlacement.h"
#include "ui/dialogs/WindowPlacement.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// Blank margin between the window frame and the client area.
constexpr int InnerBorder = 3;
constexpr QSize ClientSize{290, 172};
} // namespace

TStartupForm::TStartupForm(const QString& userFolder, std::function<void()> openGettingStarted,
                           QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , fUserFolder(userFolder)
    , fOpenGettingStarted(std::move(openGettingStarted)) {
    setObjectName(u"StartupForm"_s);
    setWindowTitle(u"Keywright"_s);
    setFixedSize(ClientSize.grownBy({InnerBorder, InnerBorder, InnerBorder, InnerBorder}));
    createControls();
    FitCaptions(*this);
    connect(btnOK, &QPushButton::clicked, this, &TStartupForm::btnOKClick);
}

void TStartupForm::createControls() {
    auto* client = Place(new QWidget(this), u"ClientArea"_s, QRect({InnerBorder, InnerBorder}, ClientSize));

    GroupBox1 = Place(new QGroupBox(client), u"GroupBox1"_s, {3, 4, 285, 121});
    // The box has no caption; a screen reader names the three answers by the question.
    GroupBox1->setAccessibleName(u"Would you like to read the \"Getting Started\" tutorial?"_s);

    // The question takes two lines in most fonts, so it starts higher than a one-line label would.
    Label2 = new QLabel(u"Would you like to read the \"Getting Started\" tutorial?"_s, GroupBox1);
    Label2->setObjectName(u"Label2"_s);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setGeometry(19, 10, 285 - 2 * 19, 32);

    const auto radioButton = [this](const QString& name, const QString& caption, int top, int width) {
        auto* radio = new QRadioButton(caption, GroupBox1);
        radio->setObjectName(name);
        // The designed width is kept unless the caption needs more room in the font in use.
        radio->setGeometry(80, top, std::max(width, radio->sizeHint().width()), 20);
        return radio;
    };
    rbYes = radioButton(u"rbYes"_s, u"Yes"_s, 44, 113);
    rbLater = radioButton(u"rbLater"_s, u"No (remind me later)"_s, 66, 113);
    rbNo = radioButton(u"rbNo"_s, u"No (don't show this again)"_s, 88, 157);
    rbYes->setChecked(true);

    btnOK = Place(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), u"OK"_s, client),
                  u"btnOK"_s, {108, 140, 75, 25});
    btnOK->setDefault(true);
    btnOK->setFocus();
}

void TStartupForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void TStartupForm::keyPressEvent(QKeyEvent* event) {
    // OK is the prompt's only way out; Escape does not dismiss it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TStartupForm::btnOKClick() {
    hide();
    if (rbYes->isChecked()) {
        if (fOpenGettingStarted)
            fOpenGettingStarted();
    } else if (rbNo->isChecked()) {
        HideStartupPromptFromNowOn(fUserFolder);
    }
}
