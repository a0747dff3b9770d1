#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// The creation code's steps for a new control of a fixed-size window: the name tests and the
// accessibility tree find it by, and its place in its parent.

// Names the control and gives it its fixed geometry.
template <typename Widget> Widget* Place(Widget* widget, const QString& name, const QRect& geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// Names the control and puts it at position, as large as its content needs in its font.
template <typename Widget> Widget* PlaceAtNaturalSize(Widget* widget, const QString& name, QPoint position) {
    widget->setObjectName(name);
    widget->move(position);
    widget->adjustSize();
    return widget;
}
