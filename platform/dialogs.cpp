#include "platform/dialogs.h"

#include "platform/input_guard.h"

#include <QMessageBox>
#include <QPushButton>

namespace dialogs {
namespace {
Handler gHandler;

// The buttons in German, whatever the machine's language.
Answer askOkCancel(const Shown& s)
{
    QMessageBox box(QMessageBox::Question, s.title, s.text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    inputguard::asks(&box);
    box.exec();
    // The close box counts as "Abbrechen".
    return box.clickedButton() == ok ? Answer::Yes : Answer::Cancel;
}

Answer ask(const Shown& s)
{
    if (s.okCancel)
        return askOkCancel(s);
    QMessageBox box(QMessageBox::Question, s.title, s.text);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    QPushButton* cancel = s.cancellable ? box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole) : no;
    box.setDefaultButton(s.noPreselected ? no : yes);
    box.setEscapeButton(cancel);
    inputguard::asks(&box);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    // The close box counts as "Abbrechen", or as "Nein" where there is none.
    if (s.cancellable && box.clickedButton() != no)
        return Answer::Cancel;
    return Answer::No;
}

// A notice, like a question, waits until it can have been read: a failure
// closed unread is a failure the user never heard of.
void tell(const Shown& s)
{
    QMessageBox box(QMessageBox::Information, s.title, s.text);
    // The standard button, with the look of every other program's "OK".
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("OK"));
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    inputguard::asks(&box);
    box.exec();
}

Answer show(const Shown& s)
{
    if (gHandler)
        return gHandler(s).answer;
    if (s.question)
        return ask(s);
    tell(s);
    return Answer::Yes;
}
}

void setHandler(Handler handler) { gHandler = std::move(handler); }
void clearHandler() { gHandler = nullptr; }
}

// The program's name, not the binary's.
static QString gDefaultTitle = QStringLiteral("ORV-qz");

void setDefaultDialogTitle(const QString& title) { gDefaultTitle = title; }

static QString titleOr(const QString& title) { return title.isEmpty() ? gDefaultTitle : title; }

void MsgBox(const QString& text, const QString& title) { dialogs::show({text, titleOr(title), false}); }

bool AskYesNo(const QString& text, const QString& title, Preselected preselected)
{
    return dialogs::show({text, titleOr(title), true, false, false, preselected == Preselected::No}) == Answer::Yes;
}

Answer AskYesNoCancel(const QString& text, const QString& title)
{
    return dialogs::show({text, titleOr(title), true, true});
}

bool AskOkCancel(const QString& text, const QString& title)
{
    return dialogs::show({text, titleOr(title), true, false, true}) == Answer::Yes;
}
