#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "files/RecoveryFile.h" // the recovery copy goes with the window also when its creation fails
#include "platform/Folders.h"
#include "platform/ProgramName.h"
#include "platform/UserSettings.h"
#include "ui/CaptionFit.h"
#include "ui/main/Application.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFileInfo>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr QSize ClientSize(631, 457);
} // namespace

TfrmMain::TfrmMain(const QStringList& arguments, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(ProgramName);
    setFixedSize(ClientSize);
    setFont(ProgramFont());
    ApplyWindowColours();
    FormCreate(arguments);
}

void TfrmMain::FormCreate(const QStringList& arguments) {
    UserFolder = MakeUserFolder();
    const QString macroFiles = MacroFilesFolder(UserFolder);
    const QString keycapLabels = KeycapLabelsFolder(UserFolder);
    Folders::ensureExists(macroFiles);
    Folders::ensureExists(keycapLabels);
    OpenDialog.folder = macroFiles;
    SaveDialog.folder = macroFiles;
    SaveDialog.fileName = UntitledDocumentName;
    OpenKeyCapsDialog.folder = keycapLabels;

    CreateToolBar();
    CreateKeypadPanel();
    CreateLevelTabs();
    // MacroEntry.cpp: the on-screen keyboard and the entry controls; key entry reads this window's
    // modifier flags and the PC keyboard's state.
    CreateMacroEntry();
    Keypad.SetKeyEntryState(this);
    CreateKeyboardAccess();
    CopyDataToScreen(0);

    if (!arguments.isEmpty())
        LoadStartupFile(arguments.constFirst());
    else
        ShowUntitled();
    ShowPortStatus();
    FitCaptions(*this);
}

// A file that is missing or cannot be read leaves the empty definition, shown as untitled. The path
// is kept in full, so that saving later writes to the same file wherever the program runs.
void TfrmMain::LoadStartupFile(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    try {
        if (ReadDefinitionFile(Keypad, toFilesystemPath(fullPath)) == DefinitionReadResult::Loaded) {
            ShowLoadedDefinition(fullPath);
            return;
        }
    } catch (const FileError& error) {
        ReportError(this, QString::fromUtf8(error.what()));
    }
    ShowUntitled();
}

void TfrmMain::ShowUntitled() {
    ChangesPending(false);
    ShowDocumentTitle(UntitledDocumentName);
}

void TfrmMain::ShowDocumentTitle(const QString& documentPath) {
    setWindowTitle(ProgramName + u" - "_s + QFileInfo(documentPath).fileName());
}

void TfrmMain::ShowKeyTypesAndSelectFirstKey() {
    for (TKeypadButton* button : KeyButtons) {
        Keypad.SetKey(static_cast<std::uint8_t>(button->Tag()));
        CopyKeyParametersToScreen(button);
    }
    {
        const QSignalBlocker noLevelChange(TabControlLevel);
        TabControlLevel->setCurrentIndex(0);
    }
    Keypad.SetKey(0);
    Keypad.SetLevel(0);
    KeyButtons[0]->setChecked(true); // the pressed button names the selected key
}

void TfrmMain::ShowLoadedDefinition(const QString& path) {
    ShowDocumentTitle(path);
    ShowKeyTypesAndSelectFirstKey();
    ColourKeypadPanel();
    CopyDataToScreen(Keypad.NumOfElements());
    StartNewHistory();
    ChangesPending(false);
    SaveDialog.fileName = path;
}

void TfrmMain::ChangesPending(bool Value) {
    if (!Value && fEditHistory != nullptr)
        fEditHistory->setClean(); // the present state is the saved one that undo can come back to
    ShowUnsavedState(Value);
}

// No step of the history holds the saved state any more, so no undo or redo clears the mark.
void TfrmMain::MarkUnsavedOutsideHistory() {
    EditHistory()->resetClean();
    ShowUnsavedState(true);
}

void TfrmMain::ShowUnsavedState(bool unsaved) {
    bChangesPending = unsaved;
    ToolBtnSave->setEnabled(unsaved);
    if (unsaved && !windowTitle().endsWith(u'*'))
        setWindowTitle(windowTitle() + u'*');
    if (unsaved)
        ScheduleRecoveryCopy();
    else
        RemoveRecoveryCopy();
    emit DefinitionChanged();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (bShownOnce || event->spontaneous())
        return;
    bShownOnce = true;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    FormShow();
}

void TfrmMain::FormShow() {
    Grid->setFocus();
}

void TfrmMain::changeEvent(QEvent* event) {
    // A new desktop palette reaches the window as a change of its own palette.
    if (event->type() == QEvent::PaletteChange)
        ApplyWindowColours();
    QWidget::changeEvent(event);
}

// The window is white on a light desktop. It takes the desktop's colours for text fields, so that a
// dark desktop gives a dark window with light text rather than light text on white.
void TfrmMain::ApplyWindowColours() {
    const QPalette desktop = QApplication::palette();
    QPalette colours;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Window, desktop.color(group, QPalette::Base));
        colours.setColor(group, QPalette::WindowText, desktop.color(group, QPalette::Text));
    }
    setAutoFillBackground(true);
    setPalette(colours); // the same colours again change nothing and raise no new event
}
