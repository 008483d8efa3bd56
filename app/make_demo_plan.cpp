// Writes plan "1" of the made-up school into its data folder (demo/, or the
// folder given as argument): the curriculum of every class, who teaches what,
// and a timetable built lesson by lesson around the teachers, special rooms,
// breaks and time rules of the school's master data. The plan is saved through
// SavePlan, so the demo plan is always in the form the program writes.
#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "platform/numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// Weekly hours in the grades 5 to 10, by the subject's screen short name.
// Classes whose name ends in "b" learn Latin in place of French; "Eth" stands
// beside "Rel" in the second group row as its combination partner.
struct CurriculumRow {
    const char* subject;
    int hours[6];
};
const CurriculumRow kCurriculum[] = {
    {"D", {5, 4, 4, 3, 3, 3}},   {"M", {4, 4, 4, 4, 4, 3}},    {"E", {5, 4, 4, 3, 3, 3}},
    {"F", {0, 4, 4, 3, 3, 3}},   {"Bio", {2, 2, 0, 2, 2, 2}},  {"Ch", {0, 0, 0, 2, 2, 2}},
    {"Ph", {0, 0, 2, 2, 2, 2}},  {"G", {0, 2, 2, 2, 2, 2}},    {"Ek", {2, 0, 2, 0, 0, 2}},
    {"PoWi", {0, 0, 0, 2, 2, 2}}, {"Rel", {2, 2, 2, 2, 2, 2}}, {"Eth", {2, 2, 2, 2, 2, 2}},
    {"Ku", {2, 2, 2, 0, 2, 0}},  {"Mu", {2, 2, 0, 2, 0, 2}},   {"Sp", {4, 4, 2, 2, 2, 2}},
    {"Inf", {0, 0, 0, 0, 2, 2}},
};

// The two subjects of each teacher, in the order of the teacher file.
const char* const kTeacherSubjects[][2] = {
    {"D", "G"},   {"M", "Ph"},  {"E", "F"},    {"D", "Rel"}, {"M", "Inf"}, {"Bio", "Ch"}, {"E", "Sp"},
    {"D", "Mu"},  {"M", "Ek"},  {"F", "L"},    {"Ku", "D"},  {"Sp", "Bio"}, {"E", "PoWi"}, {"G", "Eth"},
    {"Ph", "Ch"}, {"M", "Sp"},  {"L", "G"},    {"Rel", "Ek"}, {"D", "E"},  {"Eth", "Ku"},
};

// Days on which a teacher cannot come (9) or has supervision (10): teacher
// index in the file, day, first and last period, code.
struct Absence {
    int teacher, day, from, to;
    short code;
};
const Absence kAbsences[] = {{17, 5, 1, 10, 9}, {10, 1, 3, 3, 10}, {10, 3, 5, 5, 10}, {15, 2, 1, 2, 9}};

const short kFixedAbsolutely = 4;

struct Unit {
    short subject;
    int length;
};

int findSubject(const QString& shortName)
{
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gSubjectNames(s, 1) == shortName)
            return s;
    }
    std::fprintf(stderr, "subject %s is missing in the subject file\n", qPrintable(shortName));
    std::exit(1);
}

std::vector<int> namedTeachers()
{
    std::vector<int> teachers;
    for (int t = 1; t <= gMaxTeachers.toInt(); ++t) {
        if (gTeacherShort(t) != "-")
            teachers.push_back(t);
    }
    return teachers;
}

std::vector<int> namedClasses()
{
    std::vector<int> classes;
    for (int c = 1; c <= gMaxClasses.toInt(); ++c) {
        if (!gClassNames(c).toString().isEmpty())
            classes.push_back(c);
    }
    return classes;
}

QString className(int c) { return gClassNames(c).toString(); }
int gradeIndex(int c) { return std::clamp(static_cast<int>(numbers::val(className(c))) - 5, 0, 5); }
bool abilityGroups(int s) { return gSubjectAttr(s, 4) == 1; }
int partnerOf(int s) { return gSubjectAttr(s, 6); }
bool onlyDoubles(int s) { return gSubjectAttr(s, 3) == 2; }

