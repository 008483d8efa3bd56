#pragma once
// The register's school-wide settings behind the master key: the school year
// ("Schuljahr.dat"), administrators and teachers exempt from the content
// reminder ("admin.dat"), the student import and a uniform first password.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;

// Form2, "Einstellungen": the settings window; locked at every opening until
// the master key has been typed.
class Form2 : public FormBase {
    Q_OBJECT
public:
    Form2();

    QLabel* Label3;
    TextBox* Text2;
    QLabel* Label1;
    TextBox* Text3;
    QLabel* Label2;
    TextBox* Text4;
    QLabel* Label4;
    TextBox* Text5;
    TextBox* Text6;
    TextBox* Text7;
    QLabel* Label5;
    TextBox* Text8;
    TextBox* Text9;
    TextBox* Text10;
    QPushButton* Command2;
    QPushButton* Command5;
    QPushButton* Command4;
    QPushButton* Command3;
    TextBox* Text1;
    QPushButton* Command1;

    bool isUnlocked() const { return m_unlocked; }

    void Text2_KeyDown(int& keyCode);
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void Text6_Change();
    void Text7_Change();
    void Text5_KeyDown(int& keyCode);
    void Text6_KeyDown(int& keyCode);
    void Text7_KeyDown(int& keyCode);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

protected:
    void Form_Load() override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;

private:
    void createControls();
    void layOut();
    void connectEvents();

    // Replaces a typed administrator name by the teacher's stored spelling.
    static void lookUpTeacher(TextBox* box);
    // The six lines of "admin.dat" as the fields stand.
    QStringList adminLines() const;
    // The two lines of "Schuljahr.dat", or none while a date field holds no
    // valid date: only two valid dates are a school year.
    QStringList schoolYearLines() const;
    bool schoolYearEdited() const;

    bool m_unlocked = false;
    // What the files hold as far as this window knows: loaded, or last saved.
    QStringList m_savedAdmin;
    QStringList m_savedSchoolYear;
};
