#include "tests/support/generated_school.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/rule_chains.h"
#include "platform/currency.h"

#include <QStringList>

#include <algorithm>
#include <tuple>
#include <vector>

namespace generated_school {
namespace {

using namespace school_building;

constexpr short kTemporary = 1;
constexpr short kSupervision = 10;
constexpr short kWishFree = 8;
constexpr short kWishTaught = 11;
constexpr int kCombinationRows = 40;
constexpr short kSportHall = 6;

// Time rules by their codes.
constexpr short kNotFirstPeriod = 1;
constexpr short kFromFifthPeriod = 8;

enum Subject {
    D = 1, M, E, F, L, Bio, Ch, Ph, G, Ek, PoWi, Rel, Eth, Ku, Mu, Sp, Inf, WP, Foe, kSubjects = Foe
};

const SubjectRow kSubjectRows[] = {
    {D, "Deutsch", "D", kDoublesAllowed, 0},
    {M, "Mathematik", "M", kDoublesAllowed, 0},
    {E, "Englisch", "E", kOncePerDay, 0},
    {F, "Französisch", "F", kOncePerDay, 0},
    {L, "Latein", "L", kOncePerDay, 0},
    {Bio, "Biologie", "Bio", kOncePerDay, 1},
    {Ch, "Chemie", "Ch", kOnlyDoubles, 2, 0, false, true},
    {Ph, "Physik", "Ph", kOncePerDay, 3},
    {G, "Geschichte", "G", kOncePerDay, 0},
    {Ek, "Erdkunde", "Ek", kOncePerDay, 0},
    {PoWi, "Politik und Wirtschaft", "PoWi", kOncePerDay, 0},
    {Rel, "Religion", "Rel", kOncePerDay, 0},
    {Eth, "Ethik", "Eth", kOncePerDay, 0},
    {Ku, "Kunst", "Ku", kOnlyDoubles, 4, kNotFirstPeriod, true},
    {Mu, "Musik", "Mu", kOncePerDay, 5, kNotFirstPeriod, true},
    {Sp, "Sport", "Sp", kOnlyDoubles, kSportHall, 0, true, true},
    {Inf, "Informatik", "Inf", kOncePerDay, 7},
    {WP, "Wahlpflicht", "WP", kOncePerDay, 0},
    {Foe, "Förderunterricht", "Fö", kOncePerDay, 0, kFromFifthPeriod},
};

const RoomRow kRooms[] = {{"Biologieraum", 2}, {"Chemiesaal", 1}, {"Physiksaal", 2}, {"Kunstraum", 2},
                       {"Musiksaal", 2},    {"Sporthalle", 3}, {"Computerraum", 1}};
constexpr short kHallsInTheAfternoon = 2;

// Weekly hours in the grades 5 to 10. The "b" classes learn Latin in place
// of French; "R" classes learn neither, have no elective and get support
// lessons instead.
struct CurriculumRow {
    Subject subject;
    int hours[kGrades];
};
const CurriculumRow kCurriculum[] = {
    {D, {4, 4, 4, 4, 3, 3}},   {M, {4, 4, 4, 4, 3, 3}},    {E, {4, 3, 3, 3, 3, 3}},
    {F, {0, 4, 3, 3, 3, 3}},   {Bio, {2, 2, 0, 1, 1, 2}},  {Ch, {0, 0, 0, 2, 2, 2}},
    {Ph, {0, 0, 2, 2, 2, 2}},  {G, {0, 1, 2, 1, 2, 2}},    {Ek, {2, 1, 1, 1, 1, 1}},
    {PoWi, {0, 0, 0, 1, 1, 2}}, {Rel, {2, 2, 2, 2, 2, 2}}, {Ku, {2, 2, 2, 0, 0, 0}},
    {Mu, {1, 1, 1, 1, 1, 0}},  {Sp, {2, 2, 2, 2, 2, 2}},   {Inf, {0, 0, 0, 0, 2, 2}},
    {WP, {0, 0, 3, 3, 3, 3}},  {Foe, {2, 2, 2, 2, 2, 0}},
};

// The two subjects of the teachers, three teachers each; everybody may teach
// an elective course, and support lessons go to German teachers.
const Subject kTeacherSubjects[][2] = {
    {D, G},  {D, E},   {D, Rel}, {D, Ku},   {M, Ph},  {M, Inf}, {M, Ek},  {M, Sp},  {E, F},  {E, Sp},
    {E, PoWi}, {Bio, Ch}, {Ph, Ch}, {F, L}, {G, Eth}, {Rel, Eth}, {Mu, D}, {Sp, Bio}, {M, D}, {Ku, Mu},
};

const char* const kSurnames[kTeachers] = {
    "Müller",  "Schmidt", "Schneider", "Fischer",  "Weber",   "Meyer",   "Wagner",   "Becker",   "Schulz",
    "Hoffmann", "Schäfer", "Koch",     "Bauer",    "Richter", "Klein",   "Wolf",     "Schröder", "Neumann",
    "Schwarz", "Zimmermann", "Braun",  "Krüger",   "Hofmann", "Hartmann", "Lange",   "Schmitt",  "Werner",
    "Schmitz", "Krause",  "Meier",     "Lehmann",  "Schmid",  "Schulze", "Maier",    "Köhler",   "Herrmann",
    "König",   "Walter",  "Mayer",     "Huber",    "Kaiser",  "Fuchs",   "Peters",   "Lang",     "Scholz",
    "Möller",  "Weiß",    "Jung",      "Hahn",     "Schubert", "Vogel",  "Friedrich", "Keller",  "Günther",
    "Frank",   "Berger",  "Winkler",   "Roth",     "Beck",    "Lorenz",
};

// ---- The school's structure.

QString letterOf(int cls)
{
    const int index = (cls - 1) % 4;
    return gradeOf(cls) < 10 && index == 3 ? QStringLiteral("R") : QString(QChar('a' + index));
}
bool rClass(int cls) { return gClassNames(cls).toString().endsWith(QLatin1Char('R')); }
bool latinClass(int cls) { return gClassNames(cls).toString().endsWith(QLatin1Char('b')); }
bool leads(int cls) { return (cls - 1) % 4 == 0; }
int classNamed(const QString& name)
{
    for (int c = 1; c <= kClasses; ++c)
        if (gClassNames(c).toString() == name)
            return c;
    return 0;
}
// The classes of a leading class's grade that its ability groups span.
std::vector<int> groupClasses(int leading)
{
    std::vector<int> classes;
    for (int c = leading; c < leading + 4; ++c)
        if (!rClass(c))
            classes.push_back(c);
    return classes;
}

void setSubjects()
{
    school_building::setSubjects(kSubjectRows, WP);
    gSubjectAttr(Rel, kPartner) = Eth;
    gSubjectAttr(Eth, kInputPosition) = 1;
    gSubjectAttr(Ph, kNeighbourDays) = 1;
    orderSubjects();
}

void setRooms()
{
    school_building::setRooms(kRooms);
    for (int d = 1; d <= kDays; ++d)
        for (int p = kLunchPeriod + 1; p <= kPeriods; ++p)
            gSpecialRoomAvailability(kSportHall, d, p) = kHallsInTheAfternoon;
}

void setCurriculum()
{
    for (int c = 1; c <= kClasses; ++c) {
        const int g = gradeOf(c) - kFirstGrade;
        for (const CurriculumRow& row : kCurriculum) {
            Subject s = row.subject;
            if (rClass(c) ? s == F || s == WP : s == Foe)
                continue;
            if (s == F && latinClass(c))
                s = L;
            gCurriculumHours(c, s) = static_cast<short>(row.hours[g]);
        }
        gCurriculumHours(c, Eth) = gCurriculumHours(c, Rel);
    }
}

// Three teachers for each pair of subjects, with German names and unique
// short names; some may teach no more than 5 or 6 periods in a row.
void setTeachers()
{
    QStringList shortNames;
    for (int t = 1; t <= kTeachers; ++t) {
        const QString name = QString::fromUtf8(kSurnames[t - 1]);
        gTeacherNames(t) = name;
        QString shortName = name.left(3).toUpper();
        for (int n = 2; shortNames.contains(shortName); ++n)
            shortName = name.left(2).toUpper() + QString::number(n);
        shortNames << shortName;
        gTeacherShort(t) = shortName;
        gTeacherMaxLoad(t) = static_cast<short>(chance(0.5) ? 0 : 5 + drawUpTo(2) - 1);
    }
}

bool qualified(int t, int s)
{
    if (s == WP)
        return true;
    if (s == Foe)
        s = D;
    const auto& pair = kTeacherSubjects[(t - 1) % std::size(kTeacherSubjects)];
    return pair[0] == s || pair[1] == s;
}

// Days off, supervisions and wishes: what makes a teacher's week harder or
// a plan better.
void setTeacherWishes()
{
    for (int t = 1; t <= kTeachers; ++t) {
        if (chance(0.15)) {
            const int day = drawUpTo(kDays);
            for (int p = 1; p <= kPeriods; ++p)
                gTeacherUnavailable(t, day, p) = kCannotCome;
        } else if (chance(0.2)) {
            gTeacherUnavailable(t, drawUpTo(kDays), 1) = kCannotCome;
        }
        if (chance(0.3))
            gTeacherUnavailable(t, drawUpTo(kDays), 2 + drawUpTo(2)) = kSupervision;
        if (chance(0.4)) {
            const int day = drawUpTo(kDays);
            if (gTeacherUnavailable(t, day, 1) == 0)
                gTeacherUnavailable(t, day, 1) = kWishFree;
        }
        if (chance(0.3)) {
            const int day = drawUpTo(kDays);
            if (gTeacherUnavailable(t, day, 4) == 0)
                gTeacherUnavailable(t, day, 4) = kWishTaught;
        }
    }
}

// The qualified teacher with fewest hours so far, the form teacher first.
int chooseTeacher(int c, int s, const std::vector<int>& load, const std::vector<int>& taken)
{
    int best = 0;
    for (int t = 1; t <= kTeachers; ++t) {
        if (!qualified(t, s) || std::find(taken.begin(), taken.end(), t) != taken.end())
            continue;
        if (t == gFormTeacher(c))
            return t;
        if (best == 0 || load[t] < load[best] || (load[t] == load[best] && chance(0.5)))
            best = t;
    }
    return best;
}

void assignTeachers()
{
    std::vector<int> load(kTeachers + 1, 0);
    for (int c = 1; c <= kClasses; ++c) {
        const int form = chooseTeacher(c, D, load, {});
        gFormTeacher(c) = static_cast<short>(form);
        for (int s = 1; s <= kSubjects; ++s) {
            if (gCurriculumHours(c, s) == 0 || (s == WP && !leads(c)))
                continue;
            const std::size_t groups = s == WP ? groupClasses(c).size() : 1;
            std::vector<int> chosen;
            for (std::size_t g = 0; g < groups; ++g) {
                const int t = chooseTeacher(c, s, load, chosen);
                gSubjectTeachers(c, s, static_cast<int>(g)) = static_cast<short>(t);
                load[t] += gCurriculumHours(c, s);
                chosen.push_back(t);
            }
            gClassSubjectHours(c, s) = Currency::fromDouble(gCurriculumHours(c, s));
        }
    }
}

// Geography of each "R" class is taught together with that of the "c" class.
void setCombinations()
{
    int row = 0;
    for (int grade = kFirstGrade; grade < kFirstGrade + kGrades; ++grade) {
        const int r = classNamed(QString::number(grade) + QLatin1Char('R'));
        const int c = classNamed(QString::number(grade) + QLatin1Char('c'));
        if (r == 0 || c == 0)
            continue;
        ++row;
        gClassCombinations(row, 1) = Ek;
        gClassCombinations(row, 2) = r;
        gClassCombinations(row, 3) = Ek;
        gClassCombinations(row, 4) = c;
    }
    for (int k = 1; k <= kCombinationRows; ++k)
        for (int field = 1; field <= 4; ++field)
            gClassCombinations(k + kCombinationRows, field) = gClassCombinations(k, (field + 1) % 4 + 1);
}

// ---- The reference plan.

struct Unit {
    int cls;
    int subject;
    int length;
    int combinedClass; // the class whose side of a combination goes with it, or 0
};

bool placeChecked(int d, int p, int c, int s)
{
    selectCell(d, p, c, s);
    gCheckOk = 1;
    if (gTimetable(d, p, c, 0) != 0 || gFixations(d, p, c, 0) != 0 || !RunOptimiserChain())
        return false;
    placeLesson(d, p, c, s);
    return true;
}

// Places a unit at (d, p) through the placement rules, or leaves the grid as it was.
bool placeUnit(const Unit& u, int d, int p)
{
    std::vector<std::pair<int, int>> placed;
    bool fits = p + u.length - 1 <= kPeriods;
    for (int q = p; fits && q < p + u.length; ++q) {
        for (int c : {u.cls, u.combinedClass}) {
            if (c == 0)
                continue;
            if (!placeChecked(d, q, c, u.subject)) {
                fits = false;
                break;
            }
            placed.emplace_back(q, c);
        }
    }
    if (fits)
        return true;
    for (auto it = placed.rbegin(); it != placed.rend(); ++it)
        placeLesson(d, it->first, it->second, 0);
    return false;
}

int lessonsOn(int d, int c)
{
    int n = 0;
    for (int p = 1; p <= kPeriods; ++p)
        n += gTimetable(d, p, c, 0) != 0 ? 1 : 0;
    return n;
}

// Mornings first, period by period; on each period the class's emptiest
// day first, ties drawn.
bool placeSomewhere(const Unit& u)
{
    struct Cell {
        int day, period, lessons, draw;
    };
    std::vector<Cell> cells;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            if (p != kLunchPeriod)
                cells.push_back({d, p, lessonsOn(d, u.cls), drawUpTo(1000)});
    std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        return std::tie(a.period, a.lessons, a.draw) < std::tie(b.period, b.lessons, b.draw);
    });
    return std::any_of(cells.begin(), cells.end(), [&](const Cell& c) { return placeUnit(u, c.day, c.period); });
}

