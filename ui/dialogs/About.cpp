#include "ui/dialogs/About.h"

#include "ui/dialogs/OurVersion.h"
#include "ui/dialogs/WindowPlacement.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

// The dialogs' pictures are in a static library, so their registration must be pulled in explicitly.
static void initDialogResources() {
    Q_INIT_RESOURCE(dialogs);
}

namespace {
// The logo drawn sharp at the screen's pixel density, on a transparent background. A null picture when
// the logo cannot be read.
QPixmap renderLogo(const QSize& size, qreal pixelRatio) {
    QSvgRenderer renderer(u":/dialogs/logo.svg"_s);
    if (!renderer.isValid())
        return {};
    QPixmap logo(size * pixelRatio);
    logo.setDevicePixelRatio(pixelRatio);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return logo;
}
} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    initDialogResources();
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About"_s);
    setFixedSize(303, 182);
    createControls();
    lblVersion->setText(u"Version "_s + GetOurVersion());
    lblVersion->adjustSize();
    connect(btnOk, &QPushButton::clicked, this, &TfrmAbout::btnOkClick);
    if (parent != nullptr)
        move(CentredTopLeft(parent->window()->frameGeometry(), frameGeometry().size()));
}

void TfrmAbout::createControls() {
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(9, 8, 284, 129);

    BrimlowLogoImage = new QLabel(this);
    BrimlowLogoImage->setObjectName(u"BrimlowLogoImage"_s);
    BrimlowLogoImage->setGeometry(24, 20, 139, 30);
    BrimlowLogoImage->setPixmap(renderLogo(BrimlowLogoImage->size(), devicePixelRatio()));

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

    btnOk = new QPushButton(u"OK"_s, this);
    btnOk->setObjectName(u"btnOk"_s);
    btnOk->setGeometry(114, 149, 75, 25);
    btnOk->setFocus();
}

QString TfrmAbout::GetOurVersion() {
    return ShortVersion(ProgramFileVersion());
}

void TfrmAbout::btnOkClick() {
    accept();
}
