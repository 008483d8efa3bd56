#include "register/week_overview.h"

#include "admin/register_print.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/units.h"
#include "register/class_day_view.h"
#include "register/class_search.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/school_week.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr controls::Font kLabelFont{"Arial", 8.25, true};
constexpr controls::Font kCountFont{"Arial", 9};
constexpr controls::Font kNoticeFont{"Lucida Console", 9};

std::uint32_t backColour(int index) { return static_cast<std::uint32_t>(gBackColours(index).toInt()); }

QString subjectAbbreviation(short subject)
{
    if (subject < 1 || subject > gSubjectNames.upper(0))
        return {};
    return gSubjectNames(subject, 2);
}

void addExpected(QList<SubjectTally>& tallies, const QString& subject)
{
    if (subject.isEmpty())
        return;
    for (const SubjectTally& t : tallies) {
        if (t.subject == subject)
            return;
    }
    tallies.append({subject, 0});
}

// The timetabled subjects of the week, in the order of day, period and group
// row, leaving out the days that are free for the class.
QList<SubjectTally> expectedSubjects(const QDate& monday, int cls, const QString& classText, DayCache& days)
{
    QList<SubjectTally> tallies;
    for (int d = 1; d <= 6; ++d) {
        if (IsFreeDay(days.lines(monday.addDays(d - 1)), classText))
            continue;
        for (int p = 1; p <= 11; ++p) {
            addExpected(tallies, subjectAbbreviation(gTimetable(d, p, cls, 0)));
            addExpected(tallies, subjectAbbreviation(gTimetable(d, p, cls, 1)));
        }
    }
    return tallies;
}

// Counts the lesson content of the class among a day's lines into the tallies;
// returns how many such lines the day has.
int countLessonContent(const QStringList& lines, const QString& classText, QList<SubjectTally>& tallies)
{
    int n = 0;
    for (const QString& line : lines) {
        if (LineKind(line) != QLatin1String("03") || !IsLineOfClass(line, classText))
            continue;
        ++n;
        const QString subject = TrimBlanks(LineSubject(line));
        for (SubjectTally& t : tallies) {
            if (t.subject == subject)
                ++t.count;
        }
    }
    return n;
}

// "Mo ABC      Elternabend": weekday, short name as stored, text.
void listWeekItem(Form17& f, int dayIndex, const QString& line, const QString& classText)
{
    if (!ConcernsClass(line, classText))
        return;
    const QString kind = LineKind(line);
    const QString item = gDayShortNames(dayIndex + 1) + QLatin1Char(' ') + NoticeItem(line);
    if (kind == QLatin1String("05") || kind == QLatin1String("06"))
        f.List3->AddItem(item);
    else if (kind == QLatin1String("07") || kind == QLatin1String("08"))
        f.List4->AddItem(item);
}

void showTallies(Form17& f, const QList<SubjectTally>& tallies)
{
    f.List1->Clear();
    f.List2->Clear();
    controls::setBackColor(f.List2, backColour(4));
    for (const SubjectTally& t : tallies) {
        if (t.count > 0)
            f.List1->AddItem(QString::number(t.count) + QLatin1String(" x ") + t.subject);
        else
            f.List2->AddItem(t.subject);
    }
    if (f.List2->ListCount() == 0) {
        f.List2->AddItem(QStringLiteral("nichts fehlt!"));
        controls::setBackColor(f.List2, backColour(6));
    }
}

void fillWeekOverview(Form17& f, const QString& dateText, const QString& classText)
{
    // Without a valid date there is no week to show; the window keeps what it shows.
    const std::optional<QDate> workDate = dates::parse(dateText);
    if (!workDate)
        return;
    f.List3->Clear();
    f.List4->Clear();
    gWorkDate = dateText;
    const QDate monday = SchoolWeekMonday(*workDate);
    f.Label1->setText(dates::shortText(monday));
    f.Label2->setText(dates::shortText(monday.addDays(4)));

    gEntryClass = classText;
    const int cls = FindClassNumber(classText);
    if (cls == 0)
        return;
    f.setWindowTitle(QStringLiteral("Wochenübersicht ") + classText);

    DayCache days;
    const QList<SubjectTally> tallies = TallyWeek(monday, cls, classText, days);
    for (int i = 0; i < 6; ++i) {
        for (const QString& line : days.lines(monday.addDays(i)))
            listWeekItem(f, i, line, classText);
    }
    // The tallies would count the day's lessons as missing content.
    for (const QString& notice : days.unreadable())
        f.List3->AddItem(notice);
    showTallies(f, tallies);
}
}

