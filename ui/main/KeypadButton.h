#pragma once

#include <QPointer>
#include <QToolButton>

// One key of the keypad picture. Besides the ordinary left click it reports the right mouse button
// going down and coming up again, so the key can be selected before its key-type menu opens, and a
// drag with the left button that ends on another key of the same picture.
class TKeypadButton final : public QToolButton {
    Q_OBJECT
public:
    TKeypadButton(int tag, QWidget* parent);

    // The key number, 0 to 23.
    int Tag() const { return fTag; }
    // Whether another key is being dragged over this one, which then shows that a drop lands here.
    bool IsDropTarget() const { return fDropTarget; }

signals:
    void rightButtonPressed();
    void rightButtonReleased(const QPoint& globalPosition);
    // Dragged onto the key target and let go there; copy when Ctrl was held at the end.
    void droppedOn(int target, bool copy);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TKeypadButton* KeyAt(const QPoint& position) const;
    void ShowDropTarget(TKeypadButton* target);
    void SetDropTarget(bool on);

    int fTag;
    QPoint fPressedAt;
    bool fDragging = false;
    bool fDropTarget = false;
    QPointer<TKeypadButton> fShownTarget; // the key under the pointer while this one is dragged
};
