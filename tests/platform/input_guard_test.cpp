#include "platform/controls.h"
#include "platform/dialogs.h"
#include "tests/support/fixture.h"
#include "tests/support/queued_input.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <optional>

namespace {
using namespace queuedinput;

// The screen point the mouse stands at throughout a double click.
const QPoint kMouse{300, 200};

// A window with a button, a list and a field; questions are real boxes.
class InputGuardTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        dialogs::clearHandler();
        window.resize(300, 200);
        button = controls::button(&window, "Command1", "löschen");
        button->setGeometry(10, 10, 100, 30);
        list = controls::list(&window, "List1");
        list->setGeometry(10, 50, 200, 100);
        list->AddItems({"Fächer entfernen - T", "alle Fixierungen lösen - W"});
        field = controls::named<TextBox>(&window, "Text1");
        field->setGeometry(120, 10, 100, 30);
        window.show();
        window.activateWindow();
        deliver();
    }

    QWidget window;
    QPushButton* button;
    ListBox* list;
    TextBox* field;
};

// A double click on a list whose item asks: the second press lands on the
// box's "Ja" and leaves it up; a click there 0.6 s later answers it.
TEST_F(InputGuardTest, TheRestOfADoubleClickAnswersNoQuestionItsFirstPressRaised)
{
    std::vector<bool> answers;
    QObject::connect(list, &ListBox::Click, [&] { answers.push_back(AskYesNo("Befehl ausführen ?")); });
    const QPoint item = list->visualItemRect(list->item(1)).center();
    std::optional<bool> stood;
    whenModalShows([&](QWidget* box) {
        const QPointer<QWidget> up(box);
        QAbstractButton* yes = static_cast<QMessageBox*>(box)->buttons().first();
        mouse(list, kMouse, QEvent::MouseButtonRelease, 1060, item);
        click(yes, kMouse, 1150);
        deliver();
        stood = up && up->isVisible();
        click(yes, kMouse, 1750);
    });
    mouse(list, kMouse, QEvent::MouseButtonPress, 1000, item);
    deliver();
    EXPECT_EQ(stood, true);
    EXPECT_EQ(answers, std::vector<bool>{true});
}

// A field that gets the focus while Enter is held takes none of its repeats;
// a key held within one field repeats there as always.
TEST_F(InputGuardTest, AHeldKeyActsOnlyOnTheControlItWentDownOn)
{
    int confirmed = 0;
    QObject::connect(field, &TextBox::KeyPress, [&](int& ascii) { confirmed += ascii == 13; });
    QObject::connect(button, &QPushButton::clicked, [this] { field->setFocus(); });
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        confirmed = 0;
        button->setFocus();
        press(&window, Qt::Key_Return, 1000);
        const quint64 released = repeats(&window, Qt::Key_Return, 1500, 10, marked);
        deliver();
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(confirmed, 0);
        key(&window, Qt::Key_Return, released + 300);
        deliver();
        EXPECT_EQ(confirmed, 1);

        field->setText(QString());
        press(&window, Qt::Key_A, 3000);
        repeats(&window, Qt::Key_A, 3500, 4, marked);
        deliver();
        EXPECT_EQ(field->text(), "aaaaa");
    }
}
}
