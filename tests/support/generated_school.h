#pragma once
// A made-up secondary school at the planner's capacity, drawn from a seed, for
// the optimiser's benchmark, its headless driver and the tests: 24 classes in
// the grades 5 to 10 (each grade led by its "a" class, grades 5 to 9 with an
// "R" class outside the ability groups), 60 teachers with their longest runs,
// days they cannot come, supervisions and wishes, about 700 weekly hours with
// ability groups, Ethics beside Religion, Geography of the "R" and "c"
// classes combined, double periods and special rooms with time rules.
//
// The school goes into the data model through the variables the loaders of
// the data folder fill, so every procedure sees it as a school read from
// disk. It comes with its reference plan: built lesson by lesson through the
// optimiser's own placement rules, complete, the lunch period, every free
// afternoon and the ability groups fixed absolutely, every other lesson
// unfixed. A lesson the construction could not place leaves the curriculum,
// so the reference plan always holds it all.
#include "tests/support/school_building.h"

#include <cstdint>

namespace generated_school {

using school_building::kClasses;
using school_building::kDays;
using school_building::kLunchPeriod;
using school_building::kPeriods;
constexpr int kTeachers = 60;

// What a school may be built with beyond the default.
struct Options {
    // The ability groups of the reference plan are left unfixed, so that the
    // optimiser has to place them again through the leading classes.
    bool openAbilityGroups = false;
};

// Fills the model (after resetModel and InitialiseConstants) with the school
// of `seed` and its reference plan, as plan "1".
void build(std::uint32_t seed, const Options& options = {});

// The weekly hours of the curriculum, both group rows counted.
int weeklyHours();

// Mode 1's task: every lesson fixed temporarily but those of `day` in the
// classes "6b", "8c" and "10d", whose lessons are taken out.
void openOneDayOfThreeClasses(int day);

// Mode 0's task: every lesson that is not fixed taken out of the grid.
void clearOpenLessons();

}
