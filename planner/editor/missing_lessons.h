#pragma once
#include "platform/forms.h"

#include <QString>

#include <utility>
#include <vector>

class ListBox;
class QPushButton;

// The lessons of the curriculum a class still lacks in the week, subject by
// subject: " 3xMa De " (three Ma, one De); empty when nothing is missing.
// Both group rows count; a subject placed more often than required is not
// named.
QString MissingHours(int cls);

// The same as (subject, lessons missing) pairs, by subject number.
std::vector<std::pair<int, int>> MissingLessons(int cls);

// Form55 "Überprüfung: fehlende Stunden ?": the missing lessons of every
// class, a line each.
class Form55 : public FormBase {
    Q_OBJECT
public:
    Form55();

    ListBox* List1;
    QPushButton* Command1;

    void Command1_Click();

protected:
    void Form_Activate() override;
};