int combinedClassOf(int c, int s)
{
    for (int row = 1; row <= kCombinationRows; ++row)
        if (gClassCombinations(row, 1) == s && gClassCombinations(row, 2) == c)
            return gClassCombinations(row, 4).toInt();
    return 0;
}

bool combinedFromTheOtherSide(int c, int s)
{
    for (int row = 1; row <= kCombinationRows; ++row)
        if (gClassCombinations(row, 3) == s && gClassCombinations(row, 4) == c)
            return true;
    return false;
}

// Ability groups come first, then combinations, double periods and the
// subjects with most hours: the hardest lessons get the widest choice.
std::vector<Unit> units()
{
    std::vector<Unit> all;
    for (int c = 1; c <= kClasses; ++c) {
        for (int s = 1; s <= kSubjects; ++s) {
            if (gCurriculumHours(c, s) == 0 || s == Eth || (s == WP && !leads(c)) || combinedFromTheOtherSide(c, s))
                continue;
            const int length = gSubjectAttr(s, kBlockRule) == kOnlyDoubles ? 2 : 1;
            for (int n = 0; n < gCurriculumHours(c, s) / length; ++n)
                all.push_back({c, s, length, combinedClassOf(c, s)});
        }
    }
    const auto rank = [](const Unit& u) {
        return std::make_tuple(u.subject == WP ? 0 : 1, u.combinedClass != 0 ? 0 : 1, -u.length,
                               -gCurriculumHours(u.cls, u.subject));
    };
    std::stable_sort(all.begin(), all.end(), [&](const Unit& a, const Unit& b) { return rank(a) < rank(b); });
    return all;
}

