#pragma once
// Keeping the saved plans in order: the plan list "Pläne.lst" rebuilt from
// the plan files actually present, and plans deleted with all their files.
// A plan n is the set of files <tag>n.xxx with three-character tags; its
// "T&E" file holds its title on line 3.
#include "platform/datafile.h"

#include <QSet>
#include <QString>
#include <functional>
#include <vector>

// The files of the data folder, listed once: looking every plan number up
// must not read the folder once per number. Names compare in any letter case.
class PlanFolder {
public:
    PlanFolder();
    bool hasPlan(int plan) const;
    // Every file "???<plan>.xxx" (any three characters, any letter case).
    QStringList filesOf(int plan) const;

private:
    QString m_folder;
    QStringList m_names;
    QSet<QString> m_lowerNames;
};

// Looks for the plans 1..kHighestPlan in ascending order and writes every plan found
// to "Pläne.lst", highest first. `progress` is told the plan number after
// every tenth look-up. gPlanNumbers keeps what fits of the plans found, in
// ascending order, gPlanCount their number.
datafile::WriteResult RebuildPlanList(const std::function<void(int plan)>& progress = {});

// The plan numbers of "Pläne.lst", rounded, every line kept; a line that is
// no number beeps, is skipped and leaves gCheckOk = 0. Empty without the file.
std::vector<int> ReadPlanList();

// Writes the plans greater than 0 to "Pläne.lst" in their order; gPlanNumbers
// keeps what fits of them and gPlanCount their number.
datafile::WriteResult WritePlanList(const std::vector<int>& plans);

// The model's table gPlanNumbers keeps the first 200 plans (a number that
// does not fit counts as 0), gPlanCount the number of all.
void KeepPlanNumbers(const std::vector<int>& plans);

// Deletes every file of the plan; returns the names of those that stayed.
QStringList DeletePlanFiles(const PlanFolder& folder, int plan);
