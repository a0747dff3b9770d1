#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "files/FileBytes.h"
#include "files/IniFile.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ProgramsFixture.h"
#include "tests/ui/main/DocumentsSuites.h"
#include "ui/main/DocumentPaths.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString UntitledTitle = u"Keywright24 - untitled.ckd"_s;
const QString Question = u"Do you wish to save changes to your custom definition?"_s;

// Saves the window's definition as path through Save As.
void saveAs(const TProgramsFixture& p, const QString& path) {
    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnSaveAs"_s);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a command that asks about unsaved changes: "new", "open" or closing the window. Whether the
// window closed.
bool runCommand(const TProgramsFixture& p, const QString& command) {
    if (command == u"new"_s)
        click(p, u"ToolBtnNew"_s);
    else if (command == u"open"_s)
        click(p, u"ToolBtnOpen"_s);
    else
        return p.window().close();
    return false;
}

QString portCaption(const TProgramsFixture& p) {
    return p.f.control<QLabel>(u"panelPort"_s)->text();
}

} // namespace

class TestDocumentCommands final : public QObject {
    Q_OBJECT
private slots:
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void yesWithoutSavingStopsTheCommand_data();
    void yesWithoutSavingStopsTheCommand();
    void noQuestionWithoutChanges();
    void newResetsWindowAndDocument();
    void saveAsksForANameOnceThenSavesInPlace_data();
    void saveAsksForANameOnceThenSavesInPlace();
    void cancelledSaveAsChangesNothing();
    void openCancelledAfterNoKeepsTheChanges();
    void openNamesTheImageEvenForAMissingFile();
    void unreadableFileKeepsTheDefinition_data();
    void unreadableFileKeepsTheDefinition();
    void failedSaveLosesNothingAndDownloadRefuses_data();
    void failedSaveLosesNothingAndDownloadRefuses();
    void saveUpdatesOnlyAnUsedLoaderIni_data();
    void saveUpdatesOnlyAnUsedLoaderIni();
    void saveKeepsTheFilesEncodingAndSaysOnceWhenItChanges();
};

// Each command against the question's three answers, on a named definition with an unsaved edit. The
// port recorded for the loader tells whether the command refreshed the port status at its end.
void TestDocumentCommands::unsavedChangesQuestion_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<MessageBox::Answer>("answer");
    QTest::addColumn<bool>("saved");  // the edit is in the definition file afterwards
    QTest::addColumn<bool>("goesOn"); // the command did its work
    const auto Yes = MessageBox::Answer::Yes;
    const auto No = MessageBox::Answer::No;
    const auto Cancel = MessageBox::Answer::Cancel;
    QTest::newRow("New, Yes") << u"new"_s << Yes << true << true;
    QTest::newRow("New, No") << u"new"_s << No << false << true;
    QTest::newRow("New, Cancel") << u"new"_s << Cancel << false << false;
    QTest::newRow("Open, Yes") << u"open"_s << Yes << true << true;
    QTest::newRow("Open, No") << u"open"_s << No << false << true;
    QTest::newRow("Open, Cancel") << u"open"_s << Cancel << false << false;
    QTest::newRow("close, Yes") << u"close"_s << Yes << true << true;
    QTest::newRow("close, No") << u"close"_s << No << false << true;
    QTest::newRow("close, Cancel") << u"close"_s << Cancel << false << false;
}

