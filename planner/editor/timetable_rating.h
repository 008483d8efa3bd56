#pragma once
// Rating a timetable from the teachers' side: gaps ("Fenster"), series gaps
// ("Serienfenster", lesson-gap-lesson-gap-lesson), wishes met and not met,
// blocked periods and early finishes. The lower the score, the better the
// plan. Like the other module procedures these take no arguments.

// Evaluates the week of the teacher in gTeacher into gTeacherHours,
// gTeacherGaps, gSeriesGaps, gWishPeriods, gWishTotal, gGapWeight and
// gEvalCount, and adds the gaps found per weekday to gDayCounts (which it does
// not clear). A number that names no teacher of the tables gives an empty week.
void ComputeTeacherGaps();

// Evaluates every named teacher with lessons and combines the figures under
// the free-period rules (gTeachingLoad, gGapsForLoad, gWishWeight,
// gEarlyFinishPeriods, gGapRules(11)) into gQualityRatio, the mean of the
// teachers' terms; also sets gSumSeriesGaps, gWeightedGaps, gSumHours,
// gSumWishes, gWishCount, gDayCounts and, with early finishes on, gDayCounts2.
// Leaves gTeacher at the last teacher evaluated.
void RateTimetable();
