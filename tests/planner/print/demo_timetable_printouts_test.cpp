#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidgetItem>
#include <QPushButton>

// The week timetables of the demo school printed as a user prints them,
// into PDF files: each run one file, read back with poppler's tools.
class DemoTimetablePrintoutsTest : public ModelTest {
protected:
    PrinterReset m_printer;

    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
        ASSERT_EQ(gPlanName, "1");
        ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
        f = forms::show<Form14>();
    }
    // Prints through `button` and gives the file the run went to.
    QString print(QPushButton* button)
    {
        const QStringList before = QDir(path("Ausdrucke")).entryList(QDir::Files);
        button->click();
        QStringList after = QDir(path("Ausdrucke")).entryList(QDir::Files);
        for (const QString& name : before)
            after.removeAll(name);
        EXPECT_EQ(after.size(), 1) << button->text().toStdString();
        return after.isEmpty() ? QString() : path("Ausdrucke/" + after.first());
    }
    // "842 x 595" for A4 landscape: the first page's size in whole points.
    static QString pageSize(const QString& file)
    {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                              .match(runTool(QStringLiteral("pdfinfo"), {file}));
        return m.hasMatch() ? QStringLiteral("%1 x %2").arg(qRound(m.captured(1).toDouble())).arg(
                                  qRound(m.captured(2).toDouble()))
                            : QString();
    }
    // The words of the PDF's text, one blank between them.
    static QString words(const QString& file) { return pdfText(file).simplified(); }
    // The abbreviation of the first lesson of class k on Monday.
    static QString firstLesson(int k)
    {
        for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p) {
            if (const int s = gTimetable(1, p, k, 0); s != 0)
                return gSubjectNames(s, 2);
        }
        return {};
    }

    Form14* f = nullptr;
};

TEST_F(DemoTimetablePrintoutsTest, ClassWeekPagesOnA4AndOnTheA3Pdf)
{
    f->List2->item(0)->setSelected(true);
    f->List2->item(1)->setSelected(true);
    const QString a4 = print(f->Command25);
    EXPECT_EQ(pdfPageCount(a4), 2);
    EXPECT_EQ(pageSize(a4), "842 x 595");
    const QString text = words(a4);
    EXPECT_TRUE(text.contains("Stundenplan - 5a -")) << text.toStdString();
    EXPECT_TRUE(text.contains("Stundenplan - 5b -"));
    EXPECT_TRUE(text.contains(firstLesson(1)));
    EXPECT_TRUE(text.contains("Klassenvorstand"));

    printer().choosePrinter("PDF-Datei A3");
    forms::show<Form14>();
    f->List4->setListIndex(2);
    const QString a3 = print(f->Command16);
    EXPECT_EQ(pdfPageCount(a3), 1);
    EXPECT_EQ(pageSize(a3), "1191 x 842");
    EXPECT_TRUE(words(a3).contains("Stundenplan - 6a -"));
    EXPECT_TRUE(words(a3).contains("Programm: VORDA V1.28a"));
    EXPECT_TRUE(f->Label5->text().startsWith("Der Ausdruck steht in der Datei"));
}

TEST_F(DemoTimetablePrintoutsTest, WeekPlanBlocksOfTeachersAndClasses)
{
    for (int i = 0; i < 4; ++i)
        f->List1->item(i)->setSelected(true);
    const QString three = print(f->Command4);
    EXPECT_EQ(pdfPageCount(three), 2);
    EXPECT_EQ(pageSize(three), "595 x 842");
    EXPECT_TRUE(words(three).contains(gTeacherNames(ListItemTeacher(f->List1->List(3))).toString()));
    EXPECT_TRUE(words(three).contains("Montag"));

    const QString twelve = print(f->Command20);
    EXPECT_EQ(pdfPageCount(twelve), 1);

    f->List2->item(0)->setSelected(true);
    const QString classes = print(f->Command6);
    EXPECT_EQ(pdfPageCount(classes), 1);
    EXPECT_EQ(pageSize(classes), "595 x 842");
    EXPECT_EQ(words(classes).count("5a"), 3);
    EXPECT_TRUE(words(classes).contains(firstLesson(1)));
}

TEST_F(DemoTimetablePrintoutsTest, RoomSheetsAndOneDayOverviews)
{
    f->Command22->click();
    const QString rooms = print(f->Command21);
    EXPECT_EQ(pageSize(rooms), "595 x 842");
    EXPECT_GE(pdfPageCount(rooms), 1);
    ASSERT_FALSE(f->List5->selectedItems().isEmpty());
    EXPECT_TRUE(words(rooms).contains(f->List5->selectedItems().first()->text()));

    f->List3->setListIndex(0);
    const QString classes = print(f->Command11);
    EXPECT_EQ(pdfPageCount(classes), 1);
    EXPECT_EQ(pageSize(classes), "595 x 842");
    EXPECT_TRUE(words(classes).contains("Gesamtstundenplan - Montag - " + gSchoolName.toString()));
    EXPECT_TRUE(words(classes).contains("10a"));

    const QString staff = print(f->Command12);
    EXPECT_EQ(pdfPageCount(staff), 1);
    EXPECT_TRUE(words(staff).contains("Personalstundenplan - Montag -"));
}
