#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "tests/support/DialogHelpers.h"
#include "tests/ui/dialogs/DialogSuites.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
    int failures = 0;
    for (const auto run : {RunParamsTests, RunStartupTests, RunAboutTests})
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}
