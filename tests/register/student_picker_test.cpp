#include "register/student_picker.h"
#include "tests/register/register_fixture.h"
#include "tests/support/queued_input.h"

#include <QApplication>
#include <QPushButton>

namespace {
// Counts the picker's windows shown, however briefly.
class PickerShows : public QObject {
public:
    PickerShows() { qApp->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<Form3*>(watched))
            ++count;
        return false;
    }
};

class StudentPickerTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        startEntryWindow();
        for (const char* s : {"Maier, Anna|4A", "Huber, Max|4b", "Berger, Eva|14C", "Gruber, Tim|3A"})
            addStudent(QString::fromUtf8(s).section('|', 0, 0), QString::fromUtf8(s).section('|', 1));
    }

    // Enter in the student field opens the picker, or returns to it.
    Form3* pick(const QString& student, const QString& cls)
    {
        entry->Text7->setText(student);
        entry->Text3->setText(cls);
        entry->activate();
        QTest::keyClick(entry->Text7, Qt::Key_Return);
        return forms::ifOpen<Form3>();
    }

    QStringList listed() const
    {
        QStringList out;
        for (const QString& item : forms::ifOpen<Form3>()->List1->items())
            out << item.section(',', 0, 0);
        return out;
    }

    bool taken(const QString& name, const QString& cls) const
    {
        return !forms::isOpen<Form3>() && entry->Text7->text() == name && entry->Text3->text() == cls
               && green(entry->Text7) && green(entry->Text3);
    }
};
}

TEST_F(StudentPickerTest, FiltersMatchAnywhereAndASingleMatchIsTakenAtOnce)
{
    Form3* picker = pick("", "4");
    EXPECT_EQ(listed(), QStringList({"Maier", "Huber", "Berger"}));
    EXPECT_EQ(picker->List1->List(1), "Huber, Max 4b" + QString(60, ' ') + "2");
    EXPECT_EQ(picker->List1->shownText(1), "Huber, Max 4b");
    pick("ER", " a ");
    EXPECT_EQ(listed(), QStringList({"Maier", "Gruber"}));
    pick("niemand", "");
    EXPECT_TRUE(listed().isEmpty());

    // Back in the picker after a change, the list follows the fields.
    entry->Text7->setText(" eva ");
    entry->activate();
    picker->activate();
    EXPECT_TRUE(taken("Berger, Eva", "14C"));
}

// The picker's window, put up for a single match only to close again, stood
// over the entry window on a busy PC and took the clicks meant for it.
TEST_F(StudentPickerTest, EnterTakesASingleMatchWithoutThePickersWindow)
{
    const PickerShows shows;
    entry->Text7->setVisible(true);
    entry->Text7->setFocus();
    EXPECT_EQ(pick("eva", ""), nullptr);
    EXPECT_TRUE(taken("Berger, Eva", "14C"));
    EXPECT_EQ(entry->focusWidget(), entry->Text7);
    EXPECT_EQ(shows.count, 0);

    // Several matches, or none, open the picker; a single match then closes it.
    ASSERT_NE(pick("er", ""), nullptr);
    EXPECT_TRUE(forms::ifOpen<Form3>()->isVisible());
    EXPECT_EQ(shows.count, 1);
    ASSERT_NE(pick("niemand", ""), nullptr);
    EXPECT_EQ(pick("gruber", "3a"), nullptr);
    EXPECT_TRUE(taken("Gruber, Tim", "3A"));
}

TEST_F(StudentPickerTest, AClickTakesTheStudentNumberedInTheItem)
{
    while (gStudentCount < 998)
        addStudent(QStringLiteral("Schüler %1").arg(gStudentCount + 1), "1A");
    addStudent("Zeller, Ida", "2B");
    addStudent("Zeller, Ulf", "2C");
    Form3* picker = pick("zeller", "");
    ASSERT_EQ(picker->List1->ListCount(), 2);
    picker->List1->setListIndex(1);
    EXPECT_TRUE(taken("Zeller, Ulf", "2C"));
}

// The picker closes on the first press of a double click on a student: the
// rest of it lands on the entry window and presses nothing there, such as
// "+T", which would move the absence to the next day. A click there 0.6 s
// later does.
TEST_F(StudentPickerTest, TheRestOfADoubleClickOnAStudentPressesNothingUnderThePicker)
{
    using namespace queuedinput;
    for (int i = 0; i < 11; ++i)
        addStudent(QStringLiteral("Schüler %1").arg(i), "4A");
    entry->Text2->setText("11.03.2026");
    Form3* picker = pick("", "4");
    ASSERT_NE(picker, nullptr);
    ASSERT_GE(picker->List1->ListCount(), 10);
    const QPoint item = picker->List1->visualItemRect(picker->List1->item(1)).center();
    const QPoint mouseAt = middleOf(entry->Command12);
    picker->move(picker->pos() + mouseAt - picker->List1->viewport()->mapToGlobal(item));
    deliver();
    mouse(picker->List1->viewport(), mouseAt, QEvent::MouseButtonPress, 1000, item);
    mouse(entry->Command12, mouseAt, QEvent::MouseButtonRelease, 1060);
    click(entry->Command12, mouseAt, 1150);
    deliver();
    EXPECT_TRUE(taken("Huber, Max", "4b"));
    EXPECT_EQ(entry->Text2->text().toStdString(), "11.03.2026");
    click(entry->Command12, mouseAt, 1750);
    deliver();
    EXPECT_EQ(entry->Text2->text().toStdString(), "12.03.2026");
}
