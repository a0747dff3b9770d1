#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
std::deque<MessageBox::Answer> queuedAnswers;
std::vector<MessageBox::Shown> shownBoxes;
bool testMode = false;

QMessageBox::Icon toQtIcon(MessageBox::Icon icon) {
    switch (icon) {
    case MessageBox::Icon::Information: return QMessageBox::Information;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Error: return QMessageBox::Critical;
    case MessageBox::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

bool MessageBox::answerWithoutShowing(const Shown& box, Answer fallback, Answer& answer) {
    if (queuedAnswers.empty() && !testMode)
        return false;
    shownBoxes.push_back(box);
    if (queuedAnswers.empty()) {
        answer = fallback;
    } else {
        answer = queuedAnswers.front();
        queuedAnswers.pop_front();
    }
    return true;
}

void MessageBox::inform(QWidget* parent, Icon icon, const QString& title, const QString& text) {
    Answer ignored;
    if (answerWithoutShowing({icon, title, text}, Answer::Ok, ignored))
        return;
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageBox::Answer MessageBox::askYesNoCancel(QWidget* parent, const QString& title, const QString& text) {
    Answer answer;
    if (answerWithoutShowing({Icon::Question, title, text}, Answer::Cancel, answer))
        return answer;
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

MessageBox::Answer MessageBox::askRestoreDiscard(QWidget* parent, const QString& title, const QString& text) {
    Answer answer;
    if (answerWithoutShowing({Icon::Question, title, text}, Answer::Cancel, answer))
        return answer;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore)
        return Answer::Restore;
    if (box.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

void MessageBox::setNextAnswer(Answer answer) {
    queuedAnswers.push_back(answer);
}
void MessageBox::setTestMode(bool on) {
    testMode = on;
}
const std::vector<MessageBox::Shown>& MessageBox::shown() {
    return shownBoxes;
}
void MessageBox::clearShown() {
    shownBoxes.clear();
    queuedAnswers.clear();
}
