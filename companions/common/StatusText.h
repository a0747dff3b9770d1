#pragma once

#include <QString>

class QLabel;

// Shows text in a tester's status line; a problem in bold and in a red that reads well on the window's
// light or dark palette.
void ShowStatusText(QLabel* label, const QString& text, bool problem);
