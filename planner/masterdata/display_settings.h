#pragma once
// Three small dialogs of the planner's display: how many class columns the
// editor shows, the order of the teacher list, the editor's font. Each choice
// is written to "vorda.ver" at once; one that cannot be written is told and
// not taken.
#include "platform/forms.h"

#include <array>

class ComboBox;
class ListBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Form30 "Eingabebreite": 9 to 16 class columns side by side.
class Form30 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kChoices = 8;

    Form30();

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    std::array<QRadioButton*, kChoices> Option1;
    QPushButton* Command1;

    void Option1_Click(int index);
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void showColumns();
};

// form31 "Sortierung": the teacher order by number, name, or title and name,
// with the order it gives.
class form31 : public FormBase {
    Q_OBJECT
public:
    form31();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    ComboBox* Combo1;
    QLabel* Label3;
    ListBox* List1;
    QPushButton* Command1;

    void Combo1_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void showOrder();
};

// Form32 "Schriftart": the font of the editor's grid, with sample cells.
class Form32 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kChoices = 8;
    static constexpr int kSamples = 16;

    Form32();

    QLabel* Label3;
    std::array<QRadioButton*, kChoices> Option1;
    std::array<QLabel*, kSamples> Label1;
    QLabel* Label2;
    QPushButton* Command1;

    void Option1_Click(int index);
    void Command1_Click();

protected:
    void Form_Load() override;

private:
    void showFont();
};
