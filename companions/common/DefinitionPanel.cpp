#include "companions/common/DefinitionPanel.h"

#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "platform/BusyCursor.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The program's folder in the user's documents folder, where the main program keeps definitions and
// the user's settings; empty when it cannot be made.
QString userFolder() {
    try {
        return MakeUserFolder();
    } catch (const FolderError&) {
        return {};
    }
}

// Where the file dialog opens: the folder of definitions when there is one, else the documents folder.
QString definitionsFolder(const QString& user) {
    const QString folder = user.isEmpty() ? QString() : MacroFilesFolder(user);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : Folders::documents();
}

} // namespace

TDefinitionPanel::TDefinitionPanel(BurstUnits units, QWidget* parent)
    : QWidget(parent)
    , fUnits(units)
    , btnCompare(new QPushButton(u"Compare with definition\u2026"_s, this))
    , lblDefinition(new QLabel(this)) {
    btnCompare->setObjectName(u"btnCompare"_s);
    btnCompare->setFocusPolicy(Qt::NoFocus);
    lblDefinition->setObjectName(u"lblDefinition"_s);
    lblDefinition->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(btnCompare);
    layout->addWidget(lblDefinition, 1);
    connect(btnCompare, &QPushButton::clicked, this, &TDefinitionPanel::btnCompareClick);
    showName();
}

void TDefinitionPanel::btnCompareClick() {
    FileDialogOptions options;
    options.title = u"Compare with definition"_s;
    options.folder = definitionsFolder(userFolder());
    options.filter = u"Custom Keyboard Definition (*.ckd);;All Files (*)"_s;
    const QString path = FileDialog::getOpenFileName(this, options);
    if (!path.isEmpty())
        load(path);
}

bool TDefinitionPanel::load(const QString& path) {
    TKeypadClass keypad;
    try {
        const BusyCursor busy;
        if (ReadDefinitionFile(keypad, toFilesystemPath(path)) == DefinitionReadResult::NoFile)
            throw FileError(u"%1 does not exist."_s.arg(QDir::toNativeSeparators(path)).toStdString());
    } catch (const FileError& error) {
        MessageBox::error(this, window()->windowTitle(), QString::fromStdString(error.what()));
        return false;
    }
    fKeypad = keypad;
    fMacros = ExpectedMacros(fKeypad);
    fLayoutNote.clear();
    if (fUnits == BurstUnits::Characters) {
        // The keypad presses the keys of a US keyboard; the computer's layout decides what they type.
        const QString user = userFolder();
        fKeypad.SetComputerLayout(user.isEmpty() ? nullptr
                                                 : FindLayout(ReadComputerLayout(user).toStdString()));
        if (const LayoutTable* layout = fKeypad.TypingLayout()) {
            fMacros = TypedOnLayout(std::move(fMacros), *layout);
            fLayoutNote =
                u"Expects the text as a %1 computer types it."_s.arg(QString::fromUtf8(layout->name));
        }
    }
    fFileName = QFileInfo(path).fileName();
    fNote.clear();
    showName();
    emit definitionLoaded();
    return true;
}

QString TDefinitionPanel::compare(std::u32string_view burst) const {
    if (!hasDefinition())
        return {};
    return QString::fromStdString(MatchBurst(fMacros, burst, fUnits).text);
}

void TDefinitionPanel::setNote(const QString& note) {
    fNote = note;
    showName();
}

void TDefinitionPanel::showName() {
    if (!hasDefinition()) {
        lblDefinition->setText(u"Load a definition to see which key and level each burst comes from."_s);
        return;
    }
    const QString count = fMacros.size() == 1 ? u"1 macro"_s : u"%1 macros"_s.arg(fMacros.size());
    QString text = u"Comparing with %1, which has %2 to match."_s.arg(fFileName, count);
    for (const QString& note : {fLayoutNote, fNote})
        if (!note.isEmpty())
            text += u" "_s + note;
    lblDefinition->setText(text);
}
