#include "companions/common/StatusText.h"

#include "ui/ReadableStyle.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

void ShowStatusText(QLabel* label, const QString& text, bool problem) {
    label->setText(text);
    label->setProperty("problem", problem);
    if (!problem) {
        label->setStyleSheet({});
        return;
    }
    const QString red = IsDarkPalette(label->palette()) ? u"#ff8080"_s : u"#b00000"_s;
    label->setStyleSheet(u"color: %1; font-weight: bold;"_s.arg(red));
}
