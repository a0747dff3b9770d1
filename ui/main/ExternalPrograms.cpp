#include "model/KeypadParameters.h"
#include "platform/ExternalProgram.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/ProcessWait.h"
#include "platform/ProgramName.h"
#include "platform/ShellStart.h"
#include "ui/Application.h"
#include "ui/dialogs/Params.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/LoaderSettings.h"
#include "ui/main/MainWindow.h"

#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The quoted image path as the loader sees it: through wine, a Windows program reads the file under its
// Windows path.
QString imageParameter(const ExternalProgram& loader, const QString& downloadFileName) {
    const QStringList imagePath = SplitWindowsParameters(downloadFileName);
    if (!loader.throughWine() || imagePath.size() != 1)
        return downloadFileName;
    return QuotedPath(WindowsPathForWine(imagePath.front()));
}

} // namespace

void TfrmMain::SetUpExternalPrograms() {
    const QStringList keyCapFilters = NameFiltersFromPairs(
        u"Keycap Documents (*.doc)|*.doc|Keycap Templates (*.bmp)|*.bmp|All Files (*.*)|*.*"_s);
    OpenKeyCapsDialog.filter = keyCapFilters.join(u";;"_s);
    OpenKeyCapsDialog.selectedFilter = keyCapFilters.at(2);

    connect(ToolBtnParameters, &QToolButton::clicked, this, &TfrmMain::ToolBtnParametersClick);
    CreateHelpMenu();
    connect(ToolButtonKeyLabels, &QToolButton::clicked, this, &TfrmMain::ToolButtonKeyLabelsClick);
    connect(btnWirepick, &QToolButton::clicked, this, &TfrmMain::btnWirepickClick);
    connect(ToolBtnDownload, &QToolButton::clicked, this, &TfrmMain::ToolBtnDownloadClick);
    connect(ToolButtonTest, &QToolButton::clicked, this, &TfrmMain::ToolButtonTestClick);
}

void TfrmMain::CreateParametersDialog() {
    if (frmParameters != nullptr)
        return;
    frmParameters = new TfrmParameters(Keypad, this);
    // Each Apply is one step of the editing history.
    connect(frmParameters, &TfrmParameters::aboutToApplyChanges, this, [this] {
        fParametersBeforeApply = TEditStart{TDefinitionSnapshot::OfParameters(Keypad), std::nullopt};
    });
    connect(frmParameters, &TfrmParameters::changesApplied, this, [this] {
        // Apply counts as a change also when no value changed.
        if (fParametersBeforeApply)
            FinishEdit(*fParametersBeforeApply, std::nullopt, TDefinitionDocument::Unchanged::Counts);
        else
            fDocument->MarkChangedOutsideHistory();
        fParametersBeforeApply.reset();
    });
}

void TfrmMain::ToolBtnParametersClick() {
    CreateParametersDialog(); // program start has made it already; this only guards
    frmParameters->exec();
    ShowPortStatus();
}

void TfrmMain::ToolBtnDownloadClick() {
    if (HasChangesPending()) {
        ShowError(this, u"You must save your file before downloading it to the keypad."_s);
        return;
    }
    if (GetDownloadFileName().isEmpty()) {
        ShowError(this, u"Please open a Keypad .CKD file before attempting to download."_s);
        return;
    }
    // The image itself is not looked for: the loader gets the quoted path as it is.
    const ExternalProgram loader = FindExternalProgram(u"Uplinker.exe"_s);
    if (!ShellStart::startProgram(loader, imageParameter(loader, GetDownloadFileName())))
        ShowError(this,
                  u"Could not find \"Uplinker.exe\" loader program.  Make sure it is located in the same "
                  u"directory as this application."_s);
}

// In USB keyboard mode the key test program runs without a port; otherwise the serial test program gets
// the port the port selection tool recorded. A negative port starts nothing.
void TfrmMain::ToolButtonTestClick() {
    bool started = false;
    if (Keypad.OpMode() == ValueOf(OperatingMode::UsbKeyboard)) {
        started = ShellStart::startProgram(FindExternalProgram(u"Tapscope.exe"_s, KeyTesterProgram));
    } else {
        const int port = ReadLoaderPort(UserFolder).comPort;
        if (port == 0)
            started = ShellStart::startProgram(FindExternalProgram(u"Qvt.exe"_s, SerialTesterProgram));
        else if (port > 0)
            started = ShellStart::startProgram(FindExternalProgram(u"Qvt.exe"_s, SerialTesterProgram),
                                               QString::number(port));
    }
    if (!started)
        ShowError(this, u"Could not find the Windows Tapscope Program.  Make sure it is located in the same "
                        u"directory as this application."_s);
}

// The port selection tool records the chosen port in the loader's INI file; the window is repainted
// while it runs but takes no input until it ends.
void TfrmMain::btnWirepickClick() {
    if (!StartAndWait(FindExternalProgram(u"Wirepick.exe"_s, PortPickerProgram), [this] { repaint(); }))
        ShowError(this, u"Could not find \"Wirepick.exe\".  Make sure it is located in the same directory as "
                        u"this application."_s);
    ShowPortStatus();
}

void TfrmMain::ToolButtonKeyLabelsClick() {
    const QString chosen = FileDialog::getOpenFileName(this, OpenKeyCapsDialog);
    if (chosen.isEmpty())
        return;
    OpenKeyCapsDialog.fileName = chosen;
    if (!ShellStart::openDocument(chosen))
        ShowError(this, u"Could not find \"Create Keycaps.doc\" file."_s); // whichever file was chosen
}
