#pragma once

#include "ui/main/MainWindow.h"

#include <QTemporaryDir>
#include <memory>

// A shown main window on its own empty documents folder, message boxes answered instead of shown.
class BenchWindow final {
public:
    BenchWindow();
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    // Empties the selected macro and redraws it.
    void clearMacro();
    // Opens the overview and the preview beside the window.
    void openViewWindows();

private:
    QTemporaryDir documents_;

public:
    std::unique_ptr<TfrmMain> window;
};
