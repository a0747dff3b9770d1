#pragma once

#include <QToolButton>

// One key of the keypad picture. Besides the ordinary left click it reports the right mouse button
// going down and coming up again, so the key can be selected before its key-type menu opens.
class TKeypadButton final : public QToolButton {
    Q_OBJECT
public:
    TKeypadButton(int tag, QWidget* parent);

    // The key number, 0 to 23.
    int Tag() const { return fTag; }

signals:
    void rightButtonPressed();
    void rightButtonReleased(const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int fTag;
};
