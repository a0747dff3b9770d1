// The startup baseline: an empty Qt window, shown. With --quit-after-show it ends as soon as the
// window has been shown, as keywright24 does with the same option. With --with-text the window holds
// one line of text in keywright24's font and one in its bold: what any window showing text costs
// beyond an empty one (the font database and two faces).
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const bool withText = arguments.contains(u"--with-text"_s);
    QFont font(u"Arial"_s);
    font.setPixelSize(11);
    if (withText) // before the window is made, so that the window and its labels take it
        QApplication::setFont(font);
    QWidget window;
    window.setWindowTitle(u"Empty"_s);
    window.resize(640, 480);
    if (withText) {
        auto* regular = new QLabel(u"Regular text"_s, &window);
        regular->move(10, 10);
        auto* bold = new QLabel(u"Bold text"_s, &window);
        font.setBold(true);
        bold->setFont(font);
        bold->move(10, 30);
    }
    window.show();
    if (arguments.contains(u"--quit-after-show"_s))
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
