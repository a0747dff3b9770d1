#include "ui/main/Gauge.h"

#include <QPainter>

int TGauge::BarWidth() const {
    const qint64 range = qint64(maximum()) - minimum();
    if (range <= 0)
        return 0;
    const qint64 shown = qBound(qint64(0), qint64(value()) - minimum(), range);
    return int((qint64(width()) * shown * 2 + range) / (range * 2)); // rounded to the nearest pixel
}

void TGauge::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(QRect(0, 0, BarWidth(), height()), QColor(166, 202, 240));
}
