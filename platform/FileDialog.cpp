#include "platform/FileDialog.h"

#include <QFileDialog>

namespace {
std::deque<QString> queuedNames;
FileDialogOptions lastShownOptions;
bool testMode = false;

QString run(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    lastShownOptions = options;
    if (!queuedNames.empty()) {
        QString name = queuedNames.front();
        queuedNames.pop_front();
        return name;
    }
    if (testMode)
        return {};
    QFileDialog dialog(parent, options.title, options.folder, options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && options.fileMustExist ? QFileDialog::ExistingFile
                                                                                : QFileDialog::AnyFile);
    // The filters' descriptions name their patterns themselves where they mean to.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!options.selectedFilter.isEmpty())
        dialog.selectNameFilter(options.selectedFilter);
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const FileDialogOptions& options) {
    return run(parent, options, QFileDialog::AcceptOpen);
}

QString FileDialog::getSaveFileName(QWidget* parent, const FileDialogOptions& options) {
    return run(parent, options, QFileDialog::AcceptSave);
}

void FileDialog::setNextFileName(const QString& fileName) {
    queuedNames.push_back(fileName);
}
void FileDialog::setTestMode(bool on) {
    testMode = on;
}
const FileDialogOptions& FileDialog::lastOptions() {
    return lastShownOptions;
}
void FileDialog::clear() {
    queuedNames.clear();
    lastShownOptions = {};
}
