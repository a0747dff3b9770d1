#include "companions/serialtester/SerialTesterWindow.h"
#include "ui/Application.h"

// The serial tester. Its one argument, when given, is the number of the COM port to open.
int main(int argc, char* argv[]) {
    TKeywright24Application application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TSerialTesterWindow window(arguments);
    window.show();
    return QApplication::exec();
}