bool isPartner(int s)
{
    for (int k = 1; k <= gMaxSubjects; ++k) {
        if (partnerOf(k) == s)
            return true;
    }
    return false;
}

// The classes that share an ability-group lesson of `c`, as cell placement spreads it.
std::vector<int> parallelClasses(int c)
{
    std::vector<int> parallel;
    const auto grade = [](int k) { return static_cast<int>(numbers::val(className(k).left(1))); };
    for (int k : namedClasses()) {
        const QString name = className(k).toUpper();
        if (grade(k) == grade(c) && !(name.size() >= 2 && name[1] == QLatin1Char('R')))
            parallel.push_back(k);
    }
    return parallel;
}

bool leadsGrade(int c)
{
    gClass = c;
    SetClassTypeFlags();
    return gClassFlagA == 1 && gClassFlagR == 0;
}

void setCurriculum()
{
    for (int c : namedClasses()) {
        const bool latin = className(c).endsWith(QLatin1Char('b'), Qt::CaseInsensitive);
        for (const CurriculumRow& row : kCurriculum) {
            QString subject = QString::fromLatin1(row.subject);
            if (subject == "F" && latin)
                subject = QStringLiteral("L");
            const int s = findSubject(subject);
            gCurriculumHours(c, s) = static_cast<short>(row.hours[gradeIndex(c)]);
            gClassSubjectHours(c, s) = Currency::fromDouble(gCurriculumHours(c, s));
        }
    }
}

// ---- Who teaches what: the form teacher where possible, else the qualified
// teacher with the fewest hours so far.

std::vector<int> teacherLoad(64, 0);

bool teaches(std::size_t index, const QString& subject)
{
    const auto& pair = kTeacherSubjects[index % std::size(kTeacherSubjects)];
    return subject == pair[0] || subject == pair[1];
}

int chooseTeacher(int c, int s, const std::vector<int>& taken)
{
    const std::vector<int> teachers = namedTeachers();
    int best = 0;
    for (std::size_t i = 0; i < teachers.size(); ++i) {
        const int t = teachers[i];
        if (!teaches(i, gSubjectNames(s, 1)) || std::find(taken.begin(), taken.end(), t) != taken.end())
            continue;
        if (t == gFormTeacher(c))
            return t;
        if (best == 0 || teacherLoad[t] < teacherLoad[best])
            best = t;
    }
    return best;
}

void assignTeachers()
{
    for (int c : namedClasses()) {
        for (int s = 1; s <= gMaxSubjects; ++s) {
            if (gCurriculumHours(c, s) == 0 || (abilityGroups(s) && !leadsGrade(c)))
                continue;
            const std::size_t groups = abilityGroups(s) ? parallelClasses(c).size() : 1;
            std::vector<int> chosen;
            for (std::size_t g = 0; g < groups; ++g) {
                const int t = chooseTeacher(c, s, chosen);
                gSubjectTeachers(c, s, static_cast<int>(g)) = static_cast<short>(t);
                teacherLoad[t] += gCurriculumHours(c, s);
                chosen.push_back(t);
            }
        }
    }
}

void setAbsences()
{
    const std::vector<int> teachers = namedTeachers();
    for (const Absence& a : kAbsences) {
        for (int p = a.from; p <= a.to; ++p)
            gTeacherUnavailable(teachers.at(a.teacher - 1), a.day, p) = a.code;
    }
}

// ---- The timetable.

bool periodAllowed(int s, int p)
{
    switch (gSubjectAttr(s, 7)) {
    case 1: return p > 1;
    case 2: return p <= 4;
    case 3: return p <= 5;
    case 5: return p <= 6;
    case 6: return p <= 7;
    case 7: return p <= 8;
    case 8: return p >= 5;
    case 9: return p >= 6;
    case 10: return p >= 7;
    default: return true;
    }
}

bool cellFree(int d, int p, int c) { return gTimetable(d, p, c, 0) == 0 && gTimetable(d, p, c, 1) == 0; }

