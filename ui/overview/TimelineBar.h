#pragma once

#include "files/MacroPlayback.h"

#include <QWidget>

// A macro's playing time as a bar from 0 to its total, with a tick where each step starts: characters
// in the text colour, pauses as shaded spans, other commands in a colour of their own.
class TTimelineBar final : public QWidget {
public:
    explicit TTimelineBar(QWidget* parent);

    void SetPlayback(MacroPlayback playback);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MacroPlayback fPlayback;
};
