#include "ui/dialogs/About.h"

#include "resources/Pictures.h"
#include "ui/CaptionFit.h"
#include "ui/ControlPlacement.h"
#include "ui/dialogs/OurVersion.h"
#include "ui/dialogs/WindowPlacement.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
// The logo at the screen's pixel density: drawn at twice its size for a high-density screen. A null
// picture when the logo cannot be read.
QPixmap logoPicture(qreal pixelRatio) {
    if (pixelRatio > 1) {
        QPixmap sharp = Pictures::ReadPicture(u":/dialogs/logo@2x"_s);
        sharp.setDevicePixelRatio(2);
        return sharp;
    }
    return Pictures::ReadPicture(u":/dialogs/logo"_s);
}
} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About"_s);
    setFixedSize(303, 182);
    createControls();
    lblVersion->setText(u"Version "_s + GetOurVersion());
    lblVersion->adjustSize();
    FitCaptions(*this);
    connect(btnOk, &QPushButton::clicked, this, &TfrmAbout::btnOkClick);
    if (parent != nullptr)
        move(CentredTopLeft(parent->window()->frameGeometry(), frameGeometry().size()));
}

void TfrmAbout::createControls() {
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(9, 8, 284, 129);

    BrimlowLogoImage = Place(new QLabel(this), u"BrimlowLogoImage"_s, {24, 20, 139, 30});
    BrimlowLogoImage->setPixmap(logoPicture(devicePixelRatio()));
    BrimlowLogoImage->setAccessibleName(u"Brimlow logo"_s);

    lblDescription = new QLabel(u"Keywright Redefinition Software for Tessapad 24"_s, this);
    lblDescription->setObjectName(u"lblDescription"_s);
    QFont bold = lblDescription->font();
    bold.setBold(true);
    lblDescription->setFont(bold);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines of the font in use may need a little more than the designed 26 pixels.
    lblDescription->setGeometry(25, 55, 204, std::max(26, lblDescription->heightForWidth(204)));

    lblVersion = new QLabel(u"Version x.xx"_s, this);
    lblVersion->setObjectName(u"lblVersion"_s);
    lblVersion->move(25, 94);

    btnOk = Place(new QPushButton(u"OK"_s, this), u"btnOk"_s, {114, 149, 75, 25});
    btnOk->setFocus();
}

QString TfrmAbout::GetOurVersion() {
    return ShortVersion(ProgramFileVersion());
}

void TfrmAbout::btnOkClick() {
    accept();
}
