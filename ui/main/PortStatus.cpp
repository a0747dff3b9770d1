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
    panel->setToolTip(hint);
}

} // namespace

void TfrmMain::CreatePortPanel() {
    panelPort = new QLabel(TabControlLevel);
    panelPort->setObjectName(u"panelPort"_s);
    panelPort->setGeometry(276, 0, 160, 18);
    panelPort->setFrameStyle(QFrame::Box | QFrame::Plain);
    panelPort->setAlignment(Qt::AlignCenter);
    panelPort->setAutoFillBackground(true);
    panelPort->setForegroundRole(QPalette::Text);
    QFont captionFont(u"Arial"_s);
    captionFont.setPixelSize(11);
    captionFont.setBold(true);
    panelPort->setFont(captionFont);
    setPortCaption(panelPort, u"Port: <not set>"_s, Qt::red, {});
}

// Until the loader's settings are read, the panel shows that no port is set.
void TfrmMain::ShowPortStatus() {
    setPortCaption(panelPort, u"Port: <not set>"_s, QColor(255, 0, 0),
                   u"Click \"Set Port\" to set the keypad COM port"_s);
}
