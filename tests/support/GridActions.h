#pragma once

#include "ui/main/MacroGrid.h"
#include "ui/main/MainWindow.h"

#include <QPoint>
#include <QTest>
#include <stdexcept>

// Shows the window and waits until it is active, so that key events reach its focus widget.
inline void showActive(TfrmMain& window) {
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        throw std::runtime_error("the main window did not become active");
}

// The centre of the grid cell at a macro position, scrolled into view.
inline QPoint cellCentre(TMacroGrid* grid, int index) {
    const QModelIndex cell = grid->model()->index(index / 8, index % 8);
    grid->scrollTo(cell);
    return grid->visualRect(cell).center();
}

inline void clickCell(TMacroGrid* grid, int index) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, index));
}
