#pragma once

#include "files/MacroMatch.h"
#include "model/KeypadClass.h"

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

// The testers' "Compare with definition…" button with a line naming the definition loaded. Once a
// definition is loaded, every burst can be compared with its macros.
class TDefinitionPanel final : public QWidget {
    Q_OBJECT
public:
    TDefinitionPanel(BurstUnits units, QWidget* parent);

    bool hasDefinition() const { return !fFileName.isEmpty(); }
    // The loaded definition, for its parameters (pacing, line speed); a new one while none is loaded.
    const TKeypadClass& definition() const { return fKeypad; }

    // What burst is in the loaded definition ("Matches Key 2, Level 1."); empty while none is loaded.
    QString compare(std::u32string_view burst) const;

    // Loads the definition at path to compare with. When it cannot be read, says why in an error box
    // and keeps the definition loaded before.
    bool load(const QString& path);

    // What the line beside the button says besides the file's name, such as a line speed that differs.
    void setNote(const QString& note);

signals:
    void definitionLoaded();

private:
    void btnCompareClick();
    void showName();

    BurstUnits fUnits;
    QPushButton* btnCompare;
    QLabel* lblDefinition;
    TKeypadClass fKeypad;
    std::vector<ExpectedMacro> fMacros;
    QString fFileName;
    QString fNote;
    QString fLayoutNote; // the computer's keyboard layout the typed text is expected in
};
