#include "core/model.h"
#include "platform/controls.h"
#include "register/entry_window.h"
#include "register/student_picker.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {
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
        for (const char* s : {"Maier, Anna|4A", "Huber, Max|4b", "Berger, Eva|14C", "Gruber, Tim|3A"})
            addStudent(QString::fromUtf8(s).section('|', 0, 0), QString::fromUtf8(s).section('|', 1));
    }

    void addStudent(const QString& name, const QString& cls)
    {
        ++gStudentCount;
        gStudentNames(gStudentCount) = name;
        gStudentClass(gStudentCount) = cls;
    }

    // Enter in the student field opens the picker, or returns to it.
    Form3* pick(const QString& student, const QString& cls)
    {
        main->Text7->setText(student);
        main->Text3->setText(cls);
        main->activate();
        QTest::keyClick(main->Text7, Qt::Key_Return);
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
        return !forms::isOpen<Form3>() && main->Text7->text() == name && main->Text3->text() == cls
               && controls::backColor(main->Text7) == 0xC0FFC0 && controls::backColor(main->Text3) == 0xC0FFC0;
    }

    Form1* main = nullptr;
};
}

TEST_F(StudentPickerTest, FiltersMatchAnywhereAndASingleMatchIsTakenAtOnce)
{
    Form3* picker = pick("", "4");
    EXPECT_EQ(listed(), QStringList({"Maier", "Huber", "Berger"}));
    EXPECT_EQ(picker->List1->List(1), "Huber, Max 4b" + QString(60, ' ') + "2");
    pick("ER", " a ");
    EXPECT_EQ(listed(), QStringList({"Maier", "Gruber"}));
    pick("niemand", "");
    EXPECT_TRUE(listed().isEmpty());

    // Back in the picker after a change, the list follows the fields.
    main->Text7->setText(" eva ");
    main->activate();
    picker->activate();
    EXPECT_TRUE(taken("Berger, Eva", "14C"));
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
