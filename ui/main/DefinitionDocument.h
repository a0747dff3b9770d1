#pragma once

#include "ui/main/EditCommands.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QTimer;
class QUndoStack;
class RecoveryCopy;

// The open document: the keypad definition with its editing history, whether it has unsaved changes
// (modified), the file it belongs to, the download image that Download hands to the loader, and the
// recovery copy of unsaved changes. It alone decides whether the document is modified:
// - a recorded edit, an undo or a redo leaves it modified unless the history stands at the state last
//   saved or loaded;
// - an edit that changed nothing may still count as a change (a key that gives nothing): modified
//   until a save or until the history reaches the saved state again;
// - a definition changed without a step of the history (restored changes, a file mended while read,
//   a change made directly in the definition) is modified until a save succeeds, whatever is done and
//   undone on top of it;
// - loading, a new definition and a completed save make the present state the saved one.
// The window shows what it announces; the overview, the preview and the recovery copy follow Changed.
class TDefinitionDocument final : public QObject {
    Q_OBJECT
public:
    // The definition lives as long as the document; recovery copies go into recoveryFolder.
    TDefinitionDocument(TKeypadClass& definition, QString recoveryFolder, QObject* parent = nullptr);
    // Removes the recovery copy, as at every normal end, and announces nothing more.
    ~TDefinitionDocument() override;

    TKeypadClass& Definition() const { return fDefinition; }
    bool IsModified() const { return fModified; }
    // The file the definition belongs to; the bare name "untitled.ckd" until it is loaded or saved.
    const QString& Path() const { return fPath; }
    // The quoted path of the download image; empty when none is known.
    const QString& DownloadFileName() const { return fDownloadFileName; }

    // A new, empty definition: untitled, no image, an empty history, not modified.
    void StartUntitled();
    // The definition was read from path: that is the document now, with an empty history, not modified.
    // The download image stays as it was (a file named at start names none).
    void Loaded(const QString& path);
    // Restored changes to documentPath (a full path or the untitled name): that document and its image,
    // an empty history, modified until a save.
    void Restored(const QString& documentPath);
    // The file later saves write to (Save As names it before writing).
    void SetPath(const QString& path);
    // Names the image beside definitionPath for Download (Open names one also for a missing file).
    void NameDownloadImageFor(const QString& definitionPath);
    // The definition and its image were written to path: the present state is the saved one.
    void Saved(const QString& path);

    // What an edit that changed nothing does: nothing, or count as a change all the same.
    enum class Unchanged { Ignored, Counts };
    // Records the edit made since start as one step of the history, when it changed anything, and
    // announces the change. True when it changed anything.
    bool RecordEdit(const TEditStart& start, std::optional<TEditPlace> placeAfter,
                    Unchanged unchanged = Unchanged::Ignored,
                    TDefinitionEdit::Merge merge = TDefinitionEdit::Merge::Never, int session = 0);
    // Modified without a change of the definition (a failed save, a change that left nothing different).
    void MarkModified();
    // The definition was changed without a step of the history: announced, and modified until a save.
    void MarkChangedOutsideHistory();
    // The present state is the saved one that undo and redo can come back to: not modified.
    void MarkSaved();

    void Undo();
    void Redo();
    // The editing history, made with the first edit; null before.
    QUndoStack* HistoryIfMade() const { return fHistory; }

    // Writes the recovery copy now. False when it could not be written: the changes are still here and
    // saving reports its own errors; the next change tries again.
    bool WriteRecoveryCopy();
    void RemoveRecoveryCopy();

signals:
    // The modified state changed: the title's "*" and the Save button follow it.
    void ModifiedChanged(bool modified);
    // The definition changed: an edit, an undo or redo, a load, a new or restored definition.
    void Changed();
    // After an undo or redo, before Changed: where the user should see it (the key, level and cursor
    // of the step; none for the keypad-wide parameters).
    void PlaceToShow(const std::optional<TEditPlace>& place);

private:
    QUndoStack* History();
    void SetModified(bool modified);
    void StartEmptyHistory();
    void ScheduleRecoveryCopy();

    TKeypadClass& fDefinition;
    QString fRecoveryFolder;
    QString fPath;
    QString fDownloadFileName;
    bool fModified = false;
    QUndoStack* fHistory = nullptr;
    // Made with the first unsaved change.
    std::unique_ptr<RecoveryCopy> fRecovery;
    QTimer* fRecoveryTimer = nullptr;
    QElapsedTimer fRecoveryWaiting; // since the oldest change the copy does not hold yet
};
