#include "core/model.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "register/class_day_view.h"
#include "register/entry_window.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
const std::uint32_t kGreen = 0xC0FFC0;
const std::uint32_t kLightRed = 0xC0C0FF;

QString pad(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' ')); }

// What each kind of entry is written from, and the line it must give.
struct KindCase {
    int option;
    QString cls, period, subject, student, text;
    int room; // list position counted from 1, 0 for none
    QString line;
};

const QString kHead = QStringLiteral("202603110930MÜL     ");

std::vector<KindCase> kindCases()
{
    const QString anna = pad("Anna Berger", 50);
    return {
        {0, "4a", "3", "", "Anna Berger", "", 0, kHead + "01" + pad("4a", 8) + pad("", 8) + "3 " + anna},
        {1, "4a", "3.", "", "Anna Berger", "8:20", 0, kHead + "02" + pad("4a", 8) + pad("", 8) + "3 " + anna + "8:20"},
        {2, "4a", "3", "deu", "", " Bruchrechnen ", 0, kHead + "03" + pad("4a", 8) + pad("DEU", 8) + "3 " + "Bruchrechnen"},
        {3, "4a", "", "", "Anna Berger", "stört", 0, kHead + "04" + pad("4a", 8) + pad("", 8) + "  " + anna + "stört"},
        {4, "4a", "", "", "", "Elternbrief", 0, kHead + "05" + pad("4a", 8) + pad("", 8) + "  " + "Elternbrief"},
        {5, "4a", "", "", "", "Feueralarm", 0, kHead + "06" + pad("4a", 8) + pad("", 8) + "  " + "Feueralarm"},
        {6, "4a", "", "", "", "Wandertag", 0, kHead + "07" + pad("4a", 8) + pad("", 8) + "  " + "Wandertag"},
        {7, "", "", "", "", "Konferenz", 0, kHead + "08" + pad("", 8) + pad("", 8) + "  " + "Konferenz"},
        {8, "4a", "11", "M", "", "Beamer", 2, kHead + "09" + pad("4a", 8) + pad("M", 8) + "11" + "  2" + "Beamer"},
    };
}

void enter(TextBox* field, const QString& text)
{
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}
}

class EntryWritingTest : public ModelTest {
protected:
    Form1* start()
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        Form1* f = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        gTeacherShort(7) = "MÜL";
        gClassNames(3) = "4A";
        gSubjectNames(1, 2) = "M";
        gSubjectNames(2, 2) = "DEU";
        gRoomCount = 2;
        gRoomNames(1) = "Turnsaal";
        gRoomNames(2) = "EDV 1";
        f->FillRoomList();
        return f;
    }

    // Fills the fields the way a teacher does, from empty fields.
    Form1* compose(const KindCase& c)
    {
        Form1* f = start();
        enter(f->Text1, "mül");
        if (!c.cls.isEmpty())
            enter(f->Text3, c.cls);
        if (!c.period.isEmpty())
            enter(f->Text4, c.period);
        if (!c.subject.isEmpty())
            enter(f->Text5, c.subject);
        f->Option1[c.option]->click();
        if (!c.student.isEmpty())
            chooseStudent(f, c.student);
        if (c.room > 0)
            f->List1->setListIndex(c.room - 1);
        f->Text6->setText(c.text);
        return f;
    }

    // What the student picker leaves in the entry window.
    static void chooseStudent(Form1* f, const QString& name)
    {
        f->Text7->setText(name);
        controls::setBackColor(f->Text7, kGreen);
    }
};

TEST_F(EntryWritingTest, EachKindWritesItsLine)
{
    for (const KindCase& c : kindCases()) {
        SCOPED_TRACE(c.option);
        Form1* f = compose(c);
        f->Command9->click();
        ASSERT_TRUE(f->Command1->isEnabled());
        f->Command1->click();
        EXPECT_EQ(readLines("20260311.qz").join('|').toStdString(), c.line.toStdString());
        EXPECT_EQ(readBytes("20260311.qz").right(2), "\r\n");
        EXPECT_EQ(f->Text6->text(), "");
        EXPECT_EQ(f->Text7->text(), "");
        EXPECT_FALSE(f->Command1->isEnabled());
        EXPECT_TRUE(f->Option1[c.option]->isChecked());
        QFile::remove(path("20260311.qz"));
        forms::unloadAll();
    }
}

