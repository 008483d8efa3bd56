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

// A window whose button, or list item, asks a question with a real box.
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

    void askOn(auto clicked)
    {
        QObject::connect(clicked, &std::remove_pointer_t<decltype(clicked)>::Click, [this] { ask(); });
    }
    void ask() { answers.push_back(AskYesNo("Befehl ausführen ?")); }

    // The point of the list's second item, where the first press goes.
    QPoint item() const { return list->visualItemRect(list->item(1)).center(); }

    // The box's "Ja", where the rest of the double click lands.
    static QAbstractButton* yesOf(QWidget* box) { return static_cast<QMessageBox*>(box)->buttons().first(); }

    QWidget window;
    QPushButton* button;
    ListBox* list;
    TextBox* field;
    std::vector<bool> answers;
    // Whether the question stood through the input the user sent before it.
    std::optional<bool> stood;
};

// Enter held down on a button: its repeats reach the question the button
// raised, marked as repeats or not; a fresh Enter answers it.
TEST_F(InputGuardTest, AHeldEnterAnswersNoQuestionItsPressRaised)
{
    QObject::connect(button, &QPushButton::clicked, [this] { ask(); });
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        answers.clear();
        button->setFocus();
        whenModalShows([&](QWidget* box) {
            const QPointer<QWidget> up(box);
            const quint64 released = repeats(box, Qt::Key_Return, 1500, 20, marked);
            deliver();
            stood = up && up->isVisible();
            key(box, Qt::Key_Return, released + 400);
        });
        press(&window, Qt::Key_Return, 1000);
        deliver();
        EXPECT_EQ(stood, true);
        EXPECT_EQ(answers, std::vector<bool>{true});
    }
}

// A double click on a list whose item asks: the second press lands on the
// box's "Ja" and leaves it up; a click there 0.6 s later answers it.
TEST_F(InputGuardTest, TheRestOfADoubleClickAnswersNoQuestionItsFirstPressRaised)
{
    askOn(list);
    whenModalShows([&](QWidget* box) {
        const QPointer<QWidget> up(box);
        QAbstractButton* yes = yesOf(box);
        mouse(list, kMouse, QEvent::MouseButtonRelease, 1060, item());
        click(yes, kMouse, 1150);
        deliver();
        stood = up && up->isVisible();
        click(yes, kMouse, 1750);
    });
    mouse(list, kMouse, QEvent::MouseButtonPress, 1000, item());
    deliver();
    EXPECT_EQ(stood, true);
    EXPECT_EQ(answers, std::vector<bool>{true});
}

// A window that closes on a press leaves the rest of the double click to
// nobody: the button that comes to lie under the mouse is not pressed, until
// a click a moment later.
TEST_F(InputGuardTest, TheRestOfADoubleClickPressesNothingUnderTheWindowItsFirstPressClosed)
{
    int pressed = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
    auto* picker = new QWidget;
    picker->resize(200, 100);
    ListBox* students = controls::list(picker, "List1");
    students->setGeometry(0, 0, 200, 100);
    students->AddItems({"Maier, Anna", "Huber, Max"});
    QObject::connect(students, &ListBox::Click, picker, [picker] {
        picker->close();
        picker->deleteLater();
    });
    picker->show();
    const QPointer<QWidget> alive(picker);
    mouse(students, kMouse, QEvent::MouseButtonPress, 1000, students->visualItemRect(students->item(1)).center());
    deliver();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive);
    mouse(button, kMouse, QEvent::MouseButtonRelease, 1060);
    click(button, kMouse, 1150);
    deliver();
    EXPECT_EQ(pressed, 0);
    click(button, kMouse, 1750);
    deliver();
    EXPECT_EQ(pressed, 1);
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
