#include "ui/main/DefinitionDocument.h"

#include "files/FileError.h"
#include "files/RecoveryFile.h"
#include "platform/Folders.h"
#include "ui/main/DocumentPaths.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <chrono>

using namespace Qt::Literals::StringLiterals;

namespace {

// A step keeps two copies of what it touched (about 2 kB for a macro): the oldest steps go first
// beyond this many, so that a long session's history stays small.
constexpr int UndoLimit = 1000;

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

TDefinitionDocument::TDefinitionDocument(TKeypadClass& definition, QString recoveryFolder, QObject* parent)
    : QObject(parent)
    , fDefinition(definition)
    , fRecoveryFolder(std::move(recoveryFolder))
    , fPath(UntitledDocumentName) {}

// The history announces its clearing while it goes; nobody listens any more.
TDefinitionDocument::~TDefinitionDocument() {
    blockSignals(true);
    if (fHistory != nullptr)
        fHistory->disconnect(this);
}

QUndoStack* TDefinitionDocument::History() {
    if (fHistory == nullptr) {
        fHistory = new QUndoStack(this);
        fHistory->setObjectName(u"EditHistory"_s);
        fHistory->setUndoLimit(UndoLimit);
        connect(fHistory, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
    }
    return fHistory;
}

void TDefinitionDocument::SetModified(bool modified) {
    if (modified != fModified) {
        fModified = modified;
        emit ModifiedChanged(modified);
    }
    if (modified)
        ScheduleRecoveryCopy();
    else
        RemoveRecoveryCopy();
}

void TDefinitionDocument::StartEmptyHistory() {
    if (fHistory != nullptr)
        fHistory->clear();
}

void TDefinitionDocument::StartUntitled() {
    fPath = UntitledDocumentName;
    fDownloadFileName.clear();
    StartEmptyHistory();
    SetModified(false);
    emit Changed();
}

void TDefinitionDocument::Loaded(const QString& path) {
    fPath = path;
    StartEmptyHistory();
    SetModified(false);
    emit Changed();
}

void TDefinitionDocument::Restored(const QString& documentPath) {
    fPath = IsUntitledDocument(documentPath) ? UntitledDocumentName : documentPath;
    if (IsUntitledDocument(documentPath))
        fDownloadFileName.clear();
    else
        NameDownloadImageFor(documentPath);
    StartEmptyHistory();
    MarkChangedOutsideHistory();
}

void TDefinitionDocument::SetPath(const QString& path) {
    fPath = path;
}

void TDefinitionDocument::NameDownloadImageFor(const QString& definitionPath) {
    fDownloadFileName = QuotedPath(DownloadImagePath(definitionPath));
}

void TDefinitionDocument::Saved(const QString& path) {
    fPath = path;
    NameDownloadImageFor(path);
    MarkSaved();
}

bool TDefinitionDocument::RecordEdit(const TEditStart& start, std::optional<TEditPlace> placeAfter,
                                     Unchanged unchanged, TDefinitionEdit::Merge merge, int session) {
    TDefinitionSnapshot after = start.before.Retaken(fDefinition);
    if (after.SameContent(start.before)) {
        if (unchanged == Unchanged::Counts)
            MarkModified();
        return false;
    }
    History()->push(new TDefinitionEdit(
        fDefinition, start.before, std::move(after), start.place, placeAfter,
        [this](const std::optional<TEditPlace>& place) {
            emit PlaceToShow(place);
            emit Changed();
        },
        merge, session));
    // A change that merged back into the saved state (a name typed and taken back) leaves none pending.
    SetModified(!fHistory->isClean());
    emit Changed();
    return true;
}

void TDefinitionDocument::MarkModified() {
    SetModified(true);
}

// No step of the history holds the saved state any more, so no undo or redo clears the mark.
void TDefinitionDocument::MarkChangedOutsideHistory() {
    History()->resetClean();
    SetModified(true);
    emit Changed();
}

void TDefinitionDocument::MarkSaved() {
    if (fHistory != nullptr)
        fHistory->setClean();
    SetModified(false);
}

void TDefinitionDocument::Undo() {
    if (fHistory != nullptr && fHistory->canUndo())
        fHistory->undo();
}

void TDefinitionDocument::Redo() {
    if (fHistory != nullptr && fHistory->canRedo())
        fHistory->redo();
}

void TDefinitionDocument::ScheduleRecoveryCopy() {
    if (fRecoveryTimer == nullptr) {
        fRecoveryTimer = new QTimer(this);
        fRecoveryTimer->setSingleShot(true);
        connect(fRecoveryTimer, &QTimer::timeout, this, &TDefinitionDocument::WriteRecoveryCopy);
    }
    if (!fRecoveryTimer->isActive())
        fRecoveryWaiting.start();
    const qint64 left = RecoveryMaxLagMs - fRecoveryWaiting.elapsed();
    fRecoveryTimer->start(static_cast<int>(std::clamp<qint64>(left, 0, RecoveryDelayMs)));
}

bool TDefinitionDocument::WriteRecoveryCopy() {
    if (fRecoveryTimer != nullptr)
        fRecoveryTimer->stop();
    if (!fRecovery)
        fRecovery = std::make_unique<RecoveryCopy>(toFilesystemPath(fRecoveryFolder), instanceName());
    const QByteArray document = fPath.toUtf8();
    try {
        fRecovery->Write(fDefinition, {document.toStdString(), std::chrono::floor<std::chrono::seconds>(
                                                                   std::chrono::system_clock::now())});
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void TDefinitionDocument::RemoveRecoveryCopy() {
    if (fRecoveryTimer != nullptr)
        fRecoveryTimer->stop();
    if (fRecovery)
        fRecovery->Remove();
}
