#include "register/content_reminder.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/input_guard.h"
#include "platform/runtime.h"
#include "platform/units.h"
#include "register/absent_students.h"
#include "register/class_search.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/school_week.h"
#include "register/week_overview.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// How far back the teacher who last entered a subject's content is looked for.
constexpr int kLookBackDays = 60;

constexpr controls::Font kLabelFont{"Arial", 8.25, true};

// A missing subject and who entered its content last ("" when nobody did).
struct MissingSubject {
    QString subject;
    QString teacher;
};

QString userShort() { return TrimBlanks(gUserShort); }

bool isExceptionTeacher()
{
    for (int i = 1; i <= 3; ++i) {
        const QString exception = TrimBlanks(gExceptionTeachers(i));
        if (!exception.isEmpty() && exception == userShort())
            return true;
    }
    return false;
}

// The teacher of the newest lesson content of the class and subject in the
// days before today, substitute lessons left out.
QString responsibleTeacher(DayCache& days, const QString& classText, const QString& subject)
{
    gSearchSubject = subject;
    gSearchClass = classText;
    const QDate today = Clock::today();
    for (int k = 1; k <= kLookBackDays; ++k) {
        const QString found = LessonContentAuthor(days.lines(today.addDays(-k)), classText, subject);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// The name the message greets: the part of the teacher's full name after its
// first blank, or the short name when the teacher has no full name.
QString greetingName()
{
    QString name = userShort();
    for (int t = 1; t <= 60; ++t) {
        if (gTeacherShort(t) == userShort() && !gTeacherNames(t).toString().isEmpty())
            name = gTeacherNames(t).toString();
    }
    const int blank = name.indexOf(QLatin1Char(' '));
    return blank < 0 ? name : name.mid(blank + 1);
}

// Whether the user is the class's form teacher. The class is the last one whose
// print name or name is the class text as typed, else the one found by name in
// any case; a form-teacher number outside the teachers' table is no teacher.
bool isFormTeacher(const QString& classText, int foundClass)
{
    int cls = foundClass;
    for (int c = 1; c <= 24; ++c) {
        if (gClassPrintNames(c) == classText || gClassNames(c).toString() == classText)
            cls = c;
    }
    const int teacher = gFormTeacher(cls);
    if (teacher < 1 || teacher > 60)
        return false;
    const QString formTeacher = TrimBlanks(gTeacherShort(teacher));
    return !formTeacher.isEmpty() && formTeacher.toUpper() == userShort().toUpper();
}

QString ownGapMessage(const QString& name, const QString& subject, const QString& classText)
{
    const QString what = subject + QLatin1Char(' ') + classText;
    switch (static_cast<int>(3 * Rnd()) + 1) {
    case 1:
        return QStringLiteral("Hallo ") + name + QStringLiteral(", in der Vorwoche wäre noch Stoff für ") + what
               + QStringLiteral(" einzutragen.");
    case 2:
        return QStringLiteral("Hallo ") + name
               + QStringLiteral(", mir ist aufgefallen, dass in der Vorwoche noch ein Stoffeintrag für ") + what
               + QStringLiteral(" fehlt.");
    default:
        return name + QStringLiteral(", ich würde mich freuen, wenn du in der Vorwoche noch einen Stoffeintrag für ")
               + what + QStringLiteral(" machen könntest.");
    }
}

// The message for a teacher without gaps of their own: the form teacher hears
// from Wednesday to Saturday, everybody else on Friday and Saturday; "" for
// silence. Weekdays count Monday = 1.
QString othersMessage(int weekday, bool formTeacher, const QString& name, const QString& classText)
{
    if (weekday < 3 || weekday > 6)
        return {};
    if (formTeacher)
        return QStringLiteral("Hallo ") + name + QStringLiteral(", nachdem du KV in der ") + classText
               + QStringLiteral(" bist, möchte ich dir zeigen, wer in der Vorwoche noch keinen Stoff eingetragen hat.")
               + QStringLiteral(" Eventuell findest du die Zeit, die säumigen KollegInnen darauf anzusprechen :)");
    if (weekday < 5)
        return {};
    return QStringLiteral("In diesem Klassenbuch wäre noch ein wenig Stoff in der Vorwoche einzutragen.")
           + QStringLiteral(" Du bist meine letzte Hoffnung, die säumigen KollegInnen darauf anzusprechen :)");
}

QList<MissingSubject> missingSubjects(const QList<SubjectTally>& tallies, DayCache& days, const QString& classText)
{
    QList<MissingSubject> missing;
    for (const SubjectTally& t : tallies) {
        if (t.count < 1)
            missing.append({t.subject, responsibleTeacher(days, classText, t.subject)});
    }
    return missing;
}

void listMissing(Form11& f, const QList<MissingSubject>& missing)
{
    f.List2->Clear();
    controls::setBackColor(f.List2, static_cast<std::uint32_t>(gBackColours(4).toInt()));
    for (const MissingSubject& m : missing) {
        if (m.teacher.isEmpty())
            f.List2->AddItem(m.subject);
        else
            f.List2->AddItem(m.subject + QStringLiteral("  < --  ") + m.teacher);
    }
}

// The last missing subject that the user entered last, or "".
QString ownGap(const QList<MissingSubject>& missing)
{
    QString subject;
    for (const MissingSubject& m : missing) {
        if (!m.teacher.isEmpty() && m.teacher == userShort())
            subject = m.subject;
    }
    return subject;
}

void remind(Form11& f, const QString& classText)
{
    const QDate today = Clock::today();
    const QDate monday = SchoolWeekMonday(today).addDays(-7);
    f.Label1->setText(dates::shortText(monday));
    f.Label2->setText(dates::shortText(monday.addDays(4)));

    gCheckOk = 0;
    gEntryClass = classText;
    if (classText.size() < 2)
        return;
    const int cls = FindClassNumber(classText);
    if (cls == 0)
        return;

    DayCache days;
    const QList<SubjectTally> tallies = TallyWeek(monday, cls, classText, days);
    if (tallies.isEmpty() || isExceptionTeacher()) {
        f.unload();
        return;
    }

    const QList<MissingSubject> missing = missingSubjects(tallies, days, classText);
    listMissing(f, missing);
    const QString gap = ownGap(missing);
    gCheckOk = gap.isEmpty() ? 0 : 1;
    const QString name = greetingName();
    const QString message =
        gap.isEmpty() ? othersMessage(dates::weekday(today), isFormTeacher(classText, cls), name, classText)
                      : ownGapMessage(name, gap, classText);
    if (message.isEmpty())
        return;
    // A day that could not be read looks like a day without lesson content.
    f.Text1->setPlainText(days.unreadable().isEmpty() ? message
                                                      : message + QStringLiteral("\n\n") + days.unreadable().join('\n'));
    if (!missing.isEmpty())
        f.showBeside();
}
}

Form11::Form11() : FormBase(0)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Stoffeintrag fehlt"));
    // Comes up by itself above the window the user works in, which keeps
    // the keyboard.
    setWindowFlag(Qt::Dialog);
    Text1 = controls::named<QPlainTextEdit>(this, "Text1");
    Text1->setReadOnly(true);
    controls::setBackColor(Text1, 0xC0FFFF);
    controls::setFont(Text1, {"Comic Sans MS", 12});
    place(Text1, 120, 120, 5400, 1800);
    Label3 = controls::label(this, "Label3", QStringLiteral("Woche vom"), kLabelFont);
    Label1 = controls::label(this, "Label1", QString(), kLabelFont);
    Label4 = controls::label(this, "Label4", QStringLiteral("bis zum"), kLabelFont);
    Label2 = controls::label(this, "Label2", QString(), kLabelFont);
    Label5 = controls::label(this, "Label5", QStringLiteral("fehlende Stoffeinträge:"), kLabelFont);
    place(Label3, 120, 2040, 1080, 285);
    place(Label1, 1200, 2040, 1320, 285);
    place(Label4, 2640, 2040, 840, 285);
    place(Label2, 3480, 2040, 1320, 285);
    place(Label5, 120, 2400, 5400, 285);
    List2 = controls::list(this, "List2", {"Arial", 9});
    controls::setBackColor(List2, 0xC0C0FF);
    place(List2, 120, 2700, 5400, 2400);
    Command10 = controls::button(this, "Command10", QStringLiteral("gelesen"));
    place(Command10, 120, 5220, 1500, 375);
    connect(Command10, &QPushButton::clicked, this, &Form11::Command10_Click);
    // The reminder comes up by itself, maybe under a click meant for the
    // window below.
    inputguard::asks(Command10);
    resize(units::twipsToPixels(5640), units::twipsToPixels(5760));
}

void Form11::Command10_Click() { unload(); }

void RemindMissingLessonContent()
{
    Form11* f = forms::get<Form11>();
    remind(*f, entryfields::classText());
}
