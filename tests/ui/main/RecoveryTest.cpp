// The recovery copy of unsaved changes: written a moment after an edit, gone after every normal end of
// the changes, and offered at the next start when a program was killed with them.
#include "files/DefinitionFile.h"
#include "files/RecoveryFile.h"
#include "platform/UserSettings.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ProgramsFixture.h"
#include "ui/main/DocumentPaths.h"

#include <QCloseEvent>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <chrono>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString QuestionStart = u"Keywright24 did not close normally. Restore the unsaved changes to "_s;

QString recoveryFolder(const TProgramsFixture& p) {
    return RecoveryFolder(p.f.userPath());
}

// The recovery copies in the folder, by file name.
QStringList recoveryCopies(const TProgramsFixture& p) {
    return QDir(recoveryFolder(p)).entryList({u"*.ckd"_s}, QDir::Files, QDir::Name);
}

// A copy that a program killed with unsaved changes to document left behind.
void leaveCopy(const TProgramsFixture& p, const QString& document, TKeypadClass keypad) {
    QDir().mkpath(recoveryFolder(p));
    const std::chrono::sys_seconds now =
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const std::string text = RecoveryText(keypad, {document.toStdString(), now});
    QFile file(QDir(recoveryFolder(p)).filePath(u"left-1-a.ckd"_s));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        throw std::runtime_error("cannot leave a recovery copy");
}

TKeypadClass someDefinition() {
    TKeypadClass keypad;
    fillMacro(keypad, 3, 1, 5);
    keypad.SetKeyRollOver(4);
    return keypad;
}

void saveAs(const TProgramsFixture& p, const QString& path) {
    FileDialog::setNextFileName(path);
    p.f.control<QToolButton>(u"ToolBtnSaveAs"_s)->click();
}

} // namespace

class TestRecovery final : public QObject {
    Q_OBJECT
private slots:
    void anEditIsCopiedAndEveryNormalEndRemovesTheCopy_data();
    void anEditIsCopiedAndEveryNormalEndRemovesTheCopy();
    void aKilledProgramsChangesAreOfferedAndRestoredExactly();
    void discardRemovesTheCopyAndKeepsTheFileOpened();
    void anUntitledDefinitionIsRestoredUntitled();
    void restoredChangesStayUnsavedWhateverIsUndone();
    void nothingIsAskedWithoutALeftCopy();
};

void TestRecovery::anEditIsCopiedAndEveryNormalEndRemovesTheCopy_data() {
    QTest::addColumn<QString>("end");
    QTest::newRow("Save") << u"save"_s;
    QTest::newRow("No to New") << u"new"_s;
    QTest::newRow("Open") << u"open"_s;
    QTest::newRow("close, No") << u"close"_s;
    QTest::newRow("window destroyed") << u"destroy"_s;
}

void TestRecovery::anEditIsCopiedAndEveryNormalEndRemovesTheCopy() {
    QFETCH(QString, end);
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    const QString other = p.f.userPath(u"Macro_Files/other.ckd"_s);
    saveAs(p, path);
    saveAs(p, other);
    saveAs(p, path);
    QVERIFY(!QDir(recoveryFolder(p)).exists()); // nothing unsaved yet: not even the folder

    MakeAnEdit(p);
    QTRY_COMPARE(recoveryCopies(p).size(), 1);
    const QString copy = QDir(recoveryFolder(p)).filePath(recoveryCopies(p).constFirst());
    QVERIFY(copy.endsWith(u".ckd"_s) && QFileInfo(copy).fileName().startsWith(u"pad-"_s));
    TKeypadClass copied;
    const RecoveryInfo info = ReadRecovery(copied, LoadDefinitionIni(toFilesystemPath(copy)));
    QCOMPARE(QString::fromStdString(info.document), path);
    QCOMPARE(Fingerprint(copied), Fingerprint(p.f.keypad()));

    if (end == u"save"_s) {
        p.f.control<QToolButton>(u"ToolBtnSave"_s)->click();
    } else if (end == u"new"_s) {
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        p.f.control<QToolButton>(u"ToolBtnNew"_s)->click();
    } else if (end == u"open"_s) {
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        FileDialog::setNextFileName(other);
        p.f.control<QToolButton>(u"ToolBtnOpen"_s)->click();
    } else if (end == u"close"_s) {
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        QVERIFY(p.window().close());
    } else {
        p.f.window.reset();
    }
    QVERIFY2(recoveryCopies(p).isEmpty(), qPrintable(recoveryCopies(p).join(u' ')));
    QCOMPARE(QDir(recoveryFolder(p)).entryList(QDir::Files), QStringList()); // its lock too
}

