// Draws the main window offscreen with a small sample definition and saves it as a PNG, for the
// README. Usage: ui_main_screenshot OUTPUT.png [--dark]
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "tools/screenshots/SampleDefinition.h"
#include "ui/Application.h"
#include "ui/ReadableStyle.h"
#include "ui/main/MainWindow.h"

#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::Light, QColor(80, 80, 84));
    dark.setColor(QPalette::Midlight, QColor(70, 70, 74));
    dark.setColor(QPalette::Mid, QColor(50, 50, 54));
    dark.setColor(QPalette::Dark, QColor(20, 20, 22));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    return dark;
}

} // namespace

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fputs("usage: ui_main_screenshot OUTPUT.png [--dark]\n", stderr);
        return 2;
    }
    QApplication::setStyle(new TReadableStyle(u"Fusion"_s));
    if (arguments.contains(u"--dark"_s))
        QApplication::setPalette(darkPalette());

    QTemporaryDir documents;
    Folders::setDocumentsForTests(documents.path());
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);

    TfrmMain window({});
    FillSampleDefinition(window.GetKeypad());
    window.ShowLoadedDefinition(u"sample.ckd"_s);
    window.show();
    if (!window.grab().save(arguments.at(1))) {
        std::fputs("ui_main_screenshot: cannot write the picture\n", stderr);
        return 1;
    }
    return 0;
}
