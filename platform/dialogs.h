#pragma once
// Message boxes and questions. Tests answer them from a script instead of a
// dialog, so nothing ever blocks a test run.
#include <QString>
#include <functional>

// The title of the planner's boxes; the register's say the program's name.
inline const QString kPlannerDialogTitle = QStringLiteral("Stundenplaner");
// The title of a box that names none, for the whole program: each program
// sets its own at start.
void setDefaultDialogTitle(const QString& title);

void MsgBox(const QString& text, const QString& title = QString());
// The button that Enter presses.
enum class Preselected { Yes, No };
// True for "Ja".
bool AskYesNo(const QString& text, const QString& title = QString(), Preselected preselected = Preselected::Yes);

// "Ja", "Nein" or "Abbrechen".
enum class Answer { Yes, No, Cancel };
Answer AskYesNoCancel(const QString& text, const QString& title = QString());
// True for "OK", false for "Abbrechen".
bool AskOkCancel(const QString& text, const QString& title = QString());

namespace dialogs {
struct Shown {
    QString text;
    QString title;
    bool question = false;
    // The question offers "Abbrechen" besides "Ja" and "Nein".
    bool cancellable = false;
    // The question offers "OK" and "Abbrechen"; a handler's "Ja" is "OK".
    bool okCancel = false;
    // Enter answers "Nein": "Ja" would lose saved work.
    bool noPreselected = false;
};
// A handler's answer: true for "Ja", false for "Nein", or an Answer.
struct Reply {
    Reply(bool yes) : answer(yes ? Answer::Yes : Answer::No) {}
    Reply(Answer a) : answer(a) {}
    Answer answer;
};
// Replaces the real dialogs; the handler returns the answer to a question.
using Handler = std::function<Reply(const Shown&)>;
void setHandler(Handler handler);
void clearHandler();
}
