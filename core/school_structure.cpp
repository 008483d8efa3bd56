#include "core/school_structure.h"

#include "core/master_data.h"
#include "core/model.h"
#include "platform/datafile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <utility>

namespace {
constexpr int kClassSlots = 24;
constexpr int kSubjectSlots = 99;
constexpr int kCombinationRows = 40;
constexpr int kSpecialRooms = 16;
constexpr int kPeriodSlots = 11;

// Properties that name an entry of another table, with that table's last index;
// a value outside it reads as 0, so no table is ever indexed outside its bounds.
constexpr std::array<std::pair<int, short>, 13> kReferenceProperties{{
    {1, 12}, {3, 9}, {5, 9}, {6, 99}, {7, 10}, {8, 16}, {10, 99},
    {11, 99}, {12, 99}, {17, 99}, {18, 16}, {19, 16}, {20, 16},
}};

void checkReferences(int s)
{
    for (const auto& [property, last] : kReferenceProperties) {
        short& v = gSubjectAttr(s, property);
        if (v < 0 || v > last)
            v = 0;
    }
}

void readSubjects(datafile::Reader& in, int lastProperty)
{
    for (int s = 1; s <= kSubjectSlots; ++s) {
        for (int column = 0; column <= 2; ++column)
            in.lineInput(gSubjectNames(s, column));
        for (int p = 0; p <= lastProperty; ++p)
            in.numberInput(gSubjectAttr(s, p));
        checkReferences(s);
    }
}

int blockRuleWeight(int rule)
{
    switch (rule) {
    case 2: return 1;
    case 4: return 2;
    case 6: return 3;
    case 8: return 4;
    default: return 0;
    }
}

int timeRuleWeight(int rule)
{
    switch (rule) {
    case 2:
    case 4: return 3;
    case 3: return 2;
    default: return rule >= 5 && rule <= 10 ? 1 : 0;
    }
}

// Difficulty weight of subject `s`: what makes it hard to place.
int subjectWeight(int s)
{
    const auto attr = [s](int p) { return static_cast<int>(gSubjectAttr(s, p)); };
    return 3 * attr(4) + (attr(6) > 0) + (attr(8) > 0) + (attr(9) > 0) + blockRuleWeight(attr(3))
        + timeRuleWeight(attr(7));
}
}

// Weights in column 16, then the subjects by descending weight; equal weights
// keep ascending subject numbers. Column 16 moves with the order.
void OrderSubjectsByWeight()
{
    std::array<short, kSubjectSlots + 1> weight{};
    for (int s = 1; s <= kSubjectSlots; ++s) {
        if (gSubjectAttr(s, 2) > 0)
            gSubjectAttr(s, 6) = 0;
        weight[s] = static_cast<short>(std::clamp(subjectWeight(s), SHRT_MIN, SHRT_MAX));
    }
    std::array<short, kSubjectSlots> order{};
    std::iota(order.begin(), order.end(), short{1});
    std::stable_sort(order.begin(), order.end(), [&](short a, short b) { return weight[a] > weight[b]; });
    for (int k = 1; k <= kSubjectSlots; ++k) {
        gSubjectOrder(k) = order[k - 1];
        gSubjectAttr(k, 16) = weight[order[k - 1]];
    }
}

void ReadClassFile()
{
    gClassNames(0) = QStringLiteral("=");
    if (!FindWritableDataFile(QStringLiteral("Klassen.txt")))
        return;
    datafile::Reader in(gFileName);
    for (int c = 1; c <= kClassSlots; ++c)
        in.lineInput(gClassNames(c));
    for (int c = 1; c <= kClassSlots; ++c) {
        in.lineInput(gClassPrintNames(c));
        if (gClassPrintNames(c).isEmpty())
            gClassPrintNames(c) = gClassNames(c).toString();
    }
    for (int c = 1; c <= kClassSlots; ++c)
        in.numberInput(gClassSkipFlag(c));
}

void ReadFormTeachers()
{
    if (!FindWritableDataFile(QStringLiteral("kv.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int c = 1; c <= kClassSlots; ++c) {
        in.numberInput(gFormTeacher(c));
        if (gFormTeacher(c) < 0 || gFormTeacher(c) > 60)
            gFormTeacher(c) = 0;
    }
}

void ReadSubjectFile()
{
    for (int column = 0; column <= 2; ++column)
        gSubjectNames(0, column) = QStringLiteral("=");
    if (FindWritableDataFile(QStringLiteral("Fach2.txt"))) {
        datafile::Reader in(gFileName);
        readSubjects(in, 30);
    } else if (FindWritableDataFile(QStringLiteral("Fach.txt"))) {
        datafile::Reader in(gFileName);
        readSubjects(in, 15);
    } else {
        return;
    }
    OrderSubjectsByWeight();
}

void ReadCombinations()
{
    if (!FindWritableDataFile(QStringLiteral("Kombi.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int row = 1; row <= kCombinationRows; ++row) {
        for (int field = 1; field <= 4; ++field) {
            Variant& v = gClassCombinations(row, field);
            v = 0;
            in.numberInput(v);
            // Fields 1 and 3 are subjects, 2 and 4 classes.
            const int last = field % 2 ? kSubjectSlots : kClassSlots;
            if (!(v >= 0 && v <= last))
                v = 0;
        }
    }
    for (int row = 1; row <= kCombinationRows; ++row) {
        for (int field = 1; field <= 4; ++field)
            gClassCombinations(row + kCombinationRows, field) = gClassCombinations(row, (field + 1) % 4 + 1);
    }
}

// Names after the end of the file stay free ("-"), not copies of the last one.
void ReadSpecialRooms(bool fullWeek)
{
    gSpecialRoomNames(0) = QStringLiteral("Klasse - kein Bedarf");
    gSpecialRoomCount = kSpecialRooms;
    if (!FindWritableDataFile(QStringLiteral("Räume.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int r = 1; r <= kSpecialRooms; ++r) {
        QString name;
        in.lineInput(name);
        name = name.trimmed();
        gSpecialRoomNames(r) = name.size() < 2 ? QStringLiteral("-") : name;
    }
    const int days = fullWeek ? 6 : gDaysPerWeek.toInt();
    const int periods = fullWeek ? 11 : gPeriodsPerDay.toInt();
    for (int r = 1; r <= kSpecialRooms; ++r) {
        for (int day = 1; day <= days; ++day) {
            for (int period = 1; period <= periods; ++period)
                in.numberInput(gSpecialRoomAvailability(r, day, period));
        }
    }
}

void ReadPeriodTimes()
{
    if (!FindWritableDataFile(QStringLiteral("Time.txt")))
        return;
    datafile::Reader in(gFileName);
    for (int p = 1; p <= kPeriodSlots; ++p) {
        in.lineInput(gPeriodLabels(p));
        in.lineInput(gPeriodTimes(p));
    }
    in.numberInput(gLunchPeriod);
    if (!(gLunchPeriod >= 0 && gLunchPeriod <= kPeriodSlots))
        gLunchPeriod = 0;
    for (int b = 1; b <= 3; ++b) {
        gBreakAfter(b) = 0;
        QString line;
        if (!in.lineInput(line))
            continue;
        // A break lies after one of the periods or nowhere.
        const auto period = numbers::toInt16(numbers::val(line));
        if (period && *period >= 0 && *period <= kPeriodSlots)
            gBreakAfter(b) = *period;
    }
}
