#include "bench/BenchWindow.h"

#include "bench/FullDefinition.h"
#include "model/KeypadClass.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

BenchWindow::BenchWindow() {
    if (!documents_.isValid())
        throw std::runtime_error("cannot make a temporary documents folder");
    Folders::setDocumentsForTests(documents_.path());
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
    window = std::make_unique<TfrmMain>(QStringList{});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        throw std::runtime_error("the main window was not shown");
    QCoreApplication::processEvents();
}

BenchWindow::~BenchWindow() {
    window.reset();
    Folders::setDocumentsForTests(std::nullopt);
}

void BenchWindow::clearMacro() {
    TKeypadClass& keypad = window->GetKeypad();
    while (keypad.RemoveKey(0)) {
    }
    window->CopyDataToScreen(0);
    QCoreApplication::processEvents();
}

QWidget& BenchWindow::startTyping(bool withViewWindows) {
    TKeypadClass& keypad = window->GetKeypad();
    FillFullDefinition(keypad);
    keypad.SetKey(0);
    keypad.SetLevel(0);
    clearMacro();
    if (withViewWindows)
        for (const QString& command : {u"OverviewMenuItem"_s, u"PreviewMenuItem"_s}) {
            window->findChild<QAction*>(command)->trigger();
            QCoreApplication::processEvents();
        }
    auto* grid = window->findChild<QWidget*>(u"Grid"_s);
    if (grid == nullptr)
        throw std::runtime_error("no macro grid");
    return *grid;
}
