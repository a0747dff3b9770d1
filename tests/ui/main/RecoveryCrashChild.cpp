// A program that the recovery tests start and kill: it opens a definition file as the program does from
// its command line, makes an edit through the window as a user does, records the edited definition in
// a file of its own, says "edited" and waits to be killed. Not a test by itself.
// Usage: recovery_crash_child DOCUMENTS_FOLDER DEFINITION_FILE EDITED_FILE
#include "files/DefinitionFile.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "tests/support/GridActions.h"
#include "ui/Application.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: recovery_crash_child DOCUMENTS_FOLDER DEFINITION_FILE EDITED_FILE\n");
        return 2;
    }
    Folders::setDocumentsForTests(arguments[1]);
    MessageBox::setTestMode(true);
    TfrmMain window({arguments[2]});
    showActive(window);

    for (const QString& key : {u"SpeedButton82"_s, u"SpeedButton79"_s}) // H, A
        QTest::mouseClick(window.findChild<QAbstractButton*>(key), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QCheckBox*>(u"chkboxAutoRepeat"_s), Qt::LeftButton);
    QTest::keyClicks(window.findChild<QLineEdit*>(u"EditName"_s), u"crash"_s);
    if (!window.HasChangesPending())
        return 3;

    ToggleShiftSlots ignored;
    WriteDefinitionFile(window.GetKeypad(), toFilesystemPath(arguments[3]), ignored);
    std::printf("edited\n");
    std::fflush(stdout);
    return QApplication::exec();
}
