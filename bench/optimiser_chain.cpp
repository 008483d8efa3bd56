#include "bench/optimiser_chain.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/missing_lessons.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/teacher_fixations.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <cstdio>
#include <map>
#include <set>
#include <utility>

namespace chain {
namespace {

constexpr short kTemporary = 1;
constexpr short kAbsolute = 4;

void print(const char* what, const trial::Figures& f)
{
    std::printf("%-8s placed %d of %d, teacher gaps %d, rating %.6g, refused by the error check %d, lone halves %d\n",
                what, f.placed, f.required, f.teacherGaps, f.rating, f.refused, f.loneHalves);
}

Step stepOf(Step::Kind kind)
{
    Step step;
    step.kind = kind;
    return step;
}

// The words of a chain: split at the commas that stand outside parentheses;
// empty when the parentheses do not pair.
QStringList chainWords(const QString& chain)
{
    QStringList words;
    QString word;
    int depth = 0;
    for (const QChar ch : chain) {
        depth += ch == QLatin1Char('(') ? 1 : ch == QLatin1Char(')') ? -1 : 0;
        if (depth < 0)
            return {};
        if (ch == QLatin1Char(',') && depth == 0) {
            words << word.trimmed();
            word.clear();
        } else {
            word += ch;
        }
    }
    if (depth != 0)
        return {};
    words << word.trimmed();
    words.removeAll(QString());
    return words;
}

}

std::optional<std::vector<Step>> parse(const QString& chain)
{
    static const QRegularExpression run(QStringLiteral("^([012])(ai)?:([0-9.]+)$"));
    static const QRegularExpression repeat(QStringLiteral("^repeat:([0-9]+)\\((.*)\\)$"));
    std::vector<Step> steps;
    const QStringList words = chainWords(chain);
    if (words.isEmpty())
        return std::nullopt;
    for (const QString& w : words) {
        if (w == QLatin1String("fix"))
            steps.push_back(stepOf(Step::Fix));
        else if (w == QLatin1String("release-missing"))
            steps.push_back(stepOf(Step::ReleaseMissing));
        else if (w == QLatin1String("release-days"))
            steps.push_back(stepOf(Step::ReleaseDays));
        else if (w == QLatin1String("release-blockers"))
            steps.push_back(stepOf(Step::ReleaseBlockers));
        else if (const auto m = run.match(w); m.hasMatch() && (m.captured(1) == QLatin1String("0") || !m.hasCaptured(2))) {
            Step step = stepOf(Step::Run);
            step.mode = m.captured(1).toInt();
            step.ai = m.hasCaptured(2);
            step.milliseconds = static_cast<int>(m.captured(3).toDouble() * 1000);
            steps.push_back(step);
        } else if (const auto r = repeat.match(w); r.hasMatch()) {
            auto body = parse(r.captured(2));
            if (!body)
                return std::nullopt;
            Step step = stepOf(Step::Repeat);
            step.rounds = r.captured(1).toInt();
            step.body = std::move(*body);
            steps.push_back(std::move(step));
        } else {
            return std::nullopt;
        }
    }
    return steps;
}

namespace {

bool lacksLessons(int cls) { return !MissingLessons(cls).empty(); }

// A day of the class that the header click would release rather than fix.
bool dayHeld(int day, int cls)
{
    for (int p = 1; p <= timetable::periods(); ++p)
        if (gFixations(day, p, cls, 0) == kTemporary)
            return true;
    return false;
}

bool dayHasGap(int day, int cls)
{
    for (int p = 1; p <= timetable::periods(); ++p)
        if (gFixations(day, p, cls, 0) < kAbsolute && gTimetable(day, p, cls, 0) == 0 && gTimetable(day, p, cls, 1) == 0)
            return true;
    return false;
}

bool isAbilityGroup(int subject)
{
    constexpr int kAbilityGroups = 4;
    return gSubjectAttr(subject, kAbilityGroups) == 1;
}

bool lacksAbilityGroupLesson(int cls)
{
    for (const auto& [subject, missing] : MissingLessons(cls))
        if (isAbilityGroup(subject))
            return true;
    return false;
}

using ClassDays = std::set<std::pair<int, int>>;  // (class, day)

// The classes that "fehlende Stunden ?" names, in its order.
std::vector<int> lackingClasses()
{
    std::vector<int> classes;
    for (int c = 1; c <= timetable::lastClass(); ++c)
        if (lacksLessons(c))
            classes.push_back(c);
    return classes;
}

// The days of a class that lacks lessons (only the days with a gap when
// `onlyWithGaps`); a lesson of an ability group can only go where the whole
// grade is open, so those days count in every class of its grade.
void addLackingDays(int cls, bool onlyWithGaps, ClassDays& days)
{
    for (int d = 1; d <= timetable::days(); ++d) {
        if (onlyWithGaps && !dayHasGap(d, cls))
            continue;
        days.insert({cls, d});
        if (!lacksAbilityGroupLesson(cls))
            continue;
        for (int k = 1; k <= timetable::lastClass(); ++k)
            if (timetable::grade(k) == timetable::grade(cls) && timetable::inAbilityGroups(k))
                days.insert({k, d});
    }
}

ClassDays lackingClassDays(bool onlyWithGaps)
{
    ClassDays days;
    for (const int c : lackingClasses())
        addLackingDays(c, onlyWithGaps, days);
    return days;
}

// The header click on each of the class-days that is held. Returns the
// class-days released.
int releaseClassDays(const ClassDays& days)
{
    int released = 0;
    for (const auto& [c, d] : days) {
        if (!dayHeld(d, c))
            continue;
        ToggleClassDayFixation(d, c);
        ++released;
    }
    return released;
}

int releaseDays(bool onlyWithGaps) { return releaseClassDays(lackingClassDays(onlyWithGaps)); }

// The teachers of the lessons that "fehlende Stunden ?" names for the
// class, each with whether one of them is a lesson of an ability group.
std::map<int, bool> teachersOfMissingLessons(int cls)
{
    std::map<int, bool> teachers;
    for (const auto& [subject, missing] : MissingLessons(cls))
        for (int slot = 0; slot < rules::kTeacherSlots; ++slot)
            if (const int t = rules::lessonTeacher(cls, subject, slot); t > 0)
                teachers[t] = teachers[t] || isAbilityGroup(subject);
    return teachers;
}

bool teachesAt(int teacher, int day, int period, int cls)
{
    for (int half = 0; half <= 1; ++half) {
        const int subject = gTimetable(day, period, cls, half);
        if (subject <= 0)
            continue;
        for (int slot = 0; slot < rules::kTeacherSlots; ++slot)
            if (rules::lessonTeacher(cls, subject, slot) == teacher)
                return true;
    }
    return false;
}

// The week of the class, so a lesson of a day where the teacher of a missing
// lesson is free can move into the gap; and the days with a gap of every
// class in which that teacher teaches then, so that lesson can move within
// its day and free the teacher for the gap.
ClassDays blockedClassDays(int cls, const std::map<int, bool>& teachers)
{
    ClassDays gaps;
    addLackingDays(cls, true, gaps);
    std::set<int> gapDays;
    for (const auto& [c, d] : gaps)
        gapDays.insert(d);
    ClassDays days;
    addLackingDays(cls, false, days);
    for (const int d : gapDays)
        for (const auto& [teacher, withAbilityGroups] : teachers)
            for (int c = 1; c <= timetable::lastClass(); ++c)
                for (int p = 1; p <= timetable::periods(); ++p)
                    if (teachesAt(teacher, d, p, c))
                        days.insert({c, d});
    return days;
}

// "lehrerbez. Fix. lösen" for the teacher, with "LG-Fächer einbeziehen"
// ticked when asked.
void releaseTeacher(int teacher, bool withAbilityGroups)
{
    Form42* w = forms::show<Form42>();
    w->Check1->setChecked(withAbilityGroups);
    w->List1->setListIndex(teacher - 1);
    w->Command1_Click();
}

int openCells()
{
    int open = 0;
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= timetable::lastClass(); ++c)
                open += gFixations(d, p, c, 0) == 0 ? 1 : 0;
    return open;
}

bool planComplete()
{
    CountPlacedLessons();
    return gPlacedCount.toInt() >= gPlacedCount2;
}

int placedLessons()
{
    CountPlacedLessons();
    return gPlacedCount.toInt();
}

// Where a round keeps the plan it started from, as a user saves it under a
// plan number of its own to go back to it.
const QString kKeptPlan = QString::number(kHighestPlan);

void keepPlan()
{
    const QString name = std::exchange(gPlanName, kKeptPlan);
    const QString title = std::exchange(gPlanTitle, QStringLiteral("bester Stand"));
    SavePlan();
    gPlanName = name;
    gPlanTitle = title;
}

void reloadKeptPlan()
{
    const QString name = std::exchange(gPlanName, kKeptPlan);
    const QString title = gPlanTitle;
    LoadPlan();
    gPlanName = name;
    gPlanTitle = title;
}

}

