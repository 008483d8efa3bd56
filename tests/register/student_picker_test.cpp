#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "register/entry_window.h"
#include "register/student_picker.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {
constexpr std::uint32_t kGreen = 0xC0FFC0;

class StudentPickerTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        main = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        gStudentCount = 0;
        addStudent("Maier, Anna", "4A");
        addStudent("Huber, Max", "4b");
        addStudent("Berger, Eva", "14C");
        addStudent("Gruber, Tim", "3A");
    }

    void addStudent(const QString& name, const QString& cls)
    {
        ++gStudentCount;
        gStudentNames(gStudentCount) = name;
        gStudentClass(gStudentCount) = cls;
    }

    // Enter in the student field opens the picker, or returns to it; its
    // activation lists the matches.
    Form3* pick(const QString& student, const QString& cls)
    {
        main->Text7->setText(student);
        main->Text3->setText(cls);
        main->activate();
        QTest::keyClick(main->Text7, Qt::Key_Return);
        return forms::ifOpen<Form3>();
    }

    QStringList names() const
    {
        QStringList out;
        for (const QString& item : forms::ifOpen<Form3>()->List1->items())
            out << item.left(item.indexOf(QLatin1Char(' '), item.indexOf(QLatin1Char(' ')) + 1));
        return out;
    }

    Form1* main = nullptr;
};
}

TEST_F(StudentPickerTest, ASingleMatchIsTakenAtOnce)
{
    pick("  anna ", "");
    EXPECT_FALSE(forms::isOpen<Form3>());
    EXPECT_EQ(main->Text7->text(), "Maier, Anna");
    EXPECT_EQ(main->Text3->text(), "4A");
    EXPECT_EQ(controls::backColor(main->Text7), kGreen);
    EXPECT_EQ(controls::backColor(main->Text3), kGreen);
    EXPECT_TRUE(gEntryClass == "");
}

TEST_F(StudentPickerTest, FiltersMatchAnywhereIgnoringCase)
{
    Form3* picker = pick("", "4");
    EXPECT_EQ(names(), QStringList({"Maier, Anna", "Huber, Max", "Berger, Eva"}));
    EXPECT_EQ(picker->List1->List(1), "Huber, Max 4b" + QString(60, ' ') + "2");
    EXPECT_TRUE(gEntryClass == "4");

    pick("er", " 4 ");
    EXPECT_EQ(names(), QStringList({"Maier, Anna", "Huber, Max", "Berger, Eva"}));
    pick("ER", "a");
    EXPECT_EQ(names(), QStringList({"Maier, Anna", "Gruber, Tim"}));
    EXPECT_TRUE(gEntryClass == "A");

    pick("niemand", "");
    EXPECT_TRUE(forms::ifOpen<Form3>()->List1->items().isEmpty());
    forms::ifOpen<Form3>()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form3>());
    EXPECT_EQ(main->Text7->text(), "niemand");
}

TEST_F(StudentPickerTest, TheListIsRebuiltAtEachActivation)
{
    pick("", "4");
    EXPECT_EQ(names().size(), 3);
    main->Text3->setText("14");
    main->activate();
    forms::ifOpen<Form3>()->activate();
    EXPECT_FALSE(forms::isOpen<Form3>());
    EXPECT_EQ(main->Text7->text(), "Berger, Eva");
    EXPECT_EQ(main->Text3->text(), "14C");
}

TEST_F(StudentPickerTest, AClickTakesTheStudentNumberedInTheItem)
{
    while (gStudentCount < 998)
        addStudent(QStringLiteral("Schüler %1").arg(gStudentCount + 1), "1A");
    addStudent("Zeller, Ida", "2B");
    addStudent("Zeller, Ulf", "2C");
    Form3* picker = pick("zeller", "");
    ASSERT_EQ(picker->List1->ListCount(), 2);
    EXPECT_TRUE(picker->List1->List(1).endsWith(QString(60, ' ') + "1000"));
    picker->List1->setListIndex(1);
    EXPECT_FALSE(forms::isOpen<Form3>());
    EXPECT_EQ(main->Text7->text(), "Zeller, Ulf");
    EXPECT_EQ(main->Text3->text(), "2C");
    EXPECT_TRUE(gCounter == 1000);
}

TEST_F(StudentPickerTest, ClosesOnLogoutAndWithTheMainWindowKeepingItsPosition)
{
    ASSERT_NE(pick("", "4"), nullptr);
    setNow(Clock::now().addSecs(601));
    main->Timer1_Timer();
    EXPECT_FALSE(forms::isOpen<Form3>());

    Form3* picker = pick("", "4");
    ASSERT_NE(picker, nullptr);
    picker->move(200, 100);
    main->unload();
    EXPECT_FALSE(forms::isOpen<Form3>());
    EXPECT_EQ(gWindowLeft(3), 3000.0f);
    EXPECT_TRUE(gWindowTop(3) == 1500);
    EXPECT_EQ(readLines("qzTopLeft.dat").size(), 140);
}