void TestDocumentCommands::unsavedChangesQuestion() {
    QFETCH(QString, command);
    QFETCH(MessageBox::Answer, answer);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    const QString other = p.f.userPath(u"Macro_Files/other.ckd"_s);
    {
        TKeypadClass otherKeypad;
        ToggleShiftSlots ignored;
        otherKeypad.SetKeyRollOver(5);
        WriteDefinitionFile(otherKeypad, toFilesystemPath(other), ignored);
    }
    saveAs(p, path);
    const QByteArray before = fileBytes(path);
    MakeAnEdit(p);
    const std::string edited = Fingerprint(p.f.keypad());
    TProgramsFixture::writeLoaderIni(p.f.userPath(),
                                     "[Com Port Configuration]\r\nComPort=3\r\nComType=U\r\n");
    MessageBox::clearShown();

    MessageBox::setNextAnswer(answer);
    if (command == u"open"_s)
        FileDialog::setNextFileName(other);
    const bool closed = runCommand(p, command);

    QCOMPARE(shownMessages(), QStringList{Question});
    QCOMPARE(MessageBox::shown().front().icon, MessageBox::Icon::Question);
    if (saved) {
        TKeypadClass savedKeypad = ReadBack(path);
        QCOMPARE(Fingerprint(savedKeypad), edited);
    } else {
        QCOMPARE(fileBytes(path), before);
    }
    QCOMPARE(closed, command == u"close"_s && goesOn);
    if (!goesOn) {
        QCOMPARE(Fingerprint(p.f.keypad()), edited);
        QVERIFY(p.window().HasChangesPending());
        QCOMPARE(p.window().windowTitle(), u"Keywright24 - pad.ckd*"_s);
        QCOMPARE(portCaption(p), u"Port: <not set>"_s); // no refresh either
        return;
    }
    if (command == u"new"_s) {
        QCOMPARE(p.window().windowTitle(), UntitledTitle);
        QCOMPARE(p.f.keypad().NumOfElements(), 0);
        QVERIFY(!p.window().HasChangesPending());
        QCOMPARE(portCaption(p), u"Port: COM3 (USB)"_s);
    } else if (command == u"open"_s) {
        QCOMPARE(p.window().windowTitle(), u"Keywright24 - other.ckd"_s);
        QCOMPARE(p.f.keypad().KeyRollOver(), 5);
        QVERIFY(!p.window().HasChangesPending());
        QCOMPARE(p.window().GetDownloadFileName(), QuotedPath(p.f.userPath(u"Macro_Files/other.hex"_s)));
        QCOMPARE(portCaption(p), u"Port: COM3 (USB)"_s);
    }
}

// Yes to the question, then no save: the Save As dialog cancelled or the file not writable. The
// command stops, so the changes the user wanted saved are still there.
void TestDocumentCommands::yesWithoutSavingStopsTheCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("dialogCancelled"); // else the save fails
    for (const QString& command : {u"new"_s, u"open"_s, u"close"_s}) {
        QTest::addRow("%s, Save As cancelled", qPrintable(command)) << command << true;
        QTest::addRow("%s, save failed", qPrintable(command)) << command << false;
    }
}

