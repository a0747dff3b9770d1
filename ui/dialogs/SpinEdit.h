#pragma once

#include <QSpinBox>

// A spin box that always reads as a number within its range: text that is not a number reads as the
// minimum (a plain QSpinBox would fall back to its previous value), a number outside the range as the
// nearest limit.
class TSpinEdit final : public QSpinBox {
    Q_OBJECT

public:
    TSpinEdit(int minimum, int maximum, int step, QWidget* parent);

signals:
    // The value changed, or the user edited the text (also to text that is not yet a value).
    void changed();

protected:
    void fixup(QString& input) const override;
};
