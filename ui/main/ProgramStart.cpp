#include "ui/main/ProgramStart.h"

#include "platform/ProgramName.h"
#include "platform/UserSettings.h"
#include "resources/Pictures.h"
#include "ui/Application.h"
#include "ui/dialogs/Startup.h"
#include "ui/main/HelpDocuments.h"
#include "ui/main/MainWindow.h"

#include <QPointer>
#include <QTimer>
#include <exception>

using namespace Qt::Literals::StringLiterals;

std::unique_ptr<TStartupForm> ShowStartupPrompt(const QString& userFolder,
                                                std::function<QWidget*()> mainWindow) {
    auto prompt = std::make_unique<TStartupForm>(
        userFolder, [mainWindow = std::move(mainWindow)] { OpenGettingStarted(mainWindow()); });
    // The program ends when the main window closes, whether or not the prompt is still open.
    prompt->setAttribute(Qt::WA_QuitOnClose, false);
    prompt->show();
    return prompt;
}

int RunKeywright24(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    // The desktop matches the windows to the installed entry and shows its icon.
    QGuiApplication::setDesktopFileName(u"keywright24"_s);
    QApplication::setWindowIcon(Pictures::ProgramIcon());
    try {
        const QString userFolder = MakeUserFolder();
        QPointer<TfrmMain> mainWindow; // none yet while the prompt is created
        std::unique_ptr<TStartupForm> startupPrompt;
        if (!ReadHideStartBox(userFolder))
            startupPrompt = ShowStartupPrompt(userFolder, [&mainWindow] { return mainWindow.data(); });
        QApplication::setApplicationName(ProgramName);

        QStringList arguments = QApplication::arguments().mid(1);
        // For the startup benchmark: end as soon as the main window has been shown.
        const bool quitAfterShow = arguments.removeAll(QuitAfterShowOption) > 0;
        TfrmMain frmMain(arguments);
        mainWindow = &frmMain;
        frmMain.CreateParametersDialog();
        frmMain.show();
        if (startupPrompt)
            startupPrompt->raise(); // above the main window also where no window manager keeps it there
        // Over the window, once it is shown; with no recovery copy left, one look at a folder.
        QTimer::singleShot(0, &frmMain, &TfrmMain::OfferRecovery);
        if (quitAfterShow)
            QTimer::singleShot(0, &application, &QCoreApplication::quit);
        return QApplication::exec();
    } catch (const std::exception& error) {
        // A failure during start-up ends the program after the report.
        ReportError(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
}
