#pragma once
// The placement rules of the timetable. Each decides whether the subject
// gSubject may stand in the cell gDay, gPeriod, gClass, gHalf and leaves the
// answer in gCheckOk (1 allowed, 0 refused) with its German message in gText.
// No rule changes the timetable, the teacher-side tables or any file.

// Teachers and special rooms.
void CheckTeacherAvailable();
void CheckRoomCapacity();
void CheckTeacherMaxConsecutive();
void CheckTeacherClash();

// Hours and blocks.
void CheckInCurriculum();
void CheckMaxPerDay();
void CheckBlocks();
void CheckWeeklyQuota();
void CheckNotAcrossBreak();

// Group rows, ability groups and combinations.
void CheckClassCombination();
void CheckAbilityGroupParallel();
void CheckAbilityGroupConflict();
void CheckCellSide();
void CheckCombinedSubject();

// Days and periods.
void CheckPeriodLimits();
void CheckNotConsecutiveDays();
void CheckNotSameDayWith();
void CheckNonCognitiveSubject();
void CheckChaining();
