#include "companions/common/TesterBursts.h"

#include "files/MacroPlayback.h"

using namespace Qt::Literals::StringLiterals;

TBurstCollector::TBurstCollector(QObject* parent)
    : QObject(parent) {
    fEndTimer.setSingleShot(true);
    connect(&fEndTimer, &QTimer::timeout, this, &TBurstCollector::flush);
}

TBurstCollector::Arrival TBurstCollector::add(std::u32string_view units) {
    Arrival arrival;
    if (fSinceLast.isValid())
        arrival.sinceLastMs = fSinceLast.restart();
    else
        fSinceLast.start();
    arrival.startsBurst = fBurst.empty() || arrival.sinceLastMs > fGapMs;
    if (arrival.startsBurst && !fBurst.empty()) {
        // The timer has not fired yet (the window was busy), but the pause was long enough.
        fEndTimer.stop();
        flush();
    }
    fBurst += units;
    fEndTimer.start(fGapMs);
    return arrival;
}

void TBurstCollector::flush() {
    fEndTimer.stop();
    if (fBurst.empty())
        return;
    const std::u32string burst = std::move(fBurst);
    fBurst.clear();
    emit burstEnded(burst);
}

void TBurstCollector::setGapMs(int gapMs) {
    fGapMs = gapMs;
}

QString ShownText(std::u32string_view units, BurstUnits kind) {
    QString text;
    for (const char32_t unit : units) {
        if ((unit >= 32 && unit < 127) || (unit >= 128 && kind == BurstUnits::Characters)) {
            text += QString::fromUcs4(&unit, 1);
        } else if (unit >= 128) {
            text += u"[%1]"_s.arg(QString::number(unit & 0xFFu, 16).toUpper().rightJustified(2, u'0'));
        } else {
            PlaybackStep step;
            step.value = static_cast<int>(unit);
            text += u"[%1]"_s.arg(QString::fromStdString(DescribeStep(step, 0).text));
        }
    }
    return text;
}

QString HexText(std::u32string_view bytes) {
    QStringList pairs;
    for (const char32_t byte : bytes)
        pairs << u"%1"_s.arg(static_cast<unsigned>(byte) & 0xFFu, 2, 16, QChar(u'0')).toUpper();
    return pairs.join(u' ');
}
