#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "platform/BusyCursor.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramName.h"
#include "ui/Application.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/LoaderSettings.h"
#include "ui/main/MainWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QTabWidget>
#include <QToolButton>
#include <exception>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// What answering No to the question does to the unsaved-changes mark.
constexpr bool KeepChangesOnNo = false;
constexpr bool ClearChangesOnNo = true;

// Runs work under the busy cursor. The error text when it failed; the previous cursor is back before
// the caller reports it.
template <typename Work> std::optional<QString> RunBusy(Work&& work) {
    const BusyCursor busy;
    try {
        work();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return std::nullopt;
}

} // namespace

void TfrmMain::SetUpDocumentCommands() {
    OpenDialog.title = u"Open Redefinition File"_s;
    OpenDialog.filter = NameFiltersFromPairs(u"Custom Keyboard Definition (*.ckd)|*.ckd"_s).join(u";;"_s);
    OpenDialog.defaultSuffix = u"ckd"_s;
    OpenDialog.fileMustExist = false; // a name that does not exist loads nothing, yet names the image

    SaveDialog.title = u"Save Redefinition File"_s;
    SaveDialog.filter = NameFiltersFromPairs(u"Custom Keyboard Definition  Files|*.ckd"_s).join(u";;"_s);
    SaveDialog.defaultSuffix = u"ckd"_s;
    SaveDialog.confirmOverwrite = true;

    connect(ToolBtnNew, &QToolButton::clicked, this, &TfrmMain::NewMenuItemClick);
    connect(ToolBtnOpen, &QToolButton::clicked, this, &TfrmMain::OpenMenuItemClick);
    connect(ToolBtnSave, &QToolButton::clicked, this, &TfrmMain::SaveMenuItemClick);
    connect(ToolBtnSaveAs, &QToolButton::clicked, this, &TfrmMain::SaveAsMenuItemClick);
}

// The question before a command that would drop unsaved changes. True when the command may go on:
// nothing was unsaved, the user saved, or the user chose not to save. Cancel, a cancelled Save As
// dialog and a failed save stop the command, so no change is lost that the user wanted kept.
bool TfrmMain::AskToSaveChanges(bool clearChangesOnNo) {
    if (!HasChangesPending())
        return true;
    switch (MessageBox::askYesNoCancel(this, ProgramName,
                                       u"Do you wish to save changes to your custom definition?"_s)) {
    case MessageBox::Answer::Yes: return SaveMenuItemClick();
    case MessageBox::Answer::No:
        if (clearChangesOnNo)
            ChangesPending(false);
        return true;
    default: return false;
    }
}

void TfrmMain::NewMenuItemClick() {
    if (!AskToSaveChanges(ClearChangesOnNo))
        return;
    Keypad.Initialize();
    fDocument->StartUntitled();
    ShowKeyTypesAndSelectFirstKey();
    CopyDataToScreen(Keypad.NumOfElements());
    ShowDocumentTitle(UntitledDocumentName);
    ColourKeypadPanel();
    ShowPortStatus();
}

void TfrmMain::OpenMenuItemClick() {
    if (!AskToSaveChanges(KeepChangesOnNo))
        return;
    const QString chosen = FileDialog::getOpenFileName(this, OpenDialog);
    if (!chosen.isEmpty()) {
        OpenDialog.fileName = chosen;
        // A missing file loads nothing; a file that cannot be read leaves the definition as it was.
        const std::optional<QString> failure = RunBusy([this, &chosen] {
            if (ReadDefinitionFile(Keypad, toFilesystemPath(chosen)) == DefinitionReadResult::Loaded)
                ShowLoadedDefinition(chosen);
            fDocument->NameDownloadImageFor(chosen);
        });
        if (failure) {
            ReportError(this, *failure);
            return;
        }
    }
    ColourKeypadPanel();
    ShowPortStatus();
}

bool TfrmMain::SaveMenuItemClick() {
    const QString path = CurrentDocumentPath();
    if (IsUntitledDocument(path))
        return SaveAsMenuItemClick();
    return SaveDefinitionAs(path);
}

bool TfrmMain::SaveAsMenuItemClick() {
    SaveDialog.fileName = CurrentDocumentPath();
    const QString chosen = FileDialog::getSaveFileName(this, SaveDialog);
    if (chosen.isEmpty())
        return false;
    fDocument->SetPath(chosen); // later Saves write here without asking
    return SaveDefinitionAs(chosen);
}

// Writes the definition file, then its download image, which also passes the download delay to the
// loader's INI file in the program folder. Only a save that completes names the new image for
// Download; a failed one leaves the changes marked as unsaved, so that Download refuses rather than
// send an image that may not match the definition.
bool TfrmMain::SaveDefinitionAs(const QString& path) {
    const QString imagePath = DownloadImagePath(path);
    DefinitionWriteResult written = DefinitionWriteResult::Written;
    const std::optional<QString> failure = RunBusy([this, &path, &imagePath, &written] {
        ToggleShiftSlots slotKeys;
        written = WriteDefinitionFile(Keypad, toFilesystemPath(path), slotKeys);
        ShowDocumentTitle(path);
        WriteDownloadImage(Keypad, toFilesystemPath(imagePath), slotKeys,
                           toFilesystemPath(LoaderIniPath(ProgramFolder::path())));
        fDocument->Saved(path);
    });
    if (failure) {
        fDocument->MarkModified(); // only a save that completed is a state undo can come back to as saved
        ReportError(this, *failure);
        return false;
    }
    // Once: from now on the file is UTF-8 and stays so.
    if (written == DefinitionWriteResult::SwitchedToUtf8)
        MessageBox::inform(this, MessageBox::Icon::Information, ProgramName,
                           u"%1 is saved in UTF-8 from now on: a name in it has characters that "
                           u"Windows-1252 cannot hold."_s.arg(QFileInfo(path).fileName()));
    return true;
}

bool TfrmMain::FormCloseQuery() {
    return AskToSaveChanges(KeepChangesOnNo);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    event->setAccepted(FormCloseQuery());
    if (event->isAccepted())
        fDocument->RemoveRecoveryCopy(); // a normal end, also when the user chose not to save
}
