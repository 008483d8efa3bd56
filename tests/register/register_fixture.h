#pragma once
// What the register tests share: day-file lines composed by the engine (whose
// bytes the day-file tests check column by column), and the main window Form1
// started on the data folder, whose fields the register windows read.
#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/forms.h"
#include "register/class_day_view.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QTest>

struct Entry {
    QString kind{};
    QString cls = QStringLiteral("3A");
    QString text{};
    QString shortName = QStringLiteral("ABC");
    QString period = QStringLiteral("1");
    QString subject = QStringLiteral("M");
    QString student{};
    QString room{};
    QString stamp = QStringLiteral("202603110930");
};

inline QString entryLine(const Entry& e)
{
    gEntryStamp = e.stamp;
    gUserShort = e.shortName;
    gEntryKind = e.kind;
    gEntryClass = e.cls;
    gEntrySubject = e.subject;
    gEntryPeriod = e.period;
    gEntryStudent = e.student;
    gEntryRoom = e.room;
    gEntryText = e.text;
    return ComposeEntryLine();
}

inline QString removalLine(int lineNumber, const QString& shortName = QStringLiteral("ABC"))
{
    gEntryStamp = QStringLiteral("202603111000");
    gUserShort = shortName;
    return ComposeRemovalLine(lineNumber);
}

// A lesson content entry.
inline QString contentLine(const QString& subject, const QString& shortName = QStringLiteral("ABC"),
                           const QString& cls = QStringLiteral("4A"), const QString& text = QStringLiteral("Stoff"))
{
    return entryLine({.kind = "03", .cls = cls, .text = text, .shortName = shortName, .subject = subject});
}

// An entry about a student: "01" absent, "02" back again.
inline QString studentLine(const QString& cls, const QString& student, const QString& kind = QStringLiteral("01"))
{
    return entryLine({.kind = kind, .cls = cls, .student = student});
}

class RegisterTest : public ModelTest {
protected:
    Form1* entry = nullptr;

    // Starts the main window in `folder` (the data folder unless another is
    // named), then points the data path back at the temporary folder.
    Form1* startEntryWindow(const QString& folder = QString())
    {
        // A main window that refused to close at the end of an earlier test in
        // the same run is still open.
        if (Form1* open = forms::ifOpen<Form1>())
            return entry = open;
        const QString here = QDir::currentPath();
        QDir::setCurrent(folder.isEmpty() ? m_dir.path() : folder);
        entry = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        return entry;
    }

    Form1* typeIntoEntryWindow(const QString& date, const QString& cls)
    {
        startEntryWindow();
        entry->Text2->setText(date);
        entry->Text3->setText(cls);
        return entry;
    }

    // A window over the date and class typed into the main window.
    template <class F>
    F* showFor(const QString& date, const QString& cls)
    {
        typeIntoEntryWindow(date, cls);
        return forms::show<F>();
    }

    Form6* openDayView(const QString& date, const QString& cls)
    {
        Form6* f = showFor<Form6>(date, cls);
        FillClassDayInfo();
        return f;
    }

    void writeDay(const QDate& day, const QStringList& lines) const { writeLines(dayFile(day), lines); }
    // As another PC writes.
    void appendToDay(const QDate& day, const QString& line) const
    {
        ASSERT_TRUE(datafile::appendLine(path(dayFile(day)), line));
    }
    static QString dayFile(const QDate& day) { return day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".qz"); }
};

// A small school for the week views and the reminder: classes 4A and 4B,
// subjects M, E and D.
class WeekSchoolTest : public RegisterTest {
protected:
    enum Subject : short { M = 1, E = 2, D = 3 };

    void SetUp() override
    {
        RegisterTest::SetUp();
        startEntryWindow();
        gClassNames(1) = "4A";
        gClassNames(2) = "4B";
        gSubjectNames(M, 2) = "M";
        gSubjectNames(E, 2) = "E";
        gSubjectNames(D, 2) = "D";
    }

    // Weekday 1 = Monday, class 1 = 4A.
    static void lesson(int day, int period, short subject, int row = 0, int cls = 1)
    {
        gTimetable(day, period, cls, row) = subject;
    }
};
