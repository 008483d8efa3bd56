#include "planner/editor/rule_chains.h"

#include "core/model.h"
#include "planner/editor/placement_rules.h"

#include <initializer_list>

namespace {
using Rule = void (*)();

bool runUntilRefused(std::initializer_list<Rule> chain)
{
    for (Rule rule : chain) {
        rule();
        if (gCheckOk == 0)
            return false;
    }
    return true;
}
}

bool RunStandardChain()
{
    return runUntilRefused({CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks, CheckWeeklyQuota,
                            CheckClassCombination, CheckRoomCapacity, CheckPeriodLimits,
                            CheckAbilityGroupParallel, CheckAbilityGroupConflict, CheckCellSide,
                            CheckCombinedSubject, CheckNotConsecutiveDays, CheckTeacherMaxConsecutive,
                            CheckNotSameDayWith, CheckTeacherClash, CheckNonCognitiveSubject,
                            CheckNotAcrossBreak, CheckChaining});
}

bool RunOptimiserChain()
{
    return runUntilRefused({CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks, CheckWeeklyQuota,
                            CheckClassCombination, CheckRoomCapacity, CheckPeriodLimits,
                            CheckAbilityGroupParallel, CheckAbilityGroupConflict, CheckCellSide,
                            CheckCombinedSubject, CheckTeacherMaxConsecutive, CheckNotConsecutiveDays,
                            CheckNotSameDayWith, CheckTeacherClash, CheckNonCognitiveSubject,
                            CheckNotAcrossBreak, CheckChaining});
}

bool RunParallelClassChain()
{
    return runUntilRefused({CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks, CheckWeeklyQuota,
                            CheckClassCombination, CheckRoomCapacity, CheckPeriodLimits, CheckAbilityGroupConflict,
                            CheckCellSide, CheckCombinedSubject, CheckTeacherMaxConsecutive,
                            CheckNotConsecutiveDays, CheckNotSameDayWith, CheckTeacherClash,
                            CheckNonCognitiveSubject, CheckNotAcrossBreak, CheckChaining});
}

bool RunErrorCheckChain()
{
    if (!runUntilRefused({CheckInCurriculum, CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks,
                          CheckWeeklyQuota}))
        return false;
    // Combinations are checked from the first group row only.
    if (gHalf == 0 && !runUntilRefused({CheckClassCombination}))
        return false;
    return runUntilRefused({CheckRoomCapacity, CheckPeriodLimits, CheckAbilityGroupConflict, CheckCellSide,
                            CheckNotConsecutiveDays, CheckTeacherMaxConsecutive, CheckNotSameDayWith,
                            CheckTeacherClash, CheckNonCognitiveSubject, CheckNotAcrossBreak,
                            CheckChaining});
}

bool RunPartnerChain()
{
    return runUntilRefused({CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks, CheckWeeklyQuota,
                            CheckRoomCapacity, CheckPeriodLimits, CheckTeacherMaxConsecutive,
                            CheckNotSameDayWith, CheckTeacherClash, CheckNotAcrossBreak, CheckChaining});
}

QStringList RefusalsOfStandardChain()
{
    QStringList refusals;
    for (Rule rule : {CheckTeacherAvailable, CheckMaxPerDay, CheckBlocks, CheckWeeklyQuota,
                      CheckClassCombination, CheckRoomCapacity, CheckPeriodLimits, CheckAbilityGroupParallel,
                      CheckAbilityGroupConflict, CheckCellSide, CheckCombinedSubject, CheckNotConsecutiveDays,
                      CheckTeacherMaxConsecutive, CheckNotSameDayWith, CheckTeacherClash,
                      CheckNonCognitiveSubject, CheckNotAcrossBreak, CheckChaining}) {
        gCheckOk = 1;
        rule();
        if (gCheckOk == 0)
            refusals << gText.toString();
    }
    return refusals;
}
