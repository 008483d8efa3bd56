#include "platform/dialogs.h"
#include "tests/support/fixture.h"

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
