#pragma once

#include "files/MacroMatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

// Gathers what a tester receives (bytes or typed characters) into bursts: a burst ends when nothing
// more arrives for longer than the gap, which is a little more than the keypad's pacing between two
// characters, so that one key's macro makes one burst.
class TBurstCollector final : public QObject {
    Q_OBJECT
public:
    explicit TBurstCollector(QObject* parent = nullptr);

    // Adds what arrived now. Returns the milliseconds since the previous arrival (-1 for the first
    // one) and whether it begins a new burst.
    struct Arrival {
        qint64 sinceLastMs = -1;
        bool startsBurst = true;
    };
    Arrival add(std::u32string_view units);

    // Ends the burst at once, as when the port closes.
    void flush();

    // Whether a burst has begun and not ended yet.
    bool collecting() const { return !fBurst.empty(); }

    void setGapMs(int gapMs);
    int gapMs() const { return fGapMs; }

signals:
    void burstEnded(const std::u32string& burst);

private:
    QElapsedTimer fSinceLast;
    QTimer fEndTimer;
    std::u32string fBurst;
    int fGapMs = 0;
};

// Received bytes or typed characters as the testers show them: a printable character as itself, a
// control character as the key that types it in brackets ("[Enter]", "[Ctrl+C]"), a byte above 127
// in hexadecimal ("[E9]"), a typed character above 127 as itself.
QString ShownText(std::u32string_view units, BurstUnits kind);
// Bytes as hexadecimal pairs separated by blanks: "48 69 0D".
QString HexText(std::u32string_view bytes);