TEST_F(EntryWritingTest, TheNextEntryOfTheLessonNeedsOnlyANewText)
{
    Form1* f = compose(kindCases()[2]);
    f->Command9->click();
    f->Command1->click();
    f->Text6->setText("Textaufgaben");
    f->Command9->click();
    f->Command1->click();
    const QStringList lines = readLines("20260311.qz");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith("DEU     3 Textaufgaben"));
    EXPECT_EQ(f->Text3->text(), "4a");
    EXPECT_EQ(f->Text5->text(), "DEU");
}

TEST_F(EntryWritingTest, GoesIntoTheFileOfTheWorkingDate)
{
    setNow(QDateTime(QDate(2015, 3, 3), QTime(8, 5, 42)));
    Form1* f = compose(kindCases()[2]);
    f->Text2->setText("10.3.15");
    f->Command9->click();
    f->Command1->click();
    const QStringList lines = readLines("20150310.qz");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("201503030805MÜL     03"));
    EXPECT_FALSE(QFile::exists(path("20150303.qz")));
}

TEST_F(EntryWritingTest, AFieldChangedAfterTheCheckWritesNothing)
{
    const KindCase lesson = kindCases()[2];
    Form1* f = compose(lesson);
    f->Command9->click();
    f->Text5->setText("DE");
    f->Command1->click();
    EXPECT_FALSE(f->Command1->isEnabled());

    enter(f->Text5, "DEU");
    f->Command9->click();
    f->Option1[3]->click();
    f->Command1->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "the new kind needs a student";

    f->Option1[2]->click();
    f->Command9->click();
    f->Text1->setText("ABC");
    f->Option1[4]->click();
    f->Command1->click();
    EXPECT_FALSE(QFile::exists(path("20260311.qz")));
    EXPECT_EQ(f->Text6->text(), lesson.text);
}

TEST_F(EntryWritingTest, AFailedAppendKeepsTheEntry)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("20260311.qz"));
    const KindCase absence = kindCases()[3];
    Form1* f = compose(absence);
    f->Command9->click();
    f->Command1->click();
    EXPECT_EQ(f->Text6->text(), absence.text);
    EXPECT_EQ(f->Text7->text(), absence.student);
    EXPECT_EQ(controls::backColor(f->Text6), kLightRed);
    EXPECT_EQ(controls::backColor(f->Text7), kGreen);
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "the failure stays visible until the text changes";
    f->Text6->setText(absence.text);
    EXPECT_EQ(controls::backColor(f->Text6), kGreen);
}

TEST_F(EntryWritingTest, TheClassDayViewShowsTheNewEntry)
{
    Form1* f = compose(kindCases()[2]);
    Form6* view = forms::ifOpen<Form6>();
    ASSERT_NE(view, nullptr) << "an accepted class opens its day view";
    f->Command9->click();
    f->Command1->click();
    ASSERT_EQ(view->List1->ListCount(), 1);
    EXPECT_TRUE(view->List1->List(0).endsWith("MÜL      DEU      Bruchrechnen"));
}

TEST_F(EntryWritingTest, ActivationCountsTodaysAbsentStudents)
{
    Form1* f = start();
    EXPECT_EQ(f->Command17->text(), "0 - 0");
    gStudentCount = 3;
    gStudentNames(1) = "Anna Berger";
    gStudentClass(1) = "4A";
    gStudentNames(2) = "Ben Kurz";
    gStudentClass(2) = "4A";
    gStudentNames(3) = "Cem Ay";
    gStudentClass(3) = "3B";
    const QString head = "202603110800ABC     ";
    writeLines("20260311.qz", {
                                  head + "01" + pad("4A", 16) + "1 " + pad("Anna Berger", 50),
                                  head + "01" + pad("3B", 16) + "1 " + pad("Cem Ay", 50),
                                  head + "02" + pad("3B", 16) + "2 " + pad("Cem Ay", 50),
                              });
    writeLines("20260310.qz", {head + "01" + pad("4A", 16) + "1 " + pad("Ben Kurz", 50)});
    f->Text2->setText("10.03.2026");
    gSchoolName = "Testschule am See";
    f->Form_Activate();
    EXPECT_EQ(f->Command17->text(), "3 - 1");
    EXPECT_EQ(gStudentAbsent(1), 1);
    EXPECT_EQ(f->Label1->text(), "Testschule am See");
}
