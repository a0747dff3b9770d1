#include "ui/overview/TimelineBar.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

TTimelineBar::TTimelineBar(QWidget* parent)
    : QWidget(parent) {
    setMinimumHeight(44);
}

void TTimelineBar::SetPlayback(MacroPlayback playback) {
    fPlayback = std::move(playback);
    update();
}

QSize TTimelineBar::sizeHint() const {
    return {400, 44};
}

void TTimelineBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect bar(4, 6, width() - 9, 18);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(bar);
    const int total = fPlayback.totalMs;
    const auto xOf = [&](int ms) {
        return total <= 0 ? bar.left()
                          : bar.left() + static_cast<int>(static_cast<long long>(bar.width()) * ms / total);
    };
    // Ticks of a run of steps of one kind are drawn together; runs keep the steps' order, so where marks
    // meet the later one is on top.
    QList<QLine> ticks;
    QColor tickColour;
    const auto drawTicks = [&] {
        painter.setPen(tickColour);
        painter.drawLines(ticks);
        ticks.clear();
    };
    for (const PlaybackStep& step : fPlayback.steps) {
        const int x = xOf(step.startMs);
        if (step.kind == PlaybackStep::Kind::Delay) {
            if (!ticks.isEmpty())
                drawTicks();
            painter.fillRect(
                QRect(QPoint(x, bar.top() + 1), QPoint(xOf(step.startMs + step.durationMs), bar.bottom())),
                QColor(0xb8, 0xcc, 0xe8));
            continue;
        }
        const bool character = step.kind == PlaybackStep::Kind::Character;
        const QColor colour = character ? palette().color(QPalette::Text) : QColor(0xd0, 0x60, 0x30);
        if (!ticks.isEmpty() && colour != tickColour)
            drawTicks();
        tickColour = colour;
        ticks << (character ? QLine(x, bar.top() + 3, x, bar.bottom() - 3)
                            : QLine(x, bar.top() - 3, x, bar.bottom() + 3));
    }
    if (!ticks.isEmpty())
        drawTicks();
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect scale(bar.left(), bar.bottom() + 2, bar.width(), height() - bar.bottom() - 2);
    painter.drawText(scale, Qt::AlignLeft | Qt::AlignTop, u"0 s"_s);
    painter.drawText(scale, Qt::AlignRight | Qt::AlignTop, u"%1 s"_s.arg(total / 1000.0, 0, 'f', 2));
}
