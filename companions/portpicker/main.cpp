#include "companions/portpicker/PortPickerCommandLine.h"
#include "companions/portpicker/PortPickerDialog.h"
#include "ui/Application.h"

#include <QCoreApplication>

// The port picker: a window listing the serial ports, or the command line when given arguments.
int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!arguments.isEmpty()) {
        QCoreApplication application(argc, argv);
        return *RunPortPickerCommandLine(arguments);
    }
    // The program's font and style, as the main program and the testers have them.
    TKeywright24Application application(argc, argv);
    TPortPickerDialog dialog;
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
