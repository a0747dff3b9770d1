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
    // The bar's ground and its marks are solid fills, the cheapest drawing there is; the bar is drawn
    // again whenever its macro changes.
    painter.fillRect(bar, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(bar);
    const int total = fPlayback.totalMs;
    const auto xOf = [&](int ms) {
        return total <= 0 ? bar.left()
                          : bar.left() + static_cast<int>(static_cast<long long>(bar.width()) * ms / total);
    };
    // Each tick is a column one pixel wide; steps are drawn in order, so where marks meet the later one
    // is on top.
    const QColor characterColour = palette().color(QPalette::Text);
    const QColor commandColour(0xd0, 0x60, 0x30);
    const QColor pauseColour(0xb8, 0xcc, 0xe8);
    for (const PlaybackStep& step : fPlayback.steps) {
        const int x = xOf(step.startMs);
        switch (step.kind) {
        case PlaybackStep::Kind::Delay:
            painter.fillRect(
                QRect(QPoint(x, bar.top() + 1), QPoint(xOf(step.startMs + step.durationMs), bar.bottom())),
                pauseColour);
            break;
        case PlaybackStep::Kind::Character:
            painter.fillRect(QRect(QPoint(x, bar.top() + 3), QPoint(x, bar.bottom() - 3)), characterColour);
            break;
        default:
            painter.fillRect(QRect(QPoint(x, bar.top() - 3), QPoint(x, bar.bottom() + 3)), commandColour);
            break;
        }
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect scale(bar.left(), bar.bottom() + 2, bar.width(), height() - bar.bottom() - 2);
    painter.drawText(scale, Qt::AlignLeft | Qt::AlignTop, u"0 s"_s);
    painter.drawText(scale, Qt::AlignRight | Qt::AlignTop, u"%1 s"_s.arg(total / 1000.0, 0, 'f', 2));
}
