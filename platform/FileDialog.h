#pragma once

#include <QString>
#include <deque>

class QWidget;

struct FileDialogOptions {
    QString title;
    QString folder;   // initial folder
    QString fileName; // preset file name
    QString filter;   // name filters joined by ";;", shown without their patterns: "Definitions (*.ckd)"
    QString defaultSuffix;
    bool confirmOverwrite = false; // save dialogs: ask before replacing an existing file
    // Document commands and external programs
    QString selectedFilter;    // the filter chosen at first; empty for the first one
    bool fileMustExist = true; // open dialogs: refuse a name that is not an existing file
};

// Every file dialog of the program goes through here, so tests can name the file beforehand.
// An empty result means the user cancelled.
class FileDialog final {
public:
    static QString getOpenFileName(QWidget* parent, const FileDialogOptions& options);
    static QString getSaveFileName(QWidget* parent, const FileDialogOptions& options);

    // Test hooks: queued names answer the next dialogs in order ("" = cancelled) without showing them.
    static void setNextFileName(const QString& fileName);
    // In test mode a dialog without a queued name is not shown: it answers as if cancelled.
    static void setTestMode(bool on);
    static const FileDialogOptions& lastOptions();
    static void clear();
};
