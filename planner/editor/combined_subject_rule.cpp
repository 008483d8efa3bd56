#include "core/model.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_lookup.h"

void CheckCombinedSubject()
{
    const Variant subject = gSubject;
    const int partner = rules::property(subject.toInt(), 6);
    // A partner number that names no subject leaves nothing to check.
    if (!rules::isSubject(partner) || gHalf == 1)
        return;
    gSubject = partner;
    gHalf = 1;
    const bool allowed = RunPartnerChain();
    gSubject = subject;
    gHalf = 0;
    if (!allowed)
        gText = "Kombifachproblem: " + gText.toString();
}
