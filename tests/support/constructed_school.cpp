#include "tests/support/constructed_school.h"

#include "core/model.h"
#include "core/timetable.h"
#include "platform/currency.h"

#include <algorithm>
#include <array>
#include <vector>

namespace constructed_school {
namespace {

using namespace school_building;

constexpr int kMostTeachers = 60;
constexpr int kMostHoursPerTeacher = 26;

enum Subject { D = 1, M, E, F, L, Bio, Ch, Ph, G, Ek, PoWi, Rel, Ku, Mu, Sp, Inf, WP, kSubjects = WP };

// The double periods must not cross a break.
const SubjectRow kSubjectRows[] = {
    {D, "Deutsch", "D", kDoublesAllowed, 0},    {M, "Mathematik", "M", kDoublesAllowed, 0},
    {E, "Englisch", "E", kOncePerDay, 0},       {F, "Französisch", "F", kOncePerDay, 0},
    {L, "Latein", "L", kOncePerDay, 0},         {Bio, "Biologie", "Bio", kOncePerDay, 1},
    {Ch, "Chemie", "Ch", kOnlyDoubles, 2, 0, false, true},  {Ph, "Physik", "Ph", kOncePerDay, 3},
    {G, "Geschichte", "G", kOncePerDay, 0},     {Ek, "Erdkunde", "Ek", kOncePerDay, 0},
    {PoWi, "Politik und Wirtschaft", "PoWi", kOncePerDay, 0},
    {Rel, "Religion", "Rel", kOncePerDay, 0},   {Ku, "Kunst", "Ku", kOnlyDoubles, 4, 0, false, true},
    {Mu, "Musik", "Mu", kOncePerDay, 5},        {Sp, "Sport", "Sp", kOnlyDoubles, 6, 0, false, true},
    {Inf, "Informatik", "Inf", kOncePerDay, 7}, {WP, "Wahlpflicht", "WP", kOncePerDay, 0},
};

// The special rooms and how many of each the construction aims at; where a
// week needs more at some period, the school has more.
constexpr int kRooms = 7;
const RoomRow kRoomRows[kRooms] = {{"Biologieraum", 2}, {"Chemiesaal", 1}, {"Physiksaal", 2}, {"Kunstraum", 2},
                                   {"Musiksaal", 1},    {"Sporthalle", 3}, {"Computerraum", 1}};

// Single lessons a week in the grades 5 to 10 before the week is filled up;
// the "b" classes learn Latin in place of French.
struct CurriculumRow {
    Subject subject;
    int hours[kGrades];
};
const CurriculumRow kSingles[] = {
    {D, {4, 4, 4, 4, 4, 4}},   {M, {4, 4, 4, 4, 4, 4}},   {E, {4, 4, 4, 3, 3, 3}},    {F, {0, 4, 3, 3, 3, 3}},
    {Bio, {2, 2, 1, 1, 1, 2}}, {Ph, {0, 0, 2, 2, 2, 2}},  {G, {0, 2, 2, 2, 2, 2}},    {Ek, {2, 1, 1, 1, 1, 1}},
    {PoWi, {0, 0, 0, 1, 2, 2}}, {Rel, {2, 2, 2, 2, 2, 2}}, {Mu, {2, 2, 1, 1, 1, 0}}, {Inf, {0, 0, 0, 0, 1, 1}},
};
// Subjects that take up a week's spare cells, in turn, and how far.
const Subject kFillers[] = {D, M, E, G, Ek, Bio, Rel};
constexpr int kMostFillerHours = 5;

// Where a double period may stand without crossing a break or the lunch.
const std::array<int, 2> kDoublePeriods[] = {{1, 2}, {3, 4}, {5, 6}, {8, 9}};

constexpr int kNotTaught = -1;

template <typename T>
void shuffle(std::vector<T>& v)
{
    std::shuffle(v.begin(), v.end(), draws());
}

int gradeIndex(int cls) { return gradeOf(cls) - kFirstGrade; }
int leadingClassOf(int cls) { return cls - (cls - 1) % 4; }
bool hasAbilityGroups(int cls) { return gradeOf(cls) >= 7; }
int abilityGroupHours(int cls) { return gradeOf(cls) >= 9 ? 4 : 3; }

struct Cell {
    int day, period;
};

// The drawn week: the subject of each cell of each class, kNotTaught for the
// cells fixed absolutely.
struct Week {
    int cells[kClasses + 1][kDays + 1][kPeriods + 1] = {};
    int roomUse[kRooms + 1][kDays + 1][kPeriods + 1] = {};

