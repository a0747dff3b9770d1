#include "ui/CaptionFit.h"
#include "ui/ControlPlacement.h"
#include "ui/ProgramFont.h"
#include "ui/main/LoaderSettings.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

// The panel keeps its white face on every desktop so that its red and green captions stay readable.
// Its border is drawn in the window-text colour and its caption in the text colour.
void setPortCaption(QLabel* panel, const QString& caption, const QColor& colour, const QString& hint) {
    QPalette colours;
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Text, colour);
    panel->setPalette(colours);
    panel->setText(caption);
    FitCaption(panel);
    panel->setToolTip(hint);
}

// The kind of connection after the port number; only a single letter names one.
QString connectionKind(const QString& comType) {
    if (comType.compare(u"U"_s, Qt::CaseInsensitive) == 0)
        return u" (USB)"_s;
    if (comType.compare(u"R"_s, Qt::CaseInsensitive) == 0)
        return u" (DB9)"_s;
    if (comType.compare(u"V"_s, Qt::CaseInsensitive) == 0)
        return u" (CDC)"_s;
    return {};
}

} // namespace

void TfrmMain::CreatePortPanel() {
    panelPort = Place(new QLabel(TabControlLevel), u"panelPort"_s, {276, 0, 160, 18});
    panelPort->setFrameStyle(QFrame::Box | QFrame::Plain);
    panelPort->setAlignment(Qt::AlignCenter);
    panelPort->setAutoFillBackground(true);
    panelPort->setForegroundRole(QPalette::Text);
    QFont captionFont = ProgramFont();
    captionFont.setBold(true);
    panelPort->setFont(captionFont);
    setPortCaption(panelPort, u"Port: <not set>"_s, Qt::red, {});
}

// Shows the port recorded in the loader's INI file in the user's folder. A negative port leaves the
// panel as it was.
void TfrmMain::ShowPortStatus() {
    const QString hint = u"Click \"Set Port\" to set the keypad COM port"_s;
    const LoaderPort port = ReadLoaderPort(UserFolder);
    if (port.comPort > 0)
        setPortCaption(panelPort,
                       u"Port: COM"_s + QString::number(port.comPort) + connectionKind(port.comType),
                       QColor(0, 128, 0), hint);
    else if (port.comPort == 0)
        setPortCaption(panelPort, u"Port: <not set>"_s, QColor(255, 0, 0), hint);
}