bool onDay(int d, int c, int s)
{
    for (int p = 1; p <= timetable::periods(); ++p) {
        if (gTimetable(d, p, c, 0) == s)
            return true;
    }
    return false;
}

int consecutiveWith(int t, int d, int p)
{
    int n = 1;
    for (int q = p + 1; q <= timetable::periods() && gTeacherPlanClass(t, d, q) != 0; ++q)
        ++n;
    for (int q = p - 1; q >= 1 && gTeacherPlanClass(t, d, q) != 0; --q)
        ++n;
    return n;
}

bool teachersFree(int c, int s, int d, int p)
{
    for (int slot = 0; slot <= 9; ++slot) {
        const int t = gSubjectTeachers(c, s, slot);
        if (t == 0)
            continue;
        if (gTeacherUnavailable(t, d, p) != 0 || gTeacherPlanClass(t, d, p) != 0)
            return false;
        if (const int most = gTeacherMaxLoad(t); most > 0 && consecutiveWith(t, d, p) > most)
            return false;
    }
    return true;
}

bool roomFree(int s, int d, int p)
{
    const int room = gSubjectAttr(s, 8);
    if (room == 0)
        return true;
    for (int k : namedClasses()) {
        for (int half = 0; half <= 1; ++half) {
            if (gSubjectAttr(gTimetable(d, p, k, half), 8) == room)
                return false;
        }
    }
    return true;
}

bool periodFits(int c, int s, int d, int p)
{
    const std::vector<int> shared = abilityGroups(s) ? parallelClasses(c) : std::vector<int>{c};
    for (int k : shared) {
        if (!cellFree(d, p, k))
            return false;
    }
    const int partner = partnerOf(s);
    return periodAllowed(s, p) && teachersFree(c, s, d, p) && roomFree(s, d, p)
        && (partner == 0 || (teachersFree(c, partner, d, p) && roomFree(partner, d, p)));
}

bool spansBreak(int p)
{
    for (int b = 1; b <= 3; ++b) {
        if (gBreakAfter(b) == p)
            return true;
    }
    return false;
}

bool unitFits(int c, const Unit& u, int d, int p, int lastPeriod)
{
    if (p + u.length - 1 > lastPeriod || onDay(d, c, u.subject) || (u.length == 2 && spansBreak(p)))
        return false;
    for (int q = p; q < p + u.length; ++q) {
        if (!periodFits(c, u.subject, d, q))
            return false;
    }
    return true;
}

void placeUnit(int c, const Unit& u, int d, int p)
{
    for (int q = p; q < p + u.length; ++q) {
        gDay = d;
        gPeriod = q;
        gClass = c;
        gHalf = 0;
        gSubject = u.subject;
        SetTimetableCell();
        if (abilityGroups(u.subject)) {
            for (int k : parallelClasses(c))
                gFixations(d, q, k, 0) = kFixedAbsolutely;
        }
    }
}

// The lessons a class places itself: doubles for subjects taught only in
// double periods; partners come with their subject, ability groups with the
// leading class.
std::vector<Unit> unitsOf(int c)
{
    std::vector<Unit> units;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gCurriculumHours(c, s) == 0 || isPartner(s) || (abilityGroups(s) && !leadsGrade(c)))
            continue;
        const int length = onlyDoubles(s) ? 2 : 1;
        for (int n = 0; n < gCurriculumHours(c, s) / length; ++n)
            units.push_back({static_cast<short>(s), length});
    }
    // Doubles first, then the subjects with most lessons, so each spreads over the week.
    std::stable_sort(units.begin(), units.end(), [c](const Unit& a, const Unit& b) {
        return a.length != b.length ? a.length > b.length
                                    : gCurriculumHours(c, a.subject) > gCurriculumHours(c, b.subject);
    });
    return units;
}

// The periods a class spends in lessons: partners stand beside their subject.
int lessonsOf(int c)
{
    int n = 0;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (!isPartner(s))
            n += gCurriculumHours(c, s);
    }
    return n;
}

int lastLessonOn(int d, int c)
{
    int last = 0;
    for (int p = 1; p <= timetable::periods(); ++p) {
        if (!cellFree(d, p, c))
            last = p;
    }
    return last;
}

