#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class TStartupForm;

// Creates the startup prompt and shows it without waiting; it stays above the main window until the
// user answers, and does not keep the program running once the main window has closed. Its "Yes"
// opens Getting Started exactly as the Help menu does, its messages over the window mainWindow gives
// at that moment (none before the main window exists).
std::unique_ptr<TStartupForm> ShowStartupPrompt(const QString& userFolder,
                                                std::function<QWidget*()> mainWindow);

// The hidden option that ends the program right after its main window is first shown; the startup
// benchmark measures the time to get there. It is not a file to load.
inline const QString QuitAfterShowOption = QStringLiteral("--quit-after-show");

// The program: prepares the user's folders, creates the main window (loading the definition file
// named by the first argument) and runs until the main window has closed. Returns the exit code.
int RunKeywright24(int argc, char** argv);
