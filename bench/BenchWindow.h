#pragma once

#include "ui/main/MainWindow.h"

#include <QTemporaryDir>
#include <QWidget>
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
    // Fills the definition full, empties key 1, level 1 and selects it, opens the overview and the
    // preview beside the window when asked to; returns the grid to type into.
    QWidget& startTyping(bool withViewWindows);

private:
    QTemporaryDir documents_;

public:
    std::unique_ptr<TfrmMain> window;
};
