// The startup baseline: an empty Qt window, shown. With --quit-after-show it ends as soon as the
// window has been shown, as keywright24 does with the same option.
#include <QApplication>
#include <QTimer>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(u"Empty"_s);
    window.resize(640, 480);
    window.show();
    if (QApplication::arguments().contains(u"--quit-after-show"_s))
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
