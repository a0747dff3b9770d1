#pragma once

#include "tests/support/ProgramsFixture.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <stdexcept>

// A small definition as a definition file: keys 1 and 24 with macros, a shift and a toggle key, the
// command prefix Esc (1B) and a pacing of 10 ms. Key 24's level 2 ends with Esc, which the file reads
// as a plain Esc but the keypad takes for the start of a command: the prefix trap.
inline const QByteArray SampleDefinitionText = "[GLOBAL_PARAMETERS]\r\n"
                                               "Command_Prefix=27\r\n"
                                               "Character_Pacing=10\r\n"
                                               "[KEY0]\r\n"
                                               "Level_1_Name=Greeting\r\n"
                                               "L1_AutoRepeat=1\r\n"
                                               "Level_1_Codes=48690d\r\n"
                                               "Level_2_Codes=1b0132\r\n"
                                               "[KEY4]\r\n"
                                               "KeyType=1\r\n"
                                               "[KEY9]\r\n"
                                               "KeyType=2\r\n"
                                               "[KEY23]\r\n"
                                               "Level_2_Name=Ends in Esc\r\n"
                                               "Level_2_Codes=411b\r\n";

// The main window with a definition file loaded from the command line, shown and active, documents
// opened into a list.
class TOverviewFixture final {
public:
    explicit TOverviewFixture(const QByteArray& definition = SampleDefinitionText)
        : f(QStringList{}, false) {
        if (!files.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        definitionPath = files.filePath(QStringLiteral("sample.ckd"));
        QFile file(definitionPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(definition) != definition.size())
            throw std::runtime_error("cannot write the sample definition");
        file.close();
        f.window = std::make_unique<TfrmMain>(QStringList{definitionPath});
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &documents, "open");
        f.window->show();
        if (!QTest::qWaitForWindowActive(f.window.get()))
            throw std::runtime_error("the main window did not become active");
    }
    ~TOverviewFixture() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    TOverviewFixture(const TOverviewFixture&) = delete;
    TOverviewFixture& operator=(const TOverviewFixture&) = delete;

    // Runs a command of the View menu as its menu item does.
    void run(const QString& menuItem) const { f.control<QAction>(menuItem)->trigger(); }

    template <typename T> T* control(const QString& name) const { return f.control<T>(name); }

    // Lets the windows beside the main window redraw, as they do once the event at hand is handled.
    static void redrawn() { QCoreApplication::sendPostedEvents(); }

    QTemporaryDir files;
    QString definitionPath;
    TWindowFixture f;
    TDocumentOpener documents;
};
