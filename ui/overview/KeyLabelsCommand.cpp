#include "ui/overview/KeyLabelsCommand.h"

#include "files/FileBytes.h"
#include "files/FileError.h"
#include "platform/BusyCursor.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/ProgramName.h"
#include "platform/ShellStart.h"
#include "platform/UserSettings.h"
#include "ui/ErrorReport.h"
#include "ui/overview/KeyLabelSizeDialog.h"
#include "ui/overview/KeyLabelsPdf.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <optional>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace {

// The size the user asked for, remembered; nothing when cancelled. A size that cannot be remembered
// is still used this time.
std::optional<QSizeF> askSize(QWidget* parent, const QString& userFolder) {
    TKeyLabelSizeDialog dialog(ReadKeyLabelSize(userFolder).value_or(DefaultKeyLabelMm), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QSizeF size = dialog.SizeMm();
    try {
        WriteKeyLabelSize(userFolder, size);
    } catch (const FileError& error) {
        ShowError(parent, QString::fromUtf8(error.what()));
    }
    return size;
}

// Names the texts in the window's numbering: keys 1 to 24, levels 1 and 2.
QString cutShortText(const std::vector<LabelText>& texts) {
    QStringList places;
    for (const LabelText& text : texts)
        places << u"Key %1, Level %2"_s.arg(text.key + 1).arg(text.level + 1);
    return u"These names are too long for their labels at a readable size and are cut short: %1. "
           u"Shorten the names, or choose larger labels with Key Label Size."_s.arg(places.join(u"; "_s));
}

} // namespace

QString KeyLabelsPdfPath(const QString& userFolder, const QString& documentPath) {
    return QDir(KeycapLabelsFolder(userFolder))
        .filePath(QFileInfo(documentPath).completeBaseName() + u".pdf"_s);
}

bool AskKeyLabelSizeCommand(QWidget* parent, const QString& userFolder) {
    return askSize(parent, userFolder).has_value();
}

void PrintKeyLabelsCommand(QWidget* parent, TKeypadClass& keypad, const QString& userFolder,
                           const QString& documentPath) {
    std::optional<QSizeF> size = ReadKeyLabelSize(userFolder);
    if (!size)
        size = askSize(parent, userFolder);
    if (!size)
        return;
    const QString path = KeyLabelsPdfPath(userFolder, documentPath);
    std::optional<std::vector<LabelText>> cutShort;
    {
        const BusyCursor busy;
        try {
            Folders::ensureExists(KeycapLabelsFolder(userFolder));
        } catch (const FolderError& error) {
            ShowError(parent, QString::fromUtf8(error.what()));
            return;
        }
        // Made in memory, then written durably, whole or not at all, as every file of the program: a
        // failed writing leaves the previous labels as they were.
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        const QString title = u"Key labels: "_s + QFileInfo(documentPath).fileName();
        cutShort = WriteKeyLabelsPdf(pdf, KeyLabels(keypad), *size, title);
        if (!cutShort) {
            ShowError(parent, u"Unable to write to %1: the labels could not be drawn"_s.arg(
                                  QDir::toNativeSeparators(path)));
            return;
        }
        try {
            WriteFileAtomically(
                toFilesystemPath(path),
                std::string_view(pdf.data().constData(), static_cast<std::size_t>(pdf.size())));
        } catch (const FileError& error) {
            ShowError(parent, QString::fromUtf8(error.what()));
            return;
        }
    }
    if (!ShellStart::openDocument(path))
        ShowError(parent,
                  u"The key labels were written to %1, but no program could be found to show them."_s.arg(
                      QDir::toNativeSeparators(path)));
    if (!cutShort->empty())
        MessageBox::inform(parent, MessageBox::Icon::Warning, ProgramName, cutShortText(*cutShort));
}