void TestDocumentCommands::yesWithoutSavingStopsTheCommand() {
    QFETCH(QString, command);
    QFETCH(bool, dialogCancelled);
    TProgramsFixture p;
    MakeAnEdit(p);
    const std::string edited = Fingerprint(p.f.keypad());
    const QString other = p.f.userPath(u"Macro_Files/other.ckd"_s);

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    FileDialog::setNextFileName(dialogCancelled ? QString() : p.f.userPath(u"no such folder/pad.ckd"_s));
    FileDialog::setNextFileName(other); // for Open, were it to go on
    const bool closed = runCommand(p, command);

    QVERIFY(!closed);
    QCOMPARE(Fingerprint(p.f.keypad()), edited);
    QVERIFY(p.window().HasChangesPending());
    QVERIFY(p.f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QCOMPARE(FileDialog::lastOptions().title, u"Save Redefinition File"_s); // no open dialog followed
    QCOMPARE(shownMessages().size(), dialogCancelled ? 1 : 2);              // the question, the failure
}

void TestDocumentCommands::noQuestionWithoutChanges() {
    TProgramsFixture p;
    click(p, u"ToolBtnNew"_s);
    FileDialog::setNextFileName({});
    click(p, u"ToolBtnOpen"_s);
    QVERIFY(p.window().close());
    QVERIFY(MessageBox::shown().empty());
}

// After a loaded definition with key types, on level 2 and key 8 with its macro shown: everything back to an
// untitled, empty definition on key 1, level 1.
void TestDocumentCommands::newResetsWindowAndDocument() {
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/typed.ckd"_s);
    {
        TKeypadClass typed;
        typed.SetKey(3);
        typed.SetKeytype(ktShift);
        typed.SetKey(20);
        typed.SetKeytype(ktToggle);
        fillMacro(typed, 7, 1, 2);
        ToggleShiftSlots ignored;
        WriteDefinitionFile(typed, toFilesystemPath(path), ignored);
    }
    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnOpen"_s);
    QVERIFY(!p.f.control<QToolButton>(u"SpeedButton24"_s)->icon().isNull());
    p.f.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(1);
    p.f.control<QToolButton>(u"SpeedButton114"_s)->click();
    QCOMPARE(p.f.keypad().NumOfElements(), 2);

    click(p, u"ToolBtnNew"_s);
    QVERIFY(MessageBox::shown().empty());
    for (QToolButton* key : p.f.control<QWidget>(u"pnlKeypad"_s)->findChildren<QToolButton*>())
        QVERIFY2(key->icon().isNull(), qPrintable(key->objectName()));
    QVERIFY(p.f.control<QAbstractButton>(u"SpeedButton21"_s)->isChecked());
    QCOMPARE(p.f.control<QTabWidget>(u"TabControlLevel"_s)->currentIndex(), 0);
    QCOMPARE(p.f.keypad().Key(), 0);
    QCOMPARE(p.f.keypad().Level(), 0);
    QCOMPARE(p.f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 1, Level 1"_s);
    QCOMPARE(p.f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(p.window().windowTitle(), UntitledTitle);
    QCOMPARE(p.window().CurrentDocumentPath(), u"untitled.ckd"_s);
    QVERIFY(p.window().GetDownloadFileName().isEmpty());
    TKeypadClass empty;
    QCOMPARE(Fingerprint(p.f.keypad()), Fingerprint(empty));
}

void TestDocumentCommands::saveAsksForANameOnceThenSavesInPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("image");
    QTest::newRow("definition") << u"Macro_Files/pad.ckd"_s << u"Macro_Files/pad.hex"_s;
    QTest::newRow("other extension") << u"Macro_Files/pad.keys"_s << u"Macro_Files/pad.khex"_s;
    QTest::newRow("saved as untitled.ckd") << u"elsewhere/untitled.ckd"_s << u"elsewhere/untitled.hex"_s;
    QTest::newRow("blanks in the folder") << u"my pads/pad one.ckd"_s << u"my pads/pad one.hex"_s;
}

void TestDocumentCommands::saveAsksForANameOnceThenSavesInPlace() {
    QFETCH(QString, name);
    QFETCH(QString, image);
    TProgramsFixture p;
    const QString path = p.f.userPath(name);
    const QString imagePath = p.f.userPath(image);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    MakeAnEdit(p);

    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnSave"_s);
    const FileDialogOptions& asked = FileDialog::lastOptions();
    QCOMPARE(asked.title, u"Save Redefinition File"_s);
    QCOMPARE(asked.filter, u"Custom Keyboard Definition  Files (*.ckd)"_s);
    QCOMPARE(asked.defaultSuffix, u"ckd"_s);
    QCOMPARE(asked.fileName, u"untitled.ckd"_s);
    QCOMPARE(QDir::cleanPath(asked.folder), QDir::cleanPath(p.f.userPath(u"Macro_Files"_s)));
    QVERIFY(asked.confirmOverwrite);

    QCOMPARE(p.window().windowTitle(), u"Keywright24 - "_s + QFileInfo(path).fileName());
    QVERIFY(!p.window().HasChangesPending());
    QVERIFY(!p.f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QCOMPARE(p.window().CurrentDocumentPath(), path);
    QCOMPARE(p.window().GetDownloadFileName(), u'"' + imagePath + u'"');
    TKeypadClass saved = ReadBack(path);
    QCOMPARE(Fingerprint(saved), Fingerprint(p.f.keypad()));
    QCOMPARE(fileBytes(imagePath).toStdString(), DownloadImageText(saved, FindToggleShiftKeys(saved)));

    // A second edit goes to the same file without a dialog.
    FileDialog::clear();
    p.f.keypad().SetKeyRollOver(4);
    p.window().ChangesPending(true);
    click(p, u"ToolBtnSave"_s);
    QVERIFY(FileDialog::lastOptions().title.isEmpty());
    QCOMPARE(ReadBack(path).KeyRollOver(), 4);
    QVERIFY(!p.window().HasChangesPending());
    QVERIFY(MessageBox::shown().empty());
}

void TestDocumentCommands::cancelledSaveAsChangesNothing() {
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    saveAs(p, path);
    MakeAnEdit(p);
    const QByteArray before = fileBytes(path);
    const QStringList filesBefore = QDir(p.f.userPath(u"Macro_Files"_s)).entryList(QDir::Files);

    FileDialog::setNextFileName({});
    click(p, u"ToolBtnSaveAs"_s);
    QCOMPARE(FileDialog::lastOptions().fileName, path); // the dialog opened on the current document
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(p.f.userPath(u"Macro_Files"_s)).entryList(QDir::Files), filesBefore);
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - pad.ckd*"_s);
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.window().CurrentDocumentPath(), path);
    QCOMPARE(p.window().GetDownloadFileName(), QuotedPath(p.f.userPath(u"Macro_Files/pad.hex"_s)));
    QVERIFY(MessageBox::shown().empty());
}

// No to the question, then the open dialog cancelled: the edit stays, marked unsaved, and the port
// status is read again.
void TestDocumentCommands::openCancelledAfterNoKeepsTheChanges() {
    TProgramsFixture p;
    MakeAnEdit(p);
    const std::string edited = Fingerprint(p.f.keypad());
    TProgramsFixture::writeLoaderIni(p.f.userPath(), "[Com Port Configuration]\r\nComPort=7\r\n");
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    FileDialog::setNextFileName({});
    click(p, u"ToolBtnOpen"_s);
    QCOMPARE(Fingerprint(p.f.keypad()), edited);
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.window().windowTitle(), UntitledTitle + u'*');
    QCOMPARE(portCaption(p), u"Port: COM7"_s);
}

