#pragma once
// The nine kinds of register entry, in the order of the entry window's option
// buttons, with the fields each kind needs accepted before it can be written.
#include <array>

namespace entrykinds {

enum Field : unsigned {
    ShortName = 1,
    Class = 2,
    Period = 4,
    Subject = 8,
    Student = 16,
    Text = 32,
    Room = 64,
};

struct Kind {
    const char* caption;
    const char* code;
    unsigned needs;
    bool withStudent;
};

inline constexpr std::array<Kind, 9> kKinds{{
    {"Absenz", "01", ShortName | Class | Period | Student, true},
    {"Rückkehr", "02", ShortName | Class | Period | Student, true},
    {"Stoff", "03", ShortName | Class | Period | Subject | Text, false},
    {"Störung", "04", ShortName | Class | Student | Text, true},
    {"Info Klassenlehrer", "05", ShortName | Class | Text, false},
    {"Info an alle", "06", ShortName | Class | Text, false},
    {"Termin Klasse", "07", ShortName | Class | Text, false},
    {"Termin Schule", "08", ShortName | Text, false},
    {"Raumreservierung", "09", ShortName | Class | Period | Subject | Room, false},
}};

inline constexpr int kRoomReservation = 8;
}
