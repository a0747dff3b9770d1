#pragma once

#include <QString>
#include <QToolButton>

// One key of the on-screen PC keyboard, drawn at run time as a keycap with its legend: green when its
// code can also be typed on the PC keyboard, grey otherwise. A legend of two lines shows the shifted
// character over the unshifted one.
class TOnScreenKey final : public QToolButton {
    Q_OBJECT
public:
    enum class Colour { Green, Grey };
    // A picture drawn beside the legend's text.
    enum class Symbol { None, TabArrows, EnterArrow, ShiftArrow };

    TOnScreenKey(int tag, const QString& legend, Colour colour, Symbol symbol, QWidget* parent);

    // The key code the key enters (DelayKeyCode for the delay button).
    int Tag() const { return fTag; }
    const QString& Legend() const { return fLegend; }
    void SetLegend(const QString& legend) {
        fLegend = legend;
        update();
    }
    Colour KeyColour() const { return fColour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int fTag;
    QString fLegend;
    Colour fColour;
    Symbol fSymbol;
};
