#pragma once

#include <QString>

class QWidget;
class TKeypadClass;

// Print Key Labels: writes the labels of keypad as a PDF into the Keycap_Labels folder of userFolder,
// named after the definition file documentPath, and opens it with the desktop's viewer. The label size
// is asked the first time and remembered in the settings file. Failures are shown in a message box.
void PrintKeyLabelsCommand(QWidget* parent, TKeypadClass& keypad, const QString& userFolder,
                           const QString& documentPath);

// Key Label Size: asks for the label size again and remembers it. False when the user cancelled.
bool AskKeyLabelSizeCommand(QWidget* parent, const QString& userFolder);

// The PDF the labels of the definition file documentPath are written to.
QString KeyLabelsPdfPath(const QString& userFolder, const QString& documentPath);
