#pragma once
#include "platform/forms.h"

class QLabel;
class TextBox;

// Form5, "Passwort Abfrage": the login of a short name that has a password
// file completes here, at the keystroke at which the field holds the password.
class Form5 : public FormBase {
    Q_OBJECT
public:
    Form5();

    QLabel* Label1;
    TextBox* Text1;

    void Text1_Change();

    // Asks for the password of a teacher's short name as stored.
    void ask(const QString& shortName);

private:
    // The short name the query was opened for; a change of the entry window's
    // short-name field closes the query, and it accepts only for this name.
    QString m_shortName;
};

// Form4, "Passwort anlegen": sets a new password for the logged-in short name
// once both fields agree.
class Form4 : public FormBase {
    Q_OBJECT
public:
    Form4();

    QLabel* Label1;
    TextBox* Text1;
    TextBox* Text2;

    void Text2_Change();

protected:
    void Form_Load() override;

private:
    QString m_shortName;
};
