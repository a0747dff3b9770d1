#pragma once

#include <QString>
#include <deque>
#include <vector>

class QWidget;

// Every message box of the program goes through here, so tests can answer it beforehand and read
// what was shown instead of blocking on a modal window.
class MessageBox final {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Answer { Ok, Yes, No, Cancel, Restore, Discard };

    struct Shown {
        Icon icon;
        QString title;
        QString text;
    };

    // A modal box with an OK button.
    static void inform(QWidget* parent, Icon icon, const QString& title, const QString& text);
    static void error(QWidget* parent, const QString& title, const QString& text) {
        inform(parent, Icon::Error, title, text);
    }
    // A modal confirmation box with Yes, No and Cancel.
    static Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text);
    // A modal question with Restore (the default) and Discard; Cancel when it was closed without either.
    static Answer askRestoreDiscard(QWidget* parent, const QString& title, const QString& text);

    // Test hooks. Queued answers are used in order, one per box, and nothing is shown. In test mode a
    // box without a queued answer is not shown either: it answers Ok, or Cancel for a question.
    static void setNextAnswer(Answer answer);
    static void setTestMode(bool on);
    static const std::vector<Shown>& shown();
    static void clearShown();

private:
    static bool answerWithoutShowing(const Shown& box, Answer fallback, Answer& answer);
};
