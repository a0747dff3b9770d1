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
    for (const PlaybackStep& step : fPlayback.steps) {
        const int x = xOf(step.startMs);
        switch (step.kind) {
        case PlaybackStep::Kind::Delay:
            painter.fillRect(
                QRect(QPoint(x, bar.top() + 1), QPoint(xOf(step.startMs + step.durationMs), bar.bottom())),
                QColor(0xb8, 0xcc, 0xe8));
            break;
        case PlaybackStep::Kind::Character:
            painter.setPen(palette().color(QPalette::Text));
            painter.drawLine(x, bar.top() + 3, x, bar.bottom() - 3);
            break;
        default:
            painter.setPen(QColor(0xd0, 0x60, 0x30));
            painter.drawLine(x, bar.top() - 3, x, bar.bottom() + 3);
            break;
        }
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect scale(bar.left(), bar.bottom() + 2, bar.width(), height() - bar.bottom() - 2);
    painter.drawText(scale, Qt::AlignLeft | Qt::AlignTop, u"0 s"_s);
    painter.drawText(scale, Qt::AlignRight | Qt::AlignTop, u"%1 s"_s.arg(total / 1000.0, 0, 'f', 2));
}