// Places the first open unit that fits at (d, p); false when none does.
bool placeFirstFitting(std::vector<Unit>& open, int c, int d, int p, int lastPeriod)
{
    const auto fit = std::find_if(open.begin(), open.end(), [&](const Unit& u) { return unitFits(c, u, d, p, lastPeriod); });
    if (fit == open.end())
        return false;
    placeUnit(c, *fit, d, p);
    open.erase(fit);
    return true;
}

// Places an open unit on the day that ends earliest, right after its last
// lesson or in a gap of it; `anywhere` also allows a new gap.
bool appendToShortestDay(std::vector<Unit>& open, int c, bool anywhere)
{
    std::vector<int> days(timetable::days());
    std::iota(days.begin(), days.end(), 1);
    std::stable_sort(days.begin(), days.end(), [&](int a, int b) { return lastLessonOn(a, c) < lastLessonOn(b, c); });
    return std::any_of(days.begin(), days.end(), [&](int d) {
        const int until = anywhere ? timetable::periods() : std::min(lastLessonOn(d, c) + 1, timetable::periods());
        for (int p = 1; p <= until; ++p) {
            if (cellFree(d, p, c) && placeFirstFitting(open, c, d, p, timetable::periods()))
                return true;
        }
        return false;
    });
}

// First the mornings, period by period across the week, each day up to its
// share of the hours; then what is left at the end of the shortest day, so
// the class's days stay without gaps where the rules allow.
std::vector<Unit> fillClass(int c)
{
    std::vector<Unit> open = unitsOf(c);
    const int days = timetable::days();
    const int total = lessonsOf(c);
    const auto share = [&](int d) { return total / days + (d <= total % days ? 1 : 0); };
    for (int p = 1; p <= share(1); ++p) {
        for (int d = 1; d <= days; ++d) {
            if (p <= share(d) && cellFree(d, p, c))
                placeFirstFitting(open, c, d, p, share(d));
        }
    }
    while (!open.empty() && (appendToShortestDay(open, c, false) || appendToShortestDay(open, c, true)))
        ;
    return open;
}

// The optimiser starts only where the lunch breaks and afternoons are marked:
// every empty cell of a class's day is fixed empty, and a day without one
// keeps its lesson at lunch time in place.
void fixFreeCells()
{
    for (int c : namedClasses()) {
        for (int d = 1; d <= timetable::days(); ++d) {
            bool fixed = false;
            for (int p = 1; p <= timetable::periods(); ++p) {
                if (cellFree(d, p, c)) {
                    gFixations(d, p, c, 0) = gFixations(d, p, c, 1) = kFixedAbsolutely;
                    fixed = true;
                }
            }
            const int lunch = std::clamp(gLunchPeriod.toInt(), 1, timetable::periods());
            if (!fixed)
                gFixations(d, lunch, c, 0) = gFixations(d, lunch, c, 1) = kFixedAbsolutely;
        }
    }
}

bool buildTimetable()
{
    bool complete = true;
    for (int c : namedClasses()) {
        for (const Unit& u : fillClass(c)) {
            std::fprintf(stderr, "%s: no place for %s\n", qPrintable(className(c)), qPrintable(gSubjectNames(u.subject, 1)));
            complete = false;
        }
    }
    return complete;
}

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    InitialiseConstants();
    gDataPath = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo")).absolutePath() + "/";
    LoadMasterData();
    if (gPlanName.isEmpty())
        gPlanName = QStringLiteral("1");
    gPlanTitle = QStringLiteral("Stundenplan ") + gSchoolYear.toString();

    setCurriculum();
    assignTeachers();
    setAbsences();
    if (!buildTimetable())
        return 1;
    fixFreeCells();
    SavePlan();
    if (gCheckOk != 1) {
        std::fprintf(stderr, "plan %s could not be written to %s\n", qPrintable(gPlanName), qPrintable(gDataPath));
        return 1;
    }
    std::printf("plan %s written to %s\n", qPrintable(gPlanName), qPrintable(gDataPath));
    return 0;
}
