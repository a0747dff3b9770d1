#include "files/KeypadCheck.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MainWindow.h"
#include "ui/overview/KeyLabelsCommand.h"
#include "ui/overview/OverviewWindow.h"
#include "ui/overview/PreviewWindow.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

// The View button and its commands' shortcuts. The menu and the windows it opens are made on first
// use, so that they cost nothing at start-up.
void TfrmMain::CreateViewMenu() {
    const auto addCommand = [this](const QString& name, const QString& caption, const QKeySequence& shortcut,
                                   void (TfrmMain::*command)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, command);
        addAction(action); // the shortcut works before the menu is ever opened
        return action;
    };
    OverviewMenuItem = addCommand(u"OverviewMenuItem"_s, u"Overview"_s, Qt::Key_F5, &TfrmMain::ShowOverview);
    PreviewMenuItem = addCommand(u"PreviewMenuItem"_s, u"Preview"_s, Qt::Key_F7, &TfrmMain::ShowPreview);
    PrintKeyLabelsMenuItem =
        addCommand(u"PrintKeyLabelsMenuItem"_s, u"Print Key Labels"_s, Qt::Key_F8, &TfrmMain::PrintKeyLabels);
    KeyLabelSizeMenuItem = addCommand(u"KeyLabelSizeMenuItem"_s, u"Key Label Size..."_s,
                                      QKeySequence(Qt::SHIFT | Qt::Key_F8), &TfrmMain::AskKeyLabelSize);
    connect(ToolBtnView, &QToolButton::clicked, this, &TfrmMain::ToolBtnViewClick);
    // Alt with a letter of the caption opens the menu, as for the other tool buttons.
    const QKeySequence menuKey(Qt::ALT | Qt::Key_V);
    auto* openMenu = new QAction(this);
    openMenu->setShortcut(menuKey);
    connect(openMenu, &QAction::triggered, this, &TfrmMain::ToolBtnViewClick);
    addAction(openMenu);
    ToolBtnView->setAccessibleDescription(u"Overview, Preview, Print Key Labels and Key Label Size ("_s +
                                          menuKey.toString(QKeySequence::NativeText) + u')');
}

void TfrmMain::ToolBtnViewClick() {
    if (ViewMenu == nullptr) {
        ViewMenu = new QMenu(this);
        ViewMenu->setObjectName(u"ViewMenu"_s);
        ViewMenu->addActions({OverviewMenuItem, PreviewMenuItem});
        ViewMenu->addSeparator();
        ViewMenu->addActions({PrintKeyLabelsMenuItem, KeyLabelSizeMenuItem});
        ViewMenu->addSeparator();
        ViewMenu->addAction(ComputerLayoutMenuItem);
    }
    ViewMenu->popup(ToolBtnView->mapToGlobal(QPoint(0, ToolBtnView->height())));
}

std::shared_ptr<KeypadFindings> TfrmMain::ViewFindings() {
    if (!fViewFindings)
        fViewFindings = std::make_shared<KeypadFindings>();
    return fViewFindings;
}

void TfrmMain::ShowOverview() {
    if (frmOverview == nullptr) {
        frmOverview = new TfrmOverview(Keypad, ViewFindings(), this);
        connect(fDocument.get(), &TDefinitionDocument::Changed, frmOverview, &TfrmOverview::Refresh);
        // The codes follow the macro view's text or hex mode.
        connect(this, &TfrmMain::ViewModeChanged, frmOverview, &TfrmOverview::Refresh);
        connect(frmOverview, &TfrmOverview::KeySelected, this, &TfrmMain::SelectKeyAndLevel);
    }
    frmOverview->show();
    frmOverview->raise();
    frmOverview->activateWindow();
}

void TfrmMain::ShowPreview() {
    if (frmPreview == nullptr) {
        frmPreview = new TfrmPreview(Keypad, ViewFindings(), this);
        connect(fDocument.get(), &TDefinitionDocument::Changed, frmPreview, &TfrmPreview::Refresh);
        connect(this, &TfrmMain::SelectionChanged, frmPreview, &TfrmPreview::Refresh);
    }
    frmPreview->show();
    frmPreview->raise();
    frmPreview->activateWindow();
}

void TfrmMain::SelectKeyAndLevel(int key, int level) {
    if (key < 0 || key >= KeyCount || level < 0 || level >= LevelCount)
        return;
    TKeypadButton* button = KeyButtons[static_cast<std::size_t>(key)];
    button->setChecked(true);
    SpeedButton1Click(button);
    TabControlLevel->setCurrentIndex(level); // its change handler selects the level and redraws
    raise();
    activateWindow();
}

void TfrmMain::PrintKeyLabels() {
    PrintKeyLabelsCommand(this, Keypad, UserFolder, CurrentDocumentPath());
}

void TfrmMain::AskKeyLabelSize() {
    AskKeyLabelSizeCommand(this, UserFolder);
}
