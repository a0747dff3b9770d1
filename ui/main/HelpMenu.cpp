#include "platform/ProgramFolder.h"
#include "platform/ShellStart.h"
#include "ui/Application.h"
#include "ui/dialogs/About.h"
#include "ui/main/HelpDocuments.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// A missing document gets the message that names it as missing; a document that is there but that no
// program could show says so and where it is, so that the user looks for a viewer, not for the file.
void openHelpDocument(QWidget* parent, const QString& name) {
    const QString path = QDir::toNativeSeparators(QDir(ProgramFolder::filePath(u"Help"_s)).filePath(name));
    if (ShellStart::openDocument(path))
        return;
    if (QFileInfo(path).isFile())
        ShowError(parent, u"The help file \"%1\" is in %2, but no program could be found to show it. "
                          u"Install a PDF viewer to read it."_s.arg(
                              name, QDir::toNativeSeparators(QFileInfo(path).path())));
    else
        ShowError(parent, u"Could not find \"%1\" help file."_s.arg(name));
}

} // namespace

void OpenGettingStarted(QWidget* parent) {
    openHelpDocument(parent, u"Getting Started.pdf"_s);
}

void OpenUserManual(QWidget* parent) {
    openHelpDocument(parent, u"Keywright24.pdf"_s);
}

void TfrmMain::CreateHelpMenu() {
    HelpMenu = new QMenu(this);
    HelpMenu->setObjectName(u"HelpMenu"_s);
    GettingStarted = HelpMenu->addAction(u"&Getting Started"_s);
    GettingStarted->setObjectName(u"GettingStarted"_s);
    UserManual = HelpMenu->addAction(u"&User Manual"_s);
    UserManual->setObjectName(u"UserManual"_s);
    AboutMenuItem = HelpMenu->addAction(u"&About Keywright"_s);
    AboutMenuItem->setObjectName(u"AboutMenuItem"_s);
    connect(GettingStarted, &QAction::triggered, this, &TfrmMain::GettingStartedClick);
    connect(UserManual, &QAction::triggered, this, &TfrmMain::UserManualClick);
    connect(AboutMenuItem, &QAction::triggered, this, &TfrmMain::AboutMenuItemClick);

    // The button only drops the menu down; it has no command of its own and, being as narrow as its
    // caption, no room for an arrow.
    ToolBtnHelp->setMenu(HelpMenu);
    ToolBtnHelp->setPopupMode(QToolButton::InstantPopup);
    ToolBtnHelp->setStyleSheet(u"QToolButton::menu-indicator { image: none; width: 0px; }"_s);
}

void TfrmMain::GettingStartedClick() {
    OpenGettingStarted(this);
}

void TfrmMain::UserManualClick() {
    OpenUserManual(this);
}

// A new About box for every showing, centred on this window.
void TfrmMain::AboutMenuItemClick() {
    TfrmAbout frmAbout(this);
    frmAbout.exec();
}
