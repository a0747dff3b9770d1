#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "platform/Folders.h"
#include "platform/ProgramName.h"
#include "platform/UserSettings.h"
#include "ui/Application.h"
#include "ui/CaptionFit.h"
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

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate(const QStringList& arguments) {
    UserFolder = MakeUserFolder();
    const QString macroFiles = MacroFilesFolder(UserFolder);
    const QString keycapLabels = KeycapLabelsFolder(UserFolder);
    Folders::ensureExists(macroFiles);
    Folders::ensureExists(keycapLabels);
    OpenDialog.folder = macroFiles;
    SaveDialog.folder = macroFiles;
    OpenKeyCapsDialog.folder = keycapLabels;
    fDocument = std::make_unique<TDefinitionDocument>(Keypad, RecoveryFolder(UserFolder));

    CreateToolBar();
    CreateKeypadPanel();
    CreateLevelTabs();
    // MacroEntry.cpp: the on-screen keyboard and the entry controls; key entry reads this window's
    // modifier flags and the PC keyboard's state.
    CreateMacroEntry();
    Keypad.SetKeyEntryState(this);
    CreateKeyboardAccess();
    CopyDataToScreen(0);
    connect(fDocument.get(), &TDefinitionDocument::ModifiedChanged, this, &TfrmMain::ShowUnsavedState);
    connect(fDocument.get(), &TDefinitionDocument::PlaceToShow, this, &TfrmMain::ShowEditPlace);
    ShowUnsavedState(fDocument->IsModified());

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
    setWindowTitle(ProgramName + u" - "_s + QFileInfo(documentPath).fileName() +
                   (HasChangesPending() ? u"*"_s : QString()));
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
    fDocument->Loaded(path);
    ShowDocumentTitle(path);
    ShowKeyTypesAndSelectFirstKey();
    ColourKeypadPanel();
    CopyDataToScreen(Keypad.NumOfElements());
}

// Save is enabled exactly while the document is modified, and the title ends in one "*" then.
void TfrmMain::ShowUnsavedState(bool unsaved) {
    ToolBtnSave->setEnabled(unsaved);
    const QString title = windowTitle();
    if (unsaved && !title.endsWith(u'*'))
        setWindowTitle(title + u'*');
    else if (!unsaved && title.endsWith(u'*'))
        setWindowTitle(title.chopped(1));
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
