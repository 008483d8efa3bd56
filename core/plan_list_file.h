#pragma once
// The plan list "Pläne.lst": the numbers of the saved plans, one a line,
// highest first. Every window that reads, checks, rebuilds or writes the list
// goes through here, so they all see the same plans.
//
// What a line is, wherever it is read:
// - a number whose value is a whole plan number 0..32767, blanks around it
//   allowed, names that plan: " 5 " (as a save writes it), "5" (the one line
//   of a list a save has just created), " 5.0 " and " 5,0 " are plan 5;
// - an empty line, or one of blanks only, names no plan and hides none;
// - any other line is damage: a text, garbage bytes, a fraction such as 5.4,
//   a number below 0 or above 32767. It names no plan: rounding it would make
//   up a plan the list never named.
// A plan named by the list still counts as saved only while its header file
// "T&E<n>.xxx" is in the data folder.
#include "platform/datafile.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The files of the data folder, listed once: looking every plan number up
// must not read the folder once per number. Names compare in any letter case.
class PlanFolder {
public:
    PlanFolder();
    // Whether the header file "T&E<plan>.xxx" is there.
    bool hasPlan(int plan) const;
    // The plans 1..32767 whose header file is there, highest first. A name
    // with a leading zero names no plan: a save never writes one.
    std::vector<short> plans() const;
    // Every file "???<plan>.xxx" (any three characters, any letter case).
    QStringList filesOf(int plan) const;

private:
    QString m_folder;
    QStringList m_names;
    // The names of the header files, in lower case.
    QSet<QString> m_headers;
};

// The list as it is on disk, read line by line by the rule above.
struct PlanList {
    // The plans named, in the list's order, repeats kept.
    std::vector<short> plans;
    // Lines that are damage.
    int damagedLines = 0;
    // Empty lines and lines of blanks: no number, but no damage either.
    int blankLines = 0;
    // The list is there but could not be read.
    bool unreadable = false;
};
PlanList ReadPlanList();

// The plans "Pläne.lst" names; empty without the list.
std::vector<short> ListedPlans();

// The saved plans as a window offers them: those `listed` names that have
// their header file, each once and in the list's order, then the plans of the
// folder the list misses, highest first. Nothing is hidden by a list that
// misses plans or names plans twice.
std::vector<short> OfferedPlans(const std::vector<short>& listed);

// True when "Pläne.lst" is there but cannot be read, holds a damaged line, or
// misses a plan whose header file is in the data folder (an empty list, or
// none, beside saved plans): each of these hides plans from whoever goes by
// the list.
bool PlanListIsDamaged();

// At start-up: the number of the list's lines, every one, into gPlanCount
// (its attributes cleared first, as the planner writes it again).
void CountPlanList();

// The list with plan gPlanName entered, for a save that writes it in one set
// with the plan's files (datafile::rewriteSet): a list of one line holding
// the plan's name as text where there is none. Once the set is written,
// keep() leaves gPlanNumbers and gPlanCount as the list is.
struct PlanListEntry {
    datafile::FileBytes file;
    // Why the list could not be read: nothing is to be written then.
    QString unreadable;
    std::vector<short> plans;
    // A list just created counts its one line, whatever the plan is called.
    bool created = false;
    void keep() const;
};
PlanListEntry EnterIntoPlanList();

// Looks for the plans 1..32767 in ascending order and writes every plan found
// to the list, highest first. `progress` is told the plan number after every
// tenth look-up. gPlanNumbers keeps what fits of the plans found, in
// ascending order, gPlanCount their number.
datafile::WriteResult RebuildPlanList(const std::function<void(int plan)>& progress = {});

// Writes the plans greater than 0 to the list, highest first, as every
// writer of the list does; gPlanNumbers keeps what fits of them and
// gPlanCount their number.
datafile::WriteResult WritePlanList(const std::vector<short>& plans);

// The model's table gPlanNumbers keeps the first 200 plans, gPlanCount the
// number of all.
void KeepPlanNumbers(const std::vector<short>& plans);
