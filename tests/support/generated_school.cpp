#include "tests/support/generated_school.h"

#include "core/model.h"
#include "core/school_structure.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/rule_chains.h"
#include "platform/currency.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace generated_school {
namespace {

constexpr int kGrades = 6;
constexpr int kFirstGrade = 5;
constexpr short kTemporary = 1;
constexpr short kAbsolute = 4;
constexpr short kCannotCome = 9;
constexpr short kSupervision = 10;
constexpr short kWishFree = 8;
constexpr short kWishTaught = 11;
constexpr int kCombinationRows = 40;
constexpr short kSportHall = 6;

// Columns of gSubjectAttr.
enum Column {
    kInputPosition = 2,
    kBlockRule = 3,
    kAbilityGroups = 4,
    kMaxTeachers = 5,
    kPartner = 6,
    kTimeRule = 7,
    kSpecialRoom = 8,
    kNeighbourDays = 9,
    kNonCognitive = 13,
    kNotAcrossBreak = 14,
};

// Block rules and time rules by their codes.
constexpr short kOncePerDay = 0;
constexpr short kDoublesAllowed = 1;
constexpr short kOnlyDoubles = 2;
constexpr short kNotFirstPeriod = 1;
constexpr short kFromFifthPeriod = 8;

enum Subject {
    D = 1, M, E, F, L, Bio, Ch, Ph, G, Ek, PoWi, Rel, Eth, Ku, Mu, Sp, Inf, WP, Foe, kSubjects = Foe
};

struct SubjectRow {
    Subject subject;
    const char* name;
    const char* shortName;
    short blockRule;
    short timeRule;
    short room;
    bool nonCognitive;
};
const SubjectRow kSubjectRows[] = {
    {D, "Deutsch", "D", kDoublesAllowed, 0, 0, false},
    {M, "Mathematik", "M", kDoublesAllowed, 0, 0, false},
    {E, "Englisch", "E", kOncePerDay, 0, 0, false},
    {F, "Französisch", "F", kOncePerDay, 0, 0, false},
    {L, "Latein", "L", kOncePerDay, 0, 0, false},
    {Bio, "Biologie", "Bio", kOncePerDay, 0, 1, false},
    {Ch, "Chemie", "Ch", kOnlyDoubles, 0, 2, false},
    {Ph, "Physik", "Ph", kOncePerDay, 0, 3, false},
    {G, "Geschichte", "G", kOncePerDay, 0, 0, false},
    {Ek, "Erdkunde", "Ek", kOncePerDay, 0, 0, false},
    {PoWi, "Politik und Wirtschaft", "PoWi", kOncePerDay, 0, 0, false},
    {Rel, "Religion", "Rel", kOncePerDay, 0, 0, false},
    {Eth, "Ethik", "Eth", kOncePerDay, 0, 0, false},
    {Ku, "Kunst", "Ku", kOnlyDoubles, kNotFirstPeriod, 4, true},
    {Mu, "Musik", "Mu", kOncePerDay, kNotFirstPeriod, 5, true},
    {Sp, "Sport", "Sp", kOnlyDoubles, 0, kSportHall, true},
    {Inf, "Informatik", "Inf", kOncePerDay, 0, 7, false},
    {WP, "Wahlpflicht", "WP", kOncePerDay, 0, 0, false},
    {Foe, "Förderunterricht", "Fö", kOncePerDay, kFromFifthPeriod, 0, false},
};

// Special rooms 1..7 and how many of each there are.
struct Room {
    const char* name;
    short count;
};
const Room kRooms[] = {{"Biologieraum", 2}, {"Chemiesaal", 1}, {"Physiksaal", 2}, {"Kunstraum", 2},
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

std::mt19937 gDraw;

int drawUpTo(int n) { return std::uniform_int_distribution<int>(1, n)(gDraw); }
bool chance(double p) { return std::bernoulli_distribution(p)(gDraw); }

// ---- The school's structure.

QString letterOf(int index, int grade) { return grade < 10 && index == 3 ? QStringLiteral("R") : QString(QChar('a' + index)); }
int gradeOf(int cls) { return kFirstGrade + (cls - 1) / 4; }
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

void setWeek()
{
    gDaysPerWeek = kDays;
    gPeriodsPerDay = kPeriods;
    gLunchPeriod = kLunchPeriod;
    gBreakAfter(1) = 2;
    gBreakAfter(2) = 4;
    const char* times[kPeriods] = {"07:45", "08:30", "09:35", "10:20", "11:25", "12:10", "13:00", "13:45", "14:30"};
    for (int p = 1; p <= kPeriods; ++p) {
        gPeriodLabels(p) = QString::number(p) + QLatin1Char('.');
        gPeriodTimes(p) = QString::fromLatin1(times[p - 1]);
    }
    gSchoolName = QStringLiteral("Gesamtschule am Stadtpark");
}

void setClasses()
{
    gClassNames(0) = QStringLiteral("=");
    for (int c = 1; c <= kClasses; ++c) {
        const int grade = gradeOf(c);
        gClassNames(c) = QString::number(grade) + letterOf((c - 1) % 4, grade);
        gClassPrintNames(c) = gClassNames(c).toString();
    }
    gLastClass = kClasses;
}

void setSubjects()
{
    for (int column = 0; column <= 2; ++column)
        gSubjectNames(0, column) = QStringLiteral("=");
    for (const SubjectRow& row : kSubjectRows) {
        const int s = row.subject;
        gSubjectNames(s, 0) = QString::fromUtf8(row.name);
        gSubjectNames(s, 1) = gSubjectNames(s, 2) = QString::fromUtf8(row.shortName);
        gSubjectAttr(s, kBlockRule) = row.blockRule;
        gSubjectAttr(s, kTimeRule) = row.timeRule;
        gSubjectAttr(s, kSpecialRoom) = row.room;
        gSubjectAttr(s, kNonCognitive) = row.nonCognitive ? 1 : 0;
        gSubjectAttr(s, kMaxTeachers) = 1;
    }
    gSubjectAttr(Rel, kPartner) = Eth;
    gSubjectAttr(Eth, kInputPosition) = 1;
    gSubjectAttr(WP, kAbilityGroups) = 1;
    gSubjectAttr(WP, kMaxTeachers) = 4;
    gSubjectAttr(Ph, kNeighbourDays) = 1;
    gSubjectAttr(Ch, kNotAcrossBreak) = 1;
    gSubjectAttr(Sp, kNotAcrossBreak) = 1;
    OrderSubjectsByWeight();
    for (int s = 1; s <= gMaxSubjects; ++s)
        gOptimizeSubjects(s) = 1;
}

void setRooms()
{
    gSpecialRoomNames(0) = QStringLiteral("Klasse - kein Bedarf");
    gSpecialRoomCount = 16;
    for (int r = 1; r <= 16; ++r)
        gSpecialRoomNames(r) = QStringLiteral("-");
    for (int r = 1; r <= static_cast<int>(std::size(kRooms)); ++r) {
        gSpecialRoomNames(r) = QString::fromUtf8(kRooms[r - 1].name);
        for (int d = 1; d <= 6; ++d)
            for (int p = 1; p <= 11; ++p)
                gSpecialRoomAvailability(r, d, p) = kRooms[r - 1].count;
    }
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

void setCell(int d, int p, int c, int s)
{
    gDay = d;
    gPeriod = p;
    gClass = c;
    gHalf = 0;
    gSubject = s;
    SetTimetableCell();
}

bool placeChecked(int d, int p, int c, int s)
{
    gDay = d;
    gPeriod = p;
    gClass = c;
    gHalf = 0;
    gSubject = s;
    gCheckOk = 1;
    if (gTimetable(d, p, c, 0) != 0 || gFixations(d, p, c, 0) != 0 || !RunOptimiserChain())
        return false;
    setCell(d, p, c, s);
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
        setCell(d, it->first, it->second, 0);
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

void fixBoth(int d, int p, int c, short code) { gFixations(d, p, c, 0) = gFixations(d, p, c, 1) = code; }

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
    gDraw.seed(seed);
    setWeek();
    setClasses();
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
