#pragma once
// Safe look-ups shared by the placement rules. Subject, teacher and room
// numbers come from files written elsewhere; a number outside its table names
// nothing, so every look-up here answers 0 or "" for it instead of reaching
// outside the table.
#include <QString>

#include <concepts>
#include <vector>

namespace rules {

// The cell and subject the rules are asked about (gDay, gPeriod, gClass,
// gHalf, gSubject).
struct Placement {
    int day, period, cls, half, subject;
};
Placement current();

// Refuses the placement with a message. A message is made only when someone
// may read it: inside a QuietRefusals scope gText is left as it is.
void refuse(const char* message);
template <std::invocable Compose>
void refuse(Compose compose);

// While one lives, refusals leave gText alone: a search that only wants to
// know whether a subject fits spares the German texts. Only around rule calls
// that run no event loop, so the editor's and "warum nicht ..."'s own rule
// calls always get their texts.
class QuietRefusals {
public:
    QuietRefusals();
    ~QuietRefusals();
    QuietRefusals(const QuietRefusals&) = delete;
    QuietRefusals& operator=(const QuietRefusals&) = delete;
};
// Whether a refusal's text is wanted now; rules that write gText without
// refusing ask this too.
bool refusalTextWanted();
void refuseWithText(const QString& message);
void refuseQuietly();

template <std::invocable Compose>
void refuse(Compose compose)
{
    if (refusalTextWanted())
        refuseWithText(compose());
    else
        refuseQuietly();
}

// Subject in / fixation code of a cell of the grid; 0 outside it.
short lessonAt(int day, int period, int cls, int half);
short fixationAt(int day, int period, int cls, int half);
// Whether either group row of a class's cell holds the subject.
bool holdsAt(int day, int period, int cls, int subject);

// Whether a number names a subject slot 1..99.
bool isSubject(int subject);
// A column of gSubjectAttr; 0 for a subject outside the table.
short property(int subject, int column);
// The block rule 0..9 of a subject (property 3).
short blockCode(int subject);
// The block length a "nur" block rule (2, 4, 6, 8) demands; 0 for the other rules.
int requiredBlock(int code);
// The screen short name of a subject.
QString screenName(int subject);
QString className(int cls);

// The teacher in a slot 0..9 of the lesson of `subject` in class `cls`; 0
// when the slot is empty or names no teacher the teacher tables hold.
int lessonTeacher(int cls, int subject, int slot);
constexpr int kTeacherSlots = 10;

// Rows of the class combination table; rows 41..80 mirror rows 1..40, so
// each combination is found from either side.
constexpr int kCombinationRows = 80;

// A lesson of a class: a subject as it stands in the class's curriculum.
struct ClassLesson {
    int subject, cls;
    bool operator==(const ClassLesson&) const = default;
};
// The lessons that the class combination table ties to `subject` of class
// `cls`, directly or through one another: each stands in the same period as
// it in its own class. Without the lesson itself; in the order found.
std::vector<ClassLesson> coupledLessons(int cls, int subject);
// The lessons the table ties directly to `subject` of class `cls`.
std::vector<ClassLesson> combinationPartners(int cls, int subject);
// Whether the lesson in group row 0 of the cell misses a lesson the table
// ties to it in another class at that time: half a coupled lesson.
bool isLoneHalf(int day, int period, int cls);

}