void TestDocumentCommands::openNamesTheImageEvenForAMissingFile() {
    TProgramsFixture p;
    const QString missing = p.f.userPath(u"Macro_Files/missing.ckd"_s);
    FileDialog::setNextFileName(missing);
    click(p, u"ToolBtnOpen"_s);
    const FileDialogOptions& asked = FileDialog::lastOptions();
    QCOMPARE(asked.title, u"Open Redefinition File"_s);
    QCOMPARE(asked.filter, u"Custom Keyboard Definition (*.ckd) (*.ckd)"_s); // shown without the last part
    QCOMPARE(asked.defaultSuffix, u"ckd"_s);
    QVERIFY(asked.fileName.isEmpty());
    QVERIFY(!asked.fileMustExist);
    QCOMPARE(QDir::cleanPath(asked.folder), QDir::cleanPath(p.f.userPath(u"Macro_Files"_s)));

    QCOMPARE(p.window().windowTitle(), UntitledTitle);
    QCOMPARE(p.window().CurrentDocumentPath(), u"untitled.ckd"_s);
    QCOMPARE(p.window().GetDownloadFileName(), QuotedPath(p.f.userPath(u"Macro_Files/missing.hex"_s)));
    QVERIFY(!QFile::exists(missing));
    QVERIFY(MessageBox::shown().empty());

    FileDialog::setNextFileName({});
    click(p, u"ToolBtnOpen"_s); // the dialog remembers the last name
    QCOMPARE(FileDialog::lastOptions().fileName, missing);
}

