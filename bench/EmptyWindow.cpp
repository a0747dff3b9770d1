// The startup baseline: an empty Qt window, shown. With --quit-after-show it ends as soon as the
// window has been shown, as keywright24 does with the same option. With --with-text the window holds
// one laid-out line of text in keywright24's font: what any window showing text costs beyond an empty
// one (the font database and a face).
#include "ui/ProgramFont.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const bool withText = arguments.contains(u"--with-text"_s);
    if (withText) // before the window is made, so that the window and its label take it
        QApplication::setFont(ProgramFont());
    QWidget window;
    window.setWindowTitle(u"Empty"_s);
    window.resize(640, 480);
    if (withText) {
        auto* line = new QLabel(u"A line of text"_s, &window);
        line->move(10, 10);
    }
    window.show();
    if (arguments.contains(u"--quit-after-show"_s))
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
