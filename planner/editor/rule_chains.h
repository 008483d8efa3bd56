#pragma once
// The orders in which the callers run the placement rules. A chain stops at
// the first rule that refuses: gCheckOk is then 0 and gText holds its message.
#include <QStringList>

// The editor's cell click, the random release step and the candidate count.
bool RunStandardChain();
// The optimiser's placements: the standard chain with the teacher's maximum
// run checked before the neighbouring days.
bool RunOptimiserChain();
// An ability-group lesson entered through its leading class, in each
// parallel class it fills: the optimiser chain without the rule that admits
// ability groups only through the leading class.
bool RunParallelClassChain();
// The editor's error check of a placed lesson.
bool RunErrorCheckChain();
// The partner subject's rules inside CheckCombinedSubject.
bool RunPartnerChain();
// Every rule of the standard chain, each on its own: the messages of all that
// refuse, in chain order (the "warum nicht ..." window).
QStringList RefusalsOfStandardChain();