void TestDocumentCommands::unreadableFileKeepsTheDefinition_data() {
    QTest::addColumn<QByteArray>("content"); // empty: a folder where the file should be
    QTest::addColumn<QString>("message");    // empty: any
    QTest::newRow("a folder") << QByteArray() << QString();
    QTest::newRow("a text") << QByteArray("# Notes\n\nNothing of a keypad here.\n")
                            << u"broken.ckd is not a keypad definition: it has no [GLOBAL_PARAMETERS] or "
                               u"[KEY\u2026] section."_s;
    QTest::newRow("a key without a number")
        << QByteArray("[KEYs/notes.md]\n")
        << u"Cannot read broken.ckd: [KEYs/notes.md]: 's/notes.md' is not a valid integer value."_s;
}

void TestDocumentCommands::unreadableFileKeepsTheDefinition() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    TProgramsFixture p;
    const QString good = p.f.userPath(u"Macro_Files/good.ckd"_s);
    saveAs(p, good);
    MakeAnEdit(p);
    const std::string edited = Fingerprint(p.f.keypad());
    const QString broken = p.f.userPath(u"Macro_Files/broken.ckd"_s);
    if (content.isEmpty()) {
        QVERIFY(QDir().mkpath(broken));
    } else {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    MessageBox::setNextAnswer(MessageBox::Answer::No);
    FileDialog::setNextFileName(broken);
    click(p, u"ToolBtnOpen"_s);
    QCOMPARE(MessageBox::shown().size(), 2u);
    QCOMPARE(MessageBox::shown().back().icon, MessageBox::Icon::Error);
    QCOMPARE(MessageBox::shown().back().title, u"Keywright24"_s);
    if (!message.isEmpty())
        QCOMPARE(MessageBox::shown().back().text, message);
    QCOMPARE(Fingerprint(p.f.keypad()), edited);
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.window().CurrentDocumentPath(), good);
    QCOMPARE(p.window().GetDownloadFileName(), QuotedPath(p.f.userPath(u"Macro_Files/good.hex"_s)));

    // Save still writes the document it had; the file that was no definition stays as it was.
    click(p, u"ToolBtnSave"_s);
    QVERIFY(!p.window().HasChangesPending());
    if (!content.isEmpty()) {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
}

// The real file steps, except that the write of one file (counting from 1; 0: none) fails: it stops
// half-way as on a full disk, or, with refuseRename, it is written whole and its rename is refused.
class TFailingFileSteps final : public FileSteps {
public:
    TFailingFileSteps(int failingWrite, bool refuseRename)
        : failingWrite_(failingWrite)
        , refuseRename_(refuseRename) {}

    std::error_code WriteNewFile(const std::filesystem::path& path, std::string_view bytes) override {
        if (++writes_ != failingWrite_ || refuseRename_)
            return FileSteps::WriteNewFile(path, bytes);
        FileSteps::WriteNewFile(path, bytes.substr(0, bytes.size() / 2));
        return std::make_error_code(std::errc::no_space_on_device);
    }
    std::error_code Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (writes_ == failingWrite_ && refuseRename_)
            return std::make_error_code(std::errc::device_or_resource_busy);
        return FileSteps::Rename(from, to);
    }

private:
    int failingWrite_;
    bool refuseRename_;
    int writes_ = 0;
};

// A save that cannot complete reports why, keeps the edit marked as unsaved and keeps the image that
// Download sends, so that Download refuses until a save succeeds.
void TestDocumentCommands::failedSaveLosesNothingAndDownloadRefuses_data() {
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("image path taken by a folder") << u"image"_s;
    QTest::newRow("no such folder") << u"folder"_s;
    QTest::newRow("read-only folder") << u"read-only"_s;
    QTest::newRow("disk full while writing the image") << u"disk full"_s;
    QTest::newRow("definition's rename refused") << u"rename refused"_s;
}

