#pragma once
// The school-wide settings of the planner: the shape of the week, the lunch
// period, overlapping periods, the non-cognitive rule, the plan loaded at
// start, the school year and the teachers' titles.
#include "platform/forms.h"
#include "platform/variant.h"

#include <QStringList>

class ListBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TextBox;
namespace datafile {
struct WriteResult;
}

// Form9 "Schuldaten": every change goes into the data model at once; closing
// writes those of "vorda.ver", "Time.txt" and "Titel.txt" whose content the
// window changed, all or none.
class Form9 : public FormBase {
    Q_OBJECT
public:
    Form9();

    QLabel* Label1;
    QPushButton* command2;
    QPushButton* Command3;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QLabel* Label5;
    QLabel* Label4;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command9;
    QLabel* Label6;
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QLabel* Label9;
    QCheckBox* Check3;
    QLabel* Label10;
    QLabel* Label11;
    TextBox* Text2;
    QLabel* Label7;
    ListBox* List1;
    QLabel* Label8;
    TextBox* Text1;
    QPushButton* Command1;

    void Command1_Click();
    void command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Text2_Change();
    void List1_Click();
    void Text1_Change();
    void Text1_LostFocus();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;
    void discardEdits() override;

private:
    // The settings the window edits, as the data model holds them.
    struct Settings {
        Variant days, periods, lunch, overlap, nonCognitive;
        short fifthPeriod = 0, autoLoad = 0;
        Variant schoolYear;
        QStringList titles;
        bool operator==(const Settings&) const = default;
    };
    static Settings current();
    // What the window writes: its settings of "vorda.ver", and the lines of
    // the other two files as the data model gives them. The plan to load is
    // not the window's: while the plan in memory is plan "0" it is read from
    // "vorda.ver", which another planner may have written meanwhile.
    struct FileLines {
        Settings settings;
        QStringList periods, titles;
        bool operator==(const FileLines&) const = default;
    };
    static FileLines fileLines();
    void keepLeftChanged(const datafile::WriteResult& written, const FileLines& now, const QStringList& settings);
    void showDays();
    void showPeriods();
    // The box's state into the setting and the line below it.
    void takeAutoLoad();
    void showLunch();

    // The title picked in List1 (0-based), -1 before a pick: the shared
    // gLoopK is any window's scratch.
    int m_title = -1;
    // The settings as they were when the window opened, for a close without saving.
    Settings m_opened;
    // The files as far as this window knows them: what they would have held
    // when it opened, or what it last saved. A window only looked at writes
    // nothing, so a plan's week shape in the data model, or another PC's
    // save meanwhile, stays out of the school's files.
    FileLines m_savedFiles;
};