Form17::Form17() : FormBase(17)
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Wochenübersicht"));
    Label3 = controls::label(this, "Label3", QStringLiteral("Einträge vom"), kLabelFont);
    Label1 = controls::label(this, "Label1", QString(), kLabelFont);
    Label4 = controls::label(this, "Label4", QStringLiteral("bis zum"), kLabelFont);
    Label2 = controls::label(this, "Label2", QString(), kLabelFont);
    Label5 = controls::label(this, "Label5", QStringLiteral("Stoffeinträge"), kLabelFont);
    List1 = controls::list(this, "List1", kCountFont);
    Label6 = controls::label(this, "Label6", QStringLiteral("fehlende Einträge"), kLabelFont);
    List2 = controls::list(this, "List2", kCountFont);
    Label7 = controls::label(this, "Label7", QStringLiteral("Info"), kLabelFont);
    List3 = controls::list(this, "List3", kNoticeFont);
    Label8 = controls::label(this, "Label8", QStringLiteral("Termine"), kLabelFont);
    List4 = controls::list(this, "List4", kNoticeFont);
    place(Label3, 120, 120, 1200, 285);
    place(Label1, 1320, 120, 1320, 285);
    place(Label4, 2760, 120, 840, 285);
    place(Label2, 3600, 120, 1320, 285);
    place(Label5, 120, 480, 3000, 285);
    place(List1, 120, 780, 3000, 2400);
    place(Label6, 3240, 480, 3000, 285);
    place(List2, 3240, 780, 3000, 2400);
    place(Label7, 120, 3300, 3000, 285);
    place(List3, 120, 3600, 6120, 2400);
    place(Label8, 120, 6120, 3000, 285);
    place(List4, 120, 6420, 6120, 2400);
    controls::setBackColor(List1, 0xC0FFC0);
    controls::setBackColor(List2, 0xC0C0FF);

    Command1 = controls::button(this, "Command1", QStringLiteral("drucken"));
    place(Command1, 120, 8940, 1500, 375);
    Command10 = controls::button(this, "Command10", QStringLiteral("exit"));
    place(Command10, 4740, 8940, 1500, 375);
    connect(Command1, &QPushButton::clicked, this, &Form17::Command1_Click);
    connect(Command10, &QPushButton::clicked, this, &Form17::Command10_Click);
    resize(units::twipsToPixels(6360), units::twipsToPixels(9480));
}

void Form17::Form_Activate() { FillWeekOverview(); }

void Form17::Command1_Click() { forms::show<Form70>(); }

void Form17::Command10_Click() { unload(); }

void FillWeekOverview()
{
    Form17* f = forms::get<Form17>();
    fillWeekOverview(*f, entryfields::dateText(), entryfields::classText());
}

const QStringList& DayCache::lines(const QDate& day)
{
    auto it = m_days.find(day);
    if (it == m_days.end()) {
        DayRead read = LoadDay(DayFilePath(day));
        if (!read.unreadable.isEmpty())
            m_unreadable << read.unreadable;
        it = m_days.insert(day, std::move(read.lines));
    }
    return *it;
}

QList<SubjectTally> TallyWeek(const QDate& monday, int cls, const QString& classText, DayCache& days)
{
    QList<SubjectTally> tallies = expectedSubjects(monday, cls, classText, days);
    int classEntries = 0;
    for (int i = 0; i < 6; ++i)
        classEntries += countLessonContent(days.lines(monday.addDays(i)), classText, tallies);
    gClassEntryCount = static_cast<short>(qMin(classEntries, 32767));
    return tallies;
}
