#include "companions/keytester/KeyTesterWindow.h"

#include <QApplication>

// The key tester: no arguments.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TKeyTesterWindow window;
    window.show();
    return QApplication::exec();
}
