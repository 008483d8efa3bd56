#pragma once
// The plan list "Pläne.lst": the numbers of the saved plans, one a line,
// highest first.
#include <vector>

// Enters plan gPlanName into the list, creating it when there is none, and
// leaves gPlanNumbers and gPlanCount. False when the list could not be read
// or written.
bool EnterIntoPlanList();

// The plan numbers of "Pläne.lst" as listed; empty without the list.
std::vector<short> ListedPlans();

// The plans whose header file "T&E<n>.xxx" is in the data folder.
std::vector<short> PlansInFolder();

// True when "Pläne.lst" is there but cannot be read, a line of it is neither
// empty nor a plan number, or it does not name a plan whose header file is in
// the data folder (an empty list, or none, beside saved plans): each of these
// hides plans from whoever goes by the list.
bool PlanListIsDamaged();
