#pragma once
// Start-up reading of the timetable planner's files on the school's structure:
// classes and form teachers, subjects with their difficulty weights and order,
// combinations, special rooms and period times.

// "Klassen.txt": names, print names and skip flags of the classes.
void ReadClassFile();
// "kv.dat": the form teacher of each class.
void ReadFormTeachers();
// "Fach2.txt", else the older "Fach.txt"; then the difficulty weights and
// gSubjectOrder.
void ReadSubjectFile();
// The difficulty weight of every subject into column 16 and the subjects by
// descending weight into gSubjectOrder, as after reading the subject file.
void OrderSubjectsByWeight();
// "Kombi.dat", each combination also entered from its other side.
void ReadCombinations();
// "Räume.dat": names and availability of the special rooms. `fullWeek`: the
// availability is stored for 6 days of 11 periods, whatever the week's shape.
void ReadSpecialRooms(bool fullWeek);
// "Time.txt": period captions and times, lunch period, big breaks.
void ReadPeriodTimes();