void printResult(const char* name, bool ai, int milliseconds, unsigned seed, const trial::Result& r)
{
    std::printf("run      Modus %s%s, seed %u, limit %.1f s: %.2f s, %.0f passes, %ld steps (%.0f/s)\n", name,
                ai ? " ai" : "", seed, milliseconds / 1000.0, r.seconds, r.passes, r.yields, r.yields / r.seconds);
    print("before", r.before);
    print("plan 0", r.after);
    if (r.stopLatencyMs >= 0)
        std::printf("stop     ended %.1f ms after the stop was due\n", r.stopLatencyMs);
    else
        std::printf("stop     ended on its own\n");
    std::printf("status   %s\n", qPrintable(r.status));
    for (int c = 1; c <= timetable::lastClass(); ++c)
        if (lacksLessons(c))
            std::printf("missing  %s:%s\n", qPrintable(gClassNames(c).toString()), qPrintable(MissingHours(c)));
}

namespace {

// One class that lacks lessons, the round's one down the list: its week, the
// days with a gap on which its missing lessons' teachers are held elsewhere,
// and those teachers' cells.
void releaseBlockers(int round)
{
    const std::vector<int> classes = lackingClasses();
    if (classes.empty())
        return;
    const int cls = classes[static_cast<std::size_t>(round) % classes.size()];
    const std::map<int, bool> teachers = teachersOfMissingLessons(cls);
    const int days = releaseClassDays(blockedClassDays(cls, teachers));
    for (const auto& [teacher, withAbilityGroups] : teachers)
        releaseTeacher(teacher, withAbilityGroups);
    std::printf("release  %s: %d class-days of its week or of a teacher of its missing lessons, and the cells of "
                "%zu such teachers: %d cells open\n",
                qPrintable(gClassNames(cls).toString()), days, teachers.size(), openCells());
}

void runSteps(const std::vector<Step>& steps, unsigned seed, unsigned methods, int round, const QElapsedTimer& clock);

// Each round starts from the plan the last round left when it placed no
// fewer lessons, else from the plan before it; the rounds end early once
// the plan is complete. A round's runs are seeded anew, so a round that
// opens the same cells again does not retrace the one before.
void repeat(const Step& step, unsigned seed, unsigned methods, const QElapsedTimer& clock)
{
    for (int round = 0; round < step.rounds && !planComplete(); ++round) {
        std::printf("round    %d of %d\n", round + 1, step.rounds);
        const int before = placedLessons();
        keepPlan();
        runSteps(step.body, seed + static_cast<unsigned>(round), methods, round, clock);
        if (placedLessons() < before) {
            reloadKeptPlan();
            std::printf("reload   the plan before the round, %d placed\n", placedLessons());
        }
    }
}

void runSteps(const std::vector<Step>& steps, unsigned seed, unsigned methods, int round, const QElapsedTimer& clock)
{
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Run: {
            const char* names[] = {"0", "1", "2"};
            printResult(names[step.mode], step.ai, step.milliseconds, seed,
                     trial::run(static_cast<short>(kModes[step.mode]), step.milliseconds, seed, methods, step.ai));
            break;
        }
        case Step::Fix:
            FixAllCells();
            std::printf("fix      every cell fixed\n");
            break;
        case Step::ReleaseMissing:
            std::printf("release  %d class-days of the classes lacking lessons\n", releaseDays(false));
            break;
        case Step::ReleaseDays:
            std::printf("release  %d class-days with a gap in the classes lacking lessons\n", releaseDays(true));
            break;
        case Step::ReleaseBlockers:
            releaseBlockers(round);
            break;
        case Step::Repeat:
            repeat(step, seed, methods, clock);
            break;
        }
        std::printf("         %.1f s since the start of the chain\n", clock.elapsed() / 1000.0);
    }
}

// A chain goes on from the plan the last run left: each run after the first
// is told "Ja" when it asks before it writes over plan "0"; every other
// message is answered "Nein" as before.
void answerRunsOnResult()
{
    dialogs::setHandler([](const dialogs::Shown& s) -> dialogs::Reply {
        const bool goOn = s.question && s.text.endsWith(QLatin1String("Trotzdem optimieren?"));
        if (!goOn)
            std::fprintf(stderr, "message: %s\n", qPrintable(s.text));
        return goOn;
    });
}

}

void run(const std::vector<Step>& steps, unsigned seed, unsigned methods)
{
    answerRunsOnResult();
    QElapsedTimer clock;
    clock.start();
    runSteps(steps, seed, methods, 0, clock);
    std::printf("chain    %s after %.1f s\n", planComplete() ? "complete" : "incomplete", clock.elapsed() / 1000.0);
}

}