void TestDocumentCommands::failedSaveLosesNothingAndDownloadRefuses() {
    QFETCH(QString, obstacle);
    TProgramsFixture p;
    p.installProgram(u"Uplinker.exe"_s);
    const QString first = p.f.userPath(u"Macro_Files/first.ckd"_s);
    saveAs(p, first);
    const QString firstImage = QuotedPath(p.f.userPath(u"Macro_Files/first.hex"_s));
    MakeAnEdit(p);
    const std::string edited = Fingerprint(p.f.keypad());

    QString target = p.f.userPath(u"Locked/pad.ckd"_s);
    if (obstacle == u"image"_s) {
        QVERIFY(QDir().mkpath(p.f.userPath(u"Locked/pad.hex"_s)));
    } else if (obstacle == u"folder"_s) {
        target = p.f.userPath(u"Missing/pad.ckd"_s);
    } else if (obstacle != u"read-only"_s) {
        target = first; // an injected fault while saving over the files there
    } else {
        const QString folder = p.f.userPath(u"Locked"_s);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFile probe(folder + u"/probe"_s); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write into read-only folders");
        }
    }
    const QByteArray definitionBefore = fileBytes(first);
    const QByteArray imageBefore = fileBytes(p.f.userPath(u"Macro_Files/first.hex"_s));
    MessageBox::clearShown();
    {
        // Injected faults act the same for every user, root included.
        TFailingFileSteps steps(obstacle == u"disk full"_s        ? 2
                                : obstacle == u"rename refused"_s ? 1
                                                                  : 0,
                                obstacle == u"rename refused"_s);
        const ScopedFileSteps injected(steps);
        saveAs(p, target);
    }
    QFile::setPermissions(p.f.userPath(u"Locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(MessageBox::shown().size(), 1u);
    QCOMPARE(MessageBox::shown().front().icon, MessageBox::Icon::Error);
    QVERIFY2(MessageBox::shown().front().text.startsWith(u"Unable to write to "_s),
             qPrintable(MessageBox::shown().front().text));
    QVERIFY(MessageBox::shown().front().text.endsWith(u'.'));
    QCOMPARE(Fingerprint(p.f.keypad()), edited);
    QVERIFY(p.window().HasChangesPending());
    QVERIFY(p.window().windowTitle().endsWith(u'*'));
    QVERIFY(p.f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QCOMPARE(p.window().GetDownloadFileName(), firstImage);
    // The image the loader would send is the previous one, whole; the definition is the previous one
    // too, unless it was written before the image failed.
    QCOMPARE(fileBytes(p.f.userPath(u"Macro_Files/first.hex"_s)), imageBefore);
    if (obstacle == u"disk full"_s) {
        TKeypadClass written = ReadBack(first);
        QCOMPARE(Fingerprint(written), edited);
    } else {
        QCOMPARE(fileBytes(first), definitionBefore);
    }
    QCOMPARE(QDir(p.f.userPath(u"Macro_Files"_s)).entryList(QDir::Files),
             (QStringList{u"first.ckd"_s, u"first.hex"_s}));

    MessageBox::clearShown();
    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(shownMessages(), QStringList{u"You must save your file before downloading it to the keypad."_s});
    QVERIFY(!p.wasStarted(u"Uplinker.exe"_s));

    // Saved somewhere that works, the edit reaches the keypad.
    const QString good = p.f.userPath(u"Macro_Files/good.ckd"_s);
    saveAs(p, good);
    QVERIFY(!p.window().HasChangesPending());
    click(p, u"ToolBtnDownload"_s);
    QCOMPARE(p.startedWith(u"Uplinker.exe"_s), QStringList{p.f.userPath(u"Macro_Files/good.hex"_s)});
    TKeypadClass saved = ReadBack(good);
    QCOMPARE(Fingerprint(saved), edited);
}

// Save passes the download delay to the loader's INI file in the program folder only when that file
// records a port; it never makes the file, and the copy in the user's folder is not touched.
void TestDocumentCommands::saveUpdatesOnlyAnUsedLoaderIni_data() {
    QTest::addColumn<QByteArray>("loaderIni"); // empty: no file
    QTest::addColumn<bool>("updated");
    QTest::newRow("port 4") << QByteArray("[Com Port Configuration]\r\nComPort=4\r\nDownloadDelay=1\r\n")
                            << true;
    QTest::newRow("port 0") << QByteArray("[com port configuration]\r\ncomport=0\r\n") << true;
    QTest::newRow("port -1") << QByteArray("[Com Port Configuration]\r\nComPort=-1\r\nDownloadDelay=1\r\n")
                             << false;
    QTest::newRow("no port") << QByteArray("[Com Port Configuration]\r\nDownloadDelay=1\r\n") << false;
    QTest::newRow("no file") << QByteArray() << false;
}

void TestDocumentCommands::saveUpdatesOnlyAnUsedLoaderIni() {
    QFETCH(QByteArray, loaderIni);
    QFETCH(bool, updated);
    TProgramsFixture p;
    const QString programIni = p.programs.filePath(u"Uplinker.ini"_s);
    const QByteArray userIni("[Com Port Configuration]\r\nComPort=2\r\n");
    TProgramsFixture::writeLoaderIni(p.f.userPath(), userIni);
    if (!loaderIni.isEmpty())
        TProgramsFixture::writeLoaderIni(p.programs.path(), loaderIni);
    p.f.keypad().SetDownloadDelay(37);
    saveAs(p, p.f.userPath(u"Macro_Files/pad.ckd"_s));

    QVERIFY(MessageBox::shown().empty());
    QCOMPARE(fileBytes(p.f.userPath(u"Uplinker.ini"_s)), userIni);
    if (loaderIni.isEmpty()) {
        QVERIFY(!QFile::exists(programIni));
    } else if (updated) {
        const IniFile ini = IniFile::Load(toFilesystemPath(programIni));
        QCOMPARE(ini.ReadInteger("Com Port Configuration", "DownloadDelay", -1), 37);
    } else {
        QCOMPARE(fileBytes(programIni), loaderIni);
    }
}

// A definition made on Windows keeps Windows-1252 through the window's saves; a name that code page
// cannot hold makes the file UTF-8, which the window says at that save only.
void TestDocumentCommands::saveKeepsTheFilesEncodingAndSaysOnceWhenItChanges() {
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/windows.ckd"_s);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[KEY0]\r\nLevel_1_Name=caf\xE9\r\n[KEY1]\r\nLevel_1_Name=x\r\n");
    }
    FileDialog::setNextFileName(path);
    click(p, u"ToolBtnOpen"_s);
    QCOMPARE(p.f.control<QLineEdit>(u"EditName"_s)->text(), u"caf\u00e9"_s);

    const auto renameKey1 = [&p](const char* name) {
        p.f.keypad().SetKey(1);
        p.f.keypad().SetMacroName(name);
        p.f.keypad().SetKey(0);
        p.window().ChangesPending(true);
        click(p, u"ToolBtnSave"_s);
    };
    renameKey1("th\xC3\xA9");
    QVERIFY(MessageBox::shown().empty());
    QByteArray bytes = fileBytes(path);
    QVERIFY2(bytes.contains("[KEY0]\r\nLevel_1_Name=caf\xE9\r\n") &&
                 bytes.contains("[KEY1]\r\nLevel_1_Name=th\xE9\r\n"),
             bytes.constData());

    renameKey1("\xE6\x97\xA5\xE6\x9C\xAC");
    QCOMPARE(MessageBox::shown().size(), 1u);
    QCOMPARE(MessageBox::shown().front().icon, MessageBox::Icon::Information);
    QCOMPARE(MessageBox::shown().front().text, u"windows.ckd is saved in UTF-8 from now on: a name in it has "
                                               u"characters that Windows-1252 cannot hold."_s);
    bytes = fileBytes(path);
    QVERIFY2(bytes.contains("[KEY0]\r\nLevel_1_Name=caf\xC3\xA9\r\n") &&
                 bytes.contains("[KEY1]\r\nLevel_1_Name=\xE6\x97\xA5\xE6\x9C\xAC\r\n"),
             bytes.constData());
    QVERIFY(!p.window().HasChangesPending());

    renameKey1("\xE6\x97\xA5");
    QCOMPARE(MessageBox::shown().size(), 1u);
    QCOMPARE(ReadBack(path).keys[1].Macro[0].Name, std::string("\xE6\x97\xA5"));
}

KW24_GUI_TEST(TestDocumentCommands);

#include "DocumentCommandsTest.moc"