    int& at(int c, int d, int p) { return cells[c][d][p]; }
    bool free(int c, int d, int p) const { return cells[c][d][p] == 0; }
    bool dayHolds(int c, int d, int s) const
    {
        for (int p = 1; p <= kPeriods; ++p)
            if (cells[c][d][p] == s)
                return true;
        return false;
    }
    // The lessons beyond the aim of a room that the subject at (d, p) would add.
    int overflow(int s, int d, int p) const
    {
        const int room = gSubjectAttr(s, kSpecialRoom);
        return room == 0 ? 0 : std::max(0, roomUse[room][d][p] + 1 - kRoomRows[room - 1].count);
    }
    void put(int c, int d, int p, int s)
    {
        cells[c][d][p] = s;
        if (const int room = gSubjectAttr(s, kSpecialRoom); room != 0)
            ++roomUse[room][d][p];
    }
};

// ---- The school's frame.

QString letterOf(int cls) { return QChar('a' + (cls - 1) % 4); }

// ---- The week.

// Mornings every day, period 6 off on two days in the grades 5 and 6, and
// one afternoon (two from grade 9 on).
void drawTaughtCells(Week& w)
{
    for (int c = 1; c <= kClasses; ++c) {
        std::vector<int> days{1, 2, 3, 4, 5};
        shuffle(days);
        const int afternoons = gradeOf(c) >= 9 ? 2 : 1;
        for (int d = 1; d <= kDays; ++d) {
            const int rank = static_cast<int>(std::find(days.begin(), days.end(), d) - days.begin());
            for (int p = 1; p <= kPeriods; ++p) {
                const bool afternoon = p > kLunchPeriod;
                const bool taught = p == kLunchPeriod ? false
                                    : afternoon       ? rank < afternoons
                                    : p == 6 && gradeOf(c) <= 6 ? rank >= 3
                                                                : true;
                w.at(c, d, p) = taught ? 0 : kNotTaught;
            }
        }
    }
}

// The same mornings cells of every class of a grade, on different days.
void drawAbilityGroups(Week& w)
{
    for (int lead = 1; lead <= kClasses; lead += 4) {
        if (!hasAbilityGroups(lead))
            continue;
        std::vector<int> days{1, 2, 3, 4, 5};
        shuffle(days);
        for (int k = 0; k < abilityGroupHours(lead); ++k) {
            const int p = drawUpTo(5);
            for (int c = lead; c < lead + 4; ++c)
                w.put(c, days[k], p, WP);
        }
    }
}

std::vector<Subject> doublesOf(int cls)
{
    std::vector<Subject> doubles{Sp};
    doubles.push_back(gradeOf(cls) <= 7 ? Ku : Ch);
    return doubles;
}

bool drawDoubles(Week& w, int c)
{
    for (Subject s : doublesOf(c)) {
        std::vector<Cell> places;
        for (int d = 1; d <= kDays; ++d)
            for (const auto& pair : kDoublePeriods)
                if (w.free(c, d, pair[0]) && w.free(c, d, pair[1]) && !w.dayHolds(c, d, s))
                    places.push_back({d, pair[0]});
        if (places.empty())
            return false;
        shuffle(places);
        const auto overflow = [&](const Cell& at) { return w.overflow(s, at.day, at.period) + w.overflow(s, at.day, at.period + 1); };
        const Cell best = *std::min_element(places.begin(), places.end(),
                                            [&](const Cell& a, const Cell& b) { return overflow(a) < overflow(b); });
        w.put(c, best.day, best.period, s);
        w.put(c, best.day, best.period + 1, s);
    }
    return true;
}

// The single lessons of the class's curriculum, filled up or cut to its free cells.
std::vector<std::pair<Subject, int>> singlesOf(int c, int freeCells)
{
    std::vector<std::pair<Subject, int>> singles;
    int total = 0;
    for (const CurriculumRow& row : kSingles) {
        const Subject s = row.subject == F && (c - 1) % 4 == 1 ? L : row.subject;
        singles.emplace_back(s, row.hours[gradeIndex(c)]);
        total += row.hours[gradeIndex(c)];
    }
    const auto hoursOf = [&](Subject s) -> int& {
        return std::find_if(singles.begin(), singles.end(), [s](const auto& e) { return e.first == s; })->second;
    };
    for (int k = 0; total < freeCells; k = (k + 1) % static_cast<int>(std::size(kFillers))) {
        int& hours = hoursOf(kFillers[k]);
        if (hours < kMostFillerHours) {
            ++hours;
            ++total;
        }
    }
    constexpr int kLastFiller = static_cast<int>(std::size(kFillers)) - 1;
    for (int k = kLastFiller; total > freeCells; k = k == 0 ? kLastFiller : k - 1) {
        int& hours = hoursOf(kFillers[k]);
        if (hours > 1) {
            --hours;
            --total;
        }
    }
    std::erase_if(singles, [](const auto& e) { return e.second == 0; });
    return singles;
}

// Each subject at most once a day: the days with most free cells take the
// subjects with most hours first, then each day's subjects go to its free
// cells in the order that overfills the special rooms least.
bool drawSingles(Week& w, int c)
{
    std::array<std::vector<int>, kDays + 1> freeCells;
    int total = 0;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            if (w.free(c, d, p)) {
                freeCells[d].push_back(p);
                ++total;
            }
    auto singles = singlesOf(c, total);
    shuffle(singles);
    std::stable_sort(singles.begin(), singles.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::array<std::vector<int>, kDays + 1> subjectsOn;
    for (const auto& [s, hours] : singles) {
        std::vector<int> days{1, 2, 3, 4, 5};
        shuffle(days);
        std::stable_sort(days.begin(), days.end(), [&](int a, int b) {
            return freeCells[a].size() - subjectsOn[a].size() > freeCells[b].size() - subjectsOn[b].size();
        });
        for (int k = 0; k < hours; ++k) {
            if (subjectsOn[days[k]].size() >= freeCells[days[k]].size())
                return false;
            subjectsOn[days[k]].push_back(s);
        }
    }
    for (int d = 1; d <= kDays; ++d) {
        std::vector<int> best;
        int leastOverflow = 0;
        for (int tries = 0; tries < 20; ++tries) {
            shuffle(subjectsOn[d]);
            int overflow = 0;
            for (std::size_t k = 0; k < subjectsOn[d].size(); ++k)
                overflow += w.overflow(subjectsOn[d][k], d, freeCells[d][k]);
            if (best.empty() || overflow < leastOverflow) {
                best = subjectsOn[d];
                leastOverflow = overflow;
            }
        }
        for (std::size_t k = 0; k < best.size(); ++k)
            w.put(c, d, freeCells[d][k], best[k]);
    }
    return true;
}

// ---- The teachers, read off the week.

struct Teacher {
    std::vector<int> subjects;
    int awayDay = 0;
    int load = 0;
    bool busy[kDays + 1][kPeriods + 1] = {};
};

struct Lessons {
    int cls;
    int subject;
    std::vector<Cell> cells;
};

class Staff {
public:
    // A teacher free in every cell, of the subject if any is, else one who
    // takes the subject up as a second, else a new one; 0 when the staff is full.
    int take(const Lessons& l, const std::vector<int>& besides)
    {
        int chosen = pick(l, besides, [&](const Teacher& t) { return teaches(t, l.subject); });
        if (chosen == 0)
            chosen = pick(l, besides, [](const Teacher& t) { return t.subjects.size() < 2; });
        if (chosen == 0 && hire(l))
            chosen = static_cast<int>(m_teachers.size());
        if (chosen == 0)
            return 0;
        Teacher& t = m_teachers[chosen - 1];
        if (!teaches(t, l.subject))
            t.subjects.push_back(l.subject);
        for (const Cell& at : l.cells)
            t.busy[at.day][at.period] = true;
        t.load += static_cast<int>(l.cells.size());
        return chosen;
    }
    const std::vector<Teacher>& teachers() const { return m_teachers; }

private:
    static bool teaches(const Teacher& t, int s)
    {
        return s == WP || std::find(t.subjects.begin(), t.subjects.end(), s) != t.subjects.end();
    }
    static bool canTake(const Teacher& t, const Lessons& l)
    {
        if (t.load + static_cast<int>(l.cells.size()) > kMostHoursPerTeacher)
            return false;
        return std::none_of(l.cells.begin(), l.cells.end(),
                            [&](const Cell& at) { return t.busy[at.day][at.period] || at.day == t.awayDay; });
    }
    template <typename Suits>
    int pick(const Lessons& l, const std::vector<int>& besides, Suits suits)
    {
        int best = 0;
        for (int k = 1; k <= static_cast<int>(m_teachers.size()); ++k) {
            const Teacher& t = m_teachers[k - 1];
            if (!suits(t) || !canTake(t, l) || std::find(besides.begin(), besides.end(), k) != besides.end())
                continue;
            if (best == 0 || t.load < m_teachers[best - 1].load)
                best = k;
        }
        return best;
    }
    bool hire(const Lessons& l)
    {
        if (static_cast<int>(m_teachers.size()) >= kMostTeachers)
            return false;
        Teacher t;
        if (chance(0.25)) {
            const int day = drawUpTo(kDays);
            if (std::none_of(l.cells.begin(), l.cells.end(), [day](const Cell& at) { return at.day == day; }))
                t.awayDay = day;
        }
        m_teachers.push_back(t);
        return true;
    }
    std::vector<Teacher> m_teachers;
};

std::vector<Cell> cellsOf(Week& w, int c, int s)
{
    std::vector<Cell> cells;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            if (w.at(c, d, p) == s)
                cells.push_back({d, p});
    return cells;
}

// The ability groups first, four teachers each, then the lessons with most
// hours; false when the staff would grow beyond the planner's capacity.
bool assignTeachers(Week& w, Staff& staff)
{
    std::vector<Lessons> all;
    for (int c = 1; c <= kClasses; ++c)
        for (int s = 1; s <= kSubjects; ++s)
            if (s != WP || c == leadingClassOf(c))
                if (auto cells = cellsOf(w, c, s); !cells.empty())
                    all.push_back({c, s, cells});
    std::stable_sort(all.begin(), all.end(), [](const Lessons& a, const Lessons& b) {
        return std::make_pair(a.subject != WP, -a.cells.size()) < std::make_pair(b.subject != WP, -b.cells.size());
    });
    for (const Lessons& l : all) {
        std::vector<int> chosen;
        for (int g = 0; g < (l.subject == WP ? 4 : 1); ++g) {
            const int t = staff.take(l, chosen);
            if (t == 0)
                return false;
            gSubjectTeachers(l.cls, l.subject, g) = static_cast<short>(t);
            chosen.push_back(t);
        }
        if (l.subject == D)
            gFormTeacher(l.cls) = static_cast<short>(chosen.front());
    }
    return true;
}

void setTeachers(const Staff& staff)
{
    const auto& all = staff.teachers();
    for (int t = 1; t <= static_cast<int>(all.size()); ++t) {
        gTeacherNames(t) = QStringLiteral("Lehrkraft %1").arg(t, 2, 10, QLatin1Char('0'));
        gTeacherShort(t) = QStringLiteral("L%1").arg(t, 2, 10, QLatin1Char('0'));
        if (const int day = all[t - 1].awayDay; day != 0)
            for (int p = 1; p <= kPeriods; ++p)
                gTeacherUnavailable(t, day, p) = kCannotCome;
    }
}

// As many of each room as the week needs at its busiest period.
void setRooms(const Week& w)
{
    std::array<RoomRow, kRooms> rooms;
    for (int r = 1; r <= kRooms; ++r) {
        int needed = 1;
        for (int d = 1; d <= kDays; ++d)
            for (int p = 1; p <= kPeriods; ++p)
                needed = std::max(needed, w.roomUse[r][d][p]);
        rooms[r - 1] = {kRoomRows[r - 1].name, static_cast<short>(needed)};
    }
    school_building::setRooms(rooms);
}

void setCurriculum(Week& w)
{
    for (int c = 1; c <= kClasses; ++c)
        for (int s = 1; s <= kSubjects; ++s) {
            const auto hours = static_cast<short>(cellsOf(w, c, s).size());
            gCurriculumHours(c, s) = hours;
            if (hours != 0)
                gClassSubjectHours(c, s) = Currency::fromDouble(hours);
        }
}

// The week into the grid through the editor's own cell procedure, the
// ability groups through their leading class.
void setPlan(Week& w)
{
    for (int c = 1; c <= kClasses; ++c)
        for (int d = 1; d <= kDays; ++d)
            for (int p = 1; p <= kPeriods; ++p) {
                const int s = w.at(c, d, p);
                if (s == kNotTaught)
                    fixBoth(d, p, c, kAbsolute);
                else if (s != WP || c == leadingClassOf(c))
                    placeLesson(d, p, c, s);
            }
    RebuildTeacherTimetables();
}

int gTeachers = 0;

bool drawWeek(Week& w)
{
    drawTaughtCells(w);
    drawAbilityGroups(w);
    for (int c = 1; c <= kClasses; ++c)
        if (!drawDoubles(w, c) || !drawSingles(w, c))
            return false;
    return true;
}

}

void build(std::uint32_t seed)
{
    school_building::seed(seed);
    setWeek(QStringLiteral("Gesamtschule am Mühlbach"));
    setClasses(letterOf);
    school_building::setSubjects(kSubjectRows, WP);
    orderSubjects();
    for (;;) {
        Week w;
        Staff staff;
        if (!drawWeek(w) || !assignTeachers(w, staff)) {
            for (int c = 1; c <= kClasses; ++c)
                for (int s = 1; s <= kSubjects; ++s)
                    for (int g = 0; g < 4; ++g)
                        gSubjectTeachers(c, s, g) = 0;
            continue;
        }
        setTeachers(staff);
        setRooms(w);
        setCurriculum(w);
        setPlan(w);
        gTeachers = static_cast<int>(staff.teachers().size());
        break;
    }
    gPlanName = QStringLiteral("1");
    gPlanTitle = QStringLiteral("Konstruierte Schule %1").arg(seed);
}

int teachers() { return gTeachers; }

}
