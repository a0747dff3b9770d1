#include "ui/Application.h"

#include "ui/ReadableStyle.h"

#include <QStyle>
#include <exception>

using namespace Qt::Literals::StringLiterals;

TKeywright24Application::TKeywright24Application(int& argc, char** argv)
    : QApplication(argc, argv) {
    // Also the default for text laid out before a widget takes its own font, so that no second face
    // is loaded at start-up only to be replaced.
    setFont(ProgramFont());
    // The desktop's style (or the one asked for with -style), keeping every control visible on a dark
    // palette.
    setStyle(new TReadableStyle(style()->name()));
}

bool TKeywright24Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(activeWindow(), u"An unexpected error occurred"_s);
    }
    return false;
}
