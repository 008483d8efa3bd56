#include "platform/dialogs.h"
#include "tests/support/fixture.h"
#include "tests/support/queued_input.h"

#include <QMessageBox>
#include <QAbstractButton>
#include <deque>
#include <optional>

using DialogsTest = ModelTest;

TEST_F(DialogsTest, BoxesCarryTheProgramsNameUnlessTheyNameATitle)
{
    QStringList titles;
    dialogs::setHandler([&](const dialogs::Shown& s) {
        titles << s.title;
        return true;
    });
    MsgBox("Hinweis");
    AskYesNo("Frage?");
    MsgBox("Hinweis", "Druck");
    EXPECT_EQ(titles, (QStringList{"ORV-qz", "ORV-qz", "Druck"}));
}

TEST_F(DialogsTest, AnOkCancelQuestionTakesJaAsOk)
{
    QList<bool> okCancel;
    std::deque<dialogs::Reply> replies{true, false, Answer::Cancel};
    dialogs::setHandler([&](const dialogs::Shown& s) {
        okCancel << (s.question && s.okCancel);
        const dialogs::Reply r = replies.front();
        replies.pop_front();
        return r;
    });
    EXPECT_TRUE(AskOkCancel("Weiter ?", "Fehler"));
    EXPECT_FALSE(AskOkCancel("Weiter ?"));
    EXPECT_FALSE(AskOkCancel("Weiter ?"));
    EXPECT_EQ(okCancel, QList<bool>({true, true, true}));
}

// A notice's "OK" is the box's standard button, which the style draws as
// every other program's "OK".
TEST_F(DialogsTest, ANoticeAnswersWithTheStandardOk)
{
    dialogs::clearHandler();
    std::optional<QMessageBox::StandardButtons> buttons;
    QString text;
    queuedinput::whenModalShows([&](QWidget* modal) {
        auto* box = static_cast<QMessageBox*>(modal);
        buttons = box->standardButtons();
        text = box->buttons().first()->text();
        box->accept();
    });
    MsgBox("Plan 1 konnte nicht gespeichert werden");
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_EQ(text, "OK");
}
