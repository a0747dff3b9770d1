#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top-left corner that centres something of the given size on an area. Each half is an integer
// division truncated toward zero, so an odd difference leaves it one pixel left of or above the exact
// centre.
QPoint CentredTopLeft(const QRect& area, const QSize& size);

// Moves a window so that it stands centred on the available area of its screen.
void CentreOnScreen(QWidget& window);
