#include "platform/dialogs.h"
#include "tests/support/fixture.h"

#include <deque>

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
