#include "ui/main/DefinitionDocument.h"

#include "tests/support/GuiTest.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace Qt::Literals::StringLiterals;

namespace {

// A document on its own definition, and the operations a window does on it, by name.
struct TDocumentUnderTest {
    TKeypadClass keypad;
    QTemporaryDir recovery;
    TDefinitionDocument document{keypad, recovery.path()};
    int nextByte = 'A';

    // One code added to key 1, level 1, recorded as a step.
    void Edit() {
        const TEditStart start{TDefinitionSnapshot::OfMacro(keypad, 0, 0), TEditPlace{0, 0, -1}};
        std::int32_t position = 100;
        keypad.InsertByte(position, nextByte++);
        document.RecordEdit(start, TEditPlace{0, 0, -1});
    }

    void Run(const QString& operation) {
        if (operation == u"edit"_s)
            Edit();
        else if (operation == u"nothing"_s) // an edit that changed nothing but counts as a change
            document.RecordEdit({TDefinitionSnapshot::OfMacro(keypad, 0, 0), std::nullopt}, std::nullopt,
                                TDefinitionDocument::Unchanged::Counts);
        else if (operation == u"outside"_s) { // a change no step of the history holds
            keypad.SetKeyRollOver(static_cast<std::uint8_t>(keypad.KeyRollOver() + 1));
            document.MarkChangedOutsideHistory();
        } else if (operation == u"restore"_s)
            document.Restored(u"/somewhere/pad.ckd"_s);
        else if (operation == u"undo"_s)
            document.Undo();
        else if (operation == u"redo"_s)
            document.Redo();
        else if (operation == u"save"_s)
            document.Saved(u"/somewhere/pad.ckd"_s);
        else if (operation == u"failed save"_s)
            document.MarkModified();
        else if (operation == u"load"_s)
            document.Loaded(u"/somewhere/other.ckd"_s);
        else if (operation == u"new"_s)
            document.StartUntitled();
        else
            QFAIL(qPrintable(u"no operation "_s + operation));
    }
};

} // namespace

class TestDefinitionDocument final : public QObject {
    Q_OBJECT
private slots:
    void decidesModifiedWhateverIsDoneAndUndone_data();
    void decidesModifiedWhateverIsDoneAndUndone();
    void announcesEachChangeOnceAndASaveAsNoChange();
};

void TestDefinitionDocument::decidesModifiedWhateverIsDoneAndUndone_data() {
    QTest::addColumn<QString>("operations");
    QTest::addColumn<bool>("modified");
    QTest::newRow("edit") << u"edit"_s << true;
    QTest::newRow("edit undone") << u"edit,undo"_s << false;
    QTest::newRow("edit undone and redone") << u"edit,undo,redo"_s << true;
    QTest::newRow("undone past a save") << u"edit,save,undo"_s << true;
    QTest::newRow("back at the save") << u"edit,save,undo,redo"_s << false;
    QTest::newRow("failed save") << u"failed save"_s << true;
    QTest::newRow("failed save is no saved state") << u"edit,failed save,undo,redo"_s << true;
    QTest::newRow("change that left nothing different") << u"nothing"_s << true;
    QTest::newRow("its mark goes back at the saved state") << u"nothing,edit,undo"_s << false;
    // What no step of the history holds was never saved, whatever is done and undone on top of it.
    QTest::newRow("restored") << u"restore"_s << true;
    QTest::newRow("restored, edited, undone") << u"restore,edit,undo"_s << true;
    QTest::newRow("restored, edited, undone, redone") << u"restore,edit,undo,redo"_s << true;
    QTest::newRow("outside change, edit, all undone") << u"edit,outside,edit,undo,undo"_s << true;
    QTest::newRow("outside change before an undo") << u"edit,outside,undo"_s << true;
    QTest::newRow("outside change saved") << u"outside,save,edit,undo"_s << false;
    QTest::newRow("loaded over changes") << u"restore,edit,load"_s << false;
    QTest::newRow("load, then undo") << u"edit,load,undo"_s << false;
    QTest::newRow("new over changes") << u"outside,new"_s << false;
}

// The one rule of the modified state, over sequences of what a window does: the answer, the signal
// that the title and the Save button follow, and the recovery copy all agree.
void TestDefinitionDocument::decidesModifiedWhateverIsDoneAndUndone() {
    QFETCH(QString, operations);
    QFETCH(bool, modified);
    TDocumentUnderTest d;
    QSignalSpy announced(&d.document, &TDefinitionDocument::ModifiedChanged);
    for (const QString& operation : operations.split(u',')) {
        d.Run(operation);
        if (d.document.IsModified()) // as its timer does a moment later
            QVERIFY(d.document.WriteRecoveryCopy());
    }
    QCOMPARE(d.document.IsModified(), modified);
    QCOMPARE(announced.isEmpty() ? false : announced.last().at(0).toBool(), modified);
    // A modified document keeps its recovery copy, an unmodified one has none.
    const QStringList copies = QDir(d.recovery.path()).entryList({u"*.ckd"_s}, QDir::Files);
    QCOMPARE(copies.size(), modified ? 1 : 0);
}

// Each change is announced once, an undo also with where to show it; a save changes nothing shown.
void TestDefinitionDocument::announcesEachChangeOnceAndASaveAsNoChange() {
    TDocumentUnderTest d;
    QSignalSpy changed(&d.document, &TDefinitionDocument::Changed);
    QSignalSpy places(&d.document, &TDefinitionDocument::PlaceToShow);
    QSignalSpy modified(&d.document, &TDefinitionDocument::ModifiedChanged);
    d.Edit();
    d.Edit();
    QCOMPARE(changed.size(), 2);
    QCOMPARE(modified.size(), 1);
    d.document.Saved(u"/somewhere/pad.ckd"_s);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(modified.size(), 2);
    QCOMPARE(d.document.DownloadFileName(), u"\"/somewhere/pad.hex\""_s);
    d.document.Undo();
    QCOMPARE(changed.size(), 3);
    QCOMPARE(places.size(), 1);
    QCOMPARE(places.last().at(0).value<std::optional<TEditPlace>>(), (std::optional<TEditPlace>{{0, 0, -1}}));
    QCOMPARE(modified.size(), 3);
    d.Run(u"nothing"_s); // already modified: nothing to announce
    QCOMPARE(changed.size(), 3);
    QCOMPARE(modified.size(), 3);
}

KW24_GUI_TEST(TestDefinitionDocument);

#include "DefinitionDocumentTest.moc"
