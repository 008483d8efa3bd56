#pragma once
// The frame the made-up schools of the tests share: a week of five days of
// nine periods with the lunch in the seventh, 24 classes in the grades 5 to
// 10, four to a grade, the subject table and the special rooms, and the draws
// that make a school of a seed. Each school brings its own rows and calls
// these steps after resetModel and InitialiseConstants.
#include <QString>

#include <cstdint>
#include <random>
#include <span>

namespace school_building {

constexpr int kClasses = 24;
constexpr int kDays = 5;
constexpr int kPeriods = 9;
constexpr int kLunchPeriod = 7;
constexpr int kGrades = 6;
constexpr int kFirstGrade = 5;

// Codes of gFixations and gTeacherUnavailable.
constexpr short kAbsolute = 4;
constexpr short kCannotCome = 9;

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

// Block rules by their codes.
constexpr short kOncePerDay = 0;
constexpr short kDoublesAllowed = 1;
constexpr short kOnlyDoubles = 2;

// The grade of a class: four classes to a grade from class 1 on.
int gradeOf(int cls);

// The draws of the school being built, seeded by `seed`.
void seed(std::uint32_t seed);
std::mt19937& draws();
int drawUpTo(int n); // 1..n
bool chance(double p);

void setWeek(const QString& schoolName);

// Class c is named by its grade and the letter `letterOf(c)`.
void setClasses(QString (*letterOf)(int cls));

struct SubjectRow {
    int subject;
    const char* name;
    const char* shortName;
    short blockRule;
    short room;
    short timeRule = 0;
    bool nonCognitive = false;
    bool notAcrossBreak = false;
};
// The subjects of the rows, each taught by one teacher but `abilityGroups`,
// whose year-wide groups have up to four. The rules a school adds go in
// before orderSubjects, which weighs them.
void setSubjects(std::span<const SubjectRow> rows, int abilityGroups);
// The subjects in order of weight, every one of them optimised.
void orderSubjects();

// Special rooms 1.. and how many of each there are.
struct RoomRow {
    const char* name;
    short count;
};
void setRooms(std::span<const RoomRow> rooms);

// The cell (d, p) of class c, group row 0, and subject s, where the editor's
// procedures read them.
void selectCell(int d, int p, int c, int s);
// Lesson `s` into the grid through the editor's own cell procedure.
void placeLesson(int d, int p, int c, int s);
// Both group rows of a cell fixed with `code`.
void fixBoth(int d, int p, int c, short code);

}
