#include "files/FileError.h"
#include "files/RecoveryFile.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/ProgramName.h"
#include "platform/UserSettings.h"
#include "ui/Application.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/MainWindow.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTimeZone>

using namespace Qt::Literals::StringLiterals;

void TfrmMain::OfferRecovery() {
    std::optional<LeftRecovery> left = ClaimLeftRecovery(toFilesystemPath(RecoveryFolder(UserFolder)));
    if (!left)
        return;
    const QString document = QString::fromStdString(left->info.document);
    const QString name = IsUntitledDocument(document) ? UntitledDocumentName : QFileInfo(document).fileName();
    const QDateTime time =
        QDateTime::fromSecsSinceEpoch(left->info.time.time_since_epoch().count(), QTimeZone::utc())
            .toLocalTime();
    const QString question = u"%1 did not close normally. Restore the unsaved changes to %2 from %3?"_s.arg(
        ProgramName, name, QLocale().toString(time, QLocale::ShortFormat));
    switch (MessageBox::askRestoreDiscard(this, ProgramName, question)) {
    case MessageBox::Answer::Restore: RestoreRecovery(*left, document); break;
    case MessageBox::Answer::Discard: left->Discard(); break;
    default: break; // closed without an answer: offered again at the next start
    }
}

// Opens the recovered definition as its document with the unsaved mark set, so that Save writes it to
// the document's file. The claimed copy goes only once this program's own copy holds the changes.
void TfrmMain::RestoreRecovery(LeftRecovery& left, const QString& document) {
    try {
        left.RestoreInto(Keypad);
    } catch (const FileError& error) {
        ReportError(this, QString::fromUtf8(error.what()));
        return;
    }
    fDocument->Restored(document);
    ShowDocumentTitle(CurrentDocumentPath());
    ShowKeyTypesAndSelectFirstKey();
    ColourKeypadPanel();
    CopyDataToScreen(Keypad.NumOfElements());
    if (fDocument->WriteRecoveryCopy())
        left.Discard();
}
