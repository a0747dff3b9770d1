#include "files/FileError.h"
#include "files/RecoveryFile.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/ProgramName.h"
#include "platform/UserSettings.h"
#include "ui/main/Application.h"
#include "ui/main/DocumentPaths.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <chrono>

using namespace Qt::Literals::StringLiterals;

namespace {

// The copy is written this long after the last change, so that typing is never held up by it...
constexpr qint64 RecoveryDelayMs = 1000;
// ...but while changes go on without a pause, never later than this after the oldest one it lacks.
constexpr qint64 RecoveryMaxLagMs = 3000;

// Names this process among the programs that may share the recovery folder, also where process
// numbers repeat from one run to the next (as in a container).
std::string instanceName() {
    return QString(QString::number(QCoreApplication::applicationPid()) + u'-' +
                   QString::number(QRandomGenerator::system()->generate(), 16))
        .toStdString();
}

} // namespace

// The editing history goes with the window; what it reports while it goes is no longer shown.
TfrmMain::~TfrmMain() {
    if (fEditHistory != nullptr)
        fEditHistory->disconnect(this);
}

void TfrmMain::ScheduleRecoveryCopy() {
    if (RecoveryTimer == nullptr) {
        RecoveryTimer = new QTimer(this);
        RecoveryTimer->setSingleShot(true);
        connect(RecoveryTimer, &QTimer::timeout, this, &TfrmMain::WriteRecoveryCopy);
    }
    if (!RecoveryTimer->isActive())
        RecoveryWaiting.start();
    const qint64 left = RecoveryMaxLagMs - RecoveryWaiting.elapsed();
    RecoveryTimer->start(static_cast<int>(std::clamp<qint64>(left, 0, RecoveryDelayMs)));
}

// Writes this program's recovery copy of the definition now. A copy that cannot be written is not
// reported: the changes are still in the window, and saving them reports its own errors; the next
// change tries again.
bool TfrmMain::WriteRecoveryCopy() {
    if (RecoveryTimer != nullptr)
        RecoveryTimer->stop();
    if (!Recovery)
        Recovery =
            std::make_unique<RecoveryCopy>(toFilesystemPath(RecoveryFolder(UserFolder)), instanceName());
    const QByteArray document = CurrentDocumentPath().toUtf8();
    try {
        Recovery->Write(Keypad, {document.toStdString(),
                                 std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now())});
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void TfrmMain::RemoveRecoveryCopy() {
    if (RecoveryTimer != nullptr)
        RecoveryTimer->stop();
    if (Recovery)
        Recovery->Remove();
}

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
    if (IsUntitledDocument(document)) {
        ShowKeyTypesAndSelectFirstKey();
        ColourKeypadPanel();
        CopyDataToScreen(Keypad.NumOfElements());
        ShowUntitled();
        SaveDialog.fileName = UntitledDocumentName;
        DownloadFileName.clear();
    } else {
        ShowLoadedDefinition(document);
        DownloadFileName = QuotedPath(DownloadImagePath(document));
    }
    MarkUnsavedOutsideHistory();
    if (WriteRecoveryCopy())
        left.Discard();
}