// A program opens pad.ckd from its command line, is edited and is killed; the next start offers the
// changes, restores them as pad.ckd with the unsaved mark, and Save writes them there.
void TestRecovery::aKilledProgramsChangesAreOfferedAndRestoredExactly() {
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    const QString edited = p.f.userPath(u"edited.ckd"_s);
    saveAs(p, path);

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(KW24_RECOVERY_CRASH_CHILD), {p.f.documents.path(), path, edited});
    QVERIFY2(child.waitForReadyRead(30000), "the program did not make its edit");
    QCOMPARE(child.readLine().trimmed(), QByteArray("edited"));
    QTRY_COMPARE_WITH_TIMEOUT(recoveryCopies(p).size(), 1, 10000);
    child.kill(); // SIGKILL: nothing of the program's own runs any more
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // The window of the next start, with the empty definition the tests start from.
    MessageBox::clearShown();
    MessageBox::setNextAnswer(MessageBox::Answer::Restore);
    p.window().OfferRecovery();
    QCOMPARE(MessageBox::shown().size(), std::size_t{1});
    const QString question = MessageBox::shown().front().text;
    QVERIFY2(question.startsWith(QuestionStart + u"pad.ckd from "_s) && question.endsWith(u'?'),
             qPrintable(question));
    QCOMPARE(MessageBox::shown().front().title, u"Keywright24"_s);

    TKeypadClass expected = ReadBack(edited);
    QCOMPARE(Fingerprint(p.f.keypad()), Fingerprint(expected));
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - pad.ckd*"_s);
    QCOMPARE(p.window().CurrentDocumentPath(), path);
    QCOMPARE(p.window().GetDownloadFileName(), QuotedPath(p.f.userPath(u"Macro_Files/pad.hex"_s)));
    // This program's own copy now holds the changes; the killed program's is gone.
    QCOMPARE(recoveryCopies(p).size(), 1);
    QCOMPARE(QDir(recoveryFolder(p)).entryList(QDir::Files).size(), 2);

    p.f.control<QToolButton>(u"ToolBtnSave"_s)->click();
    TKeypadClass saved = ReadBack(path);
    QCOMPARE(Fingerprint(saved), Fingerprint(expected));
    QVERIFY(recoveryCopies(p).isEmpty());
}

// The program was started with a file to open: it stays open when the changes are discarded.
void TestRecovery::discardRemovesTheCopyAndKeepsTheFileOpened() {
    TKeypadClass opened;
    opened.SetKeyRollOver(6);
    QTemporaryDir files;
    const QString path = files.filePath(u"opened.ckd"_s);
    ToggleShiftSlots ignored;
    WriteDefinitionFile(opened, toFilesystemPath(path), ignored);
    TProgramsFixture p({path});
    leaveCopy(p, p.f.userPath(u"Macro_Files/pad.ckd"_s), someDefinition());

    MessageBox::setNextAnswer(MessageBox::Answer::Discard);
    p.window().OfferRecovery();
    QCOMPARE(MessageBox::shown().size(), std::size_t{1});
    QVERIFY(MessageBox::shown().front().text.startsWith(QuestionStart + u"pad.ckd from "_s));
    QCOMPARE(QDir(recoveryFolder(p)).entryList(QDir::Files), QStringList());
    QCOMPARE(Fingerprint(p.f.keypad()), Fingerprint(opened));
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - opened.ckd"_s);
    QVERIFY(!p.window().HasChangesPending());

    MessageBox::clearShown();
    p.window().OfferRecovery();
    QVERIFY(MessageBox::shown().empty());
}

