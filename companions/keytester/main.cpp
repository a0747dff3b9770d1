#include "companions/keytester/KeyTesterWindow.h"
#include "ui/Application.h"

// The key tester: no arguments.
int main(int argc, char* argv[]) {
    TKeywright24Application application(argc, argv);
    TKeyTesterWindow window;
    window.show();
    return QApplication::exec();
}