// A lesson without a place leaves the curriculum of every class it goes to.
void dropFromCurriculum(const Unit& u)
{
    std::vector<int> classes = u.subject == WP ? groupClasses(u.cls) : std::vector<int>{u.cls};
    if (u.combinedClass != 0)
        classes.push_back(u.combinedClass);
    for (int c : classes) {
        gCurriculumHours(c, u.subject) = static_cast<short>(gCurriculumHours(c, u.subject) - u.length);
        if (u.subject == Rel)
            gCurriculumHours(c, Eth) = gCurriculumHours(c, Rel);
        gClassSubjectHours(c, u.subject) = Currency::fromDouble(gCurriculumHours(c, u.subject));
    }
}

void buildReferencePlan(const Options& options)
{
    for (int c = 1; c <= kClasses; ++c)
        for (int d = 1; d <= kDays; ++d)
            fixBoth(d, kLunchPeriod, c, kAbsolute);
    for (const Unit& u : units()) {
        if (!placeSomewhere(u))
            dropFromCurriculum(u);
    }
    for (int c = 1; c <= kClasses; ++c)
        for (int d = 1; d <= kDays; ++d)
            for (int p = 1; p <= kPeriods; ++p)
                if (gTimetable(d, p, c, 0) == 0 || (gTimetable(d, p, c, 0) == WP && !options.openAbilityGroups))
                    fixBoth(d, p, c, kAbsolute);
}

}

void build(std::uint32_t seed, const Options& options)
{
    school_building::seed(seed);
    setWeek(QStringLiteral("Gesamtschule am Stadtpark"));
    setClasses(letterOf);
    setSubjects();
    setRooms();
    setCurriculum();
    setTeachers();
    setTeacherWishes();
    assignTeachers();
    setCombinations();
    buildReferencePlan(options);
    gPlanName = QStringLiteral("1");
    gPlanTitle = QStringLiteral("Generierte Schule %1").arg(seed);
}

int weeklyHours()
{
    int hours = 0;
    for (int c = 1; c <= kClasses; ++c)
        for (int s = 1; s <= gMaxSubjects; ++s)
            hours += gCurriculumHours(c, s);
    return hours;
}

void openOneDayOfThreeClasses(int day)
{
    FixAllCells();
    for (const char* name : {"6b", "8c", "10d"}) {
        const int c = classNamed(QString::fromLatin1(name));
        for (int p = 1; p <= kPeriods; ++p)
            if (gFixations(day, p, c, 0) == kTemporary)
                fixBoth(day, p, c, 0);
    }
    clearOpenLessons();
}

void clearOpenLessons()
{
    ClearUnfixedLessons();
    RebuildTeacherTimetables();
}

}
