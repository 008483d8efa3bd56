#pragma once
// A made-up comprehensive school as hard to plan as a real one, drawn from a
// seed: 24 classes in the grades 5 to 10, every cell of a class's week taught
// but the lunch period and the free afternoons, which are fixed absolutely;
// double periods of Sport, Chemistry and Art that must not cross a break;
// halls and labs shared by several classes; year-wide ability groups in the
// grades 7 to 10 that are free of fixations; teachers who cannot come one day.
//
// It is solvable by construction: a complete week is drawn first, and the
// curriculum, the teachers and the number of each special room are read off
// it, so the reference plan that comes with it (plan "1", every lesson
// unfixed) is a complete plan that the error check accepts.
#include "tests/support/school_building.h"

#include <cstdint>

namespace constructed_school {

using school_building::kClasses;
using school_building::kDays;
using school_building::kLunchPeriod;
using school_building::kPeriods;

// Fills the model (after resetModel and InitialiseConstants) with the school
// of `seed` and its reference plan.
void build(std::uint32_t seed);

// The teachers the construction needed.
int teachers();

}
