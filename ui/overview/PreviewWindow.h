#pragma once

#include "files/MacroPlayback.h"

#include <QWidget>
#include <memory>

class KeypadFindings;
class QLabel;
class TDeferredRedraw;
class TKeypadClass;
class TStepsTable;
class TTimelineBar;
class TWrappedText;

// What the selected macro will do on the keypad: the bytes the download image carries for it, what it
// types on a PC with a US layout, when each step starts and how long the whole takes, and the checker's
// findings for it. It only reads the definition and redraws on Refresh.
class TfrmPreview final : public QWidget {
    Q_OBJECT
public:
    // findings gives the checker's findings of keypad; the overview reads the same.
    TfrmPreview(const TKeypadClass& keypad, std::shared_ptr<KeypadFindings> findings, QWidget* parent);

    // Redraws from the selected macro when shown, else when next shown. The redraw comes once the event at
    // hand is handled, so that the several announcements of one change give one redraw.
    void Refresh();

signals:
    // After every redraw.
    void Redrawn();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Redraw();

    const TKeypadClass& fKeypad;
    std::shared_ptr<KeypadFindings> fFindings;
    QLabel* lblPreviewKey = nullptr;
    TWrappedText* lblPreviewBytes = nullptr;
    QLabel* lblTypedHeading = nullptr;
    TWrappedText* lblPreviewTyped = nullptr;
    TTimelineBar* barTimeline = nullptr;
    TStepsTable* gridSteps = nullptr;
    TWrappedText* lblPlayTime = nullptr;
    QLabel* lblPreviewChecks = nullptr;
    TDeferredRedraw* fRedraw = nullptr;
    // What the step rows show, to set again only the rows whose step changed.
    struct ShownSteps {
        MacroPlayback playback;
        std::uint8_t prefix = 0;
        const LayoutTable* layout = nullptr;
    } fShownSteps;
};
