#pragma once
// The substitution statistics: for a range of finished days, per teacher the
// lessons missed and the paid and unpaid substitutions held, printed as a
// table.
#include "platform/forms.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

class QLabel;
class QPushButton;
class TextBox;

// One teacher's counts over the range.
struct TeacherTally {
    int missed = 0;
    int paid = 0;
    int unpaid = 0;
    int total() const { return missed + paid + unpaid; }
};
// Indexed by teacher slot 1..60; slot 0 stays empty.
using StatisticsTallies = std::array<TeacherTally, 61>;

// The counts of a range and the notices of the files that could not be read
// for it, which the counts lack.
struct SubstitutionStatistics {
    StatisticsTallies tallies{};
    QStringList unreadable;
};

// Counts the days of "date.sup" from `first` to `last`, both included, up to
// its first empty line. A substitution is paid when the absent teacher's
// substitutions are paid that day. The days are read into tables of their
// own: the day the absence window holds stays as it is.
SubstitutionStatistics CountSubstitutionStatistics(const QDate& first, const QDate& last);

// Prints the tallies on the current printer: a header with the title, then
// one line per teacher with a count, 41 to a page, every page a document of
// its own; the caller marks the run.
void PrintSubstitutionStatistics(const QString& firstText, const QDate& last, const StatisticsTallies& tallies);

// Form41 "Statistik": the range of days and the printer of the statistics.
class Form41 : public FormBase {
    Q_OBJECT
public:
    Form41();

    QLabel* Label1;
    TextBox* Text1;
    QLabel* Label2;
    TextBox* Text2;
    QLabel* Label3;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command1;

    void Text1_LostFocus();
    void Text2_LostFocus();
    void Command2_Click();
    void Command3_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;

private:
    // A box shows whether it holds a date: green, or red.
    void showDateState(TextBox* box);
};