void TestRecovery::anUntitledDefinitionIsRestoredUntitled() {
    TProgramsFixture p;
    TKeypadClass left = someDefinition();
    leaveCopy(p, u"untitled.ckd"_s, left);
    MessageBox::setNextAnswer(MessageBox::Answer::Restore);
    p.window().OfferRecovery();
    QVERIFY(MessageBox::shown().front().text.startsWith(QuestionStart + u"untitled.ckd from "_s));
    QCOMPARE(Fingerprint(p.f.keypad()), Fingerprint(left));
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - untitled.ckd*"_s);
    QVERIFY(p.window().GetDownloadFileName().isEmpty());

    const QString path = p.f.userPath(u"Macro_Files/named.ckd"_s);
    FileDialog::setNextFileName(path); // Save asks for a name
    p.f.control<QToolButton>(u"ToolBtnSave"_s)->click();
    TKeypadClass saved = ReadBack(path);
    QCOMPARE(Fingerprint(saved), Fingerprint(left));
    QVERIFY(recoveryCopies(p).isEmpty());
}

// Restored changes were never saved: an edit on top of them and its undo must not take the unsaved
// mark, the Save button, the recovery copy or the closing question away.
void TestRecovery::restoredChangesStayUnsavedWhateverIsUndone() {
    TProgramsFixture p;
    const QString path = p.f.userPath(u"Macro_Files/pad.ckd"_s);
    saveAs(p, path);
    TKeypadClass left = someDefinition();
    leaveCopy(p, path, left);
    MessageBox::setNextAnswer(MessageBox::Answer::Restore);
    p.window().OfferRecovery();
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - pad.ckd*"_s);

    QWidget* grid = p.f.control<QWidget>(u"Grid"_s);
    grid->setFocus();
    QTest::keyClicks(grid, u"C"_s);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Fingerprint(p.f.keypad()), Fingerprint(left));
    QVERIFY(p.window().HasChangesPending());
    QCOMPARE(p.window().windowTitle(), u"Keywright24 - pad.ckd*"_s);
    QVERIFY(p.f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QTRY_COMPARE(recoveryCopies(p).size(), 1);

    MessageBox::clearShown();
    MessageBox::setNextAnswer(MessageBox::Answer::Cancel);
    QVERIFY(!p.window().close());
    QCOMPARE(MessageBox::shown().size(), std::size_t{1});

    // A save makes the state saved; undoing past it marks it unsaved again, as for any edit.
    p.f.control<QToolButton>(u"ToolBtnSave"_s)->click();
    QVERIFY(!p.window().HasChangesPending());
    TKeypadClass saved = ReadBack(path);
    QCOMPARE(Fingerprint(saved), Fingerprint(left));
    QTest::keyClicks(grid, u"D"_s);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!p.window().HasChangesPending());
}

// Nothing is asked when no program left a copy, nor for the copy of a program still running.
void TestRecovery::nothingIsAskedWithoutALeftCopy() {
    TProgramsFixture p;
    p.window().OfferRecovery();
    QVERIFY(!QDir(recoveryFolder(p)).exists());

    RecoveryCopy running(toFilesystemPath(recoveryFolder(p)), "other-program");
    TKeypadClass keypad = someDefinition();
    running.Write(keypad, {"pad.ckd", {}});
    p.window().OfferRecovery();
    QVERIFY(MessageBox::shown().empty());
    QCOMPARE(recoveryCopies(p).size(), 1);
}

KW24_GUI_TEST(TestRecovery);

#include "RecoveryTest.moc"
