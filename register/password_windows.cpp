#include "register/password_windows.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/window_positions.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "register/entry_window.h"
#include "register/password_file.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr std::uint32_t kLightYellow = 0x80FFFF;
constexpr int kNumberBound = 900000;

void styleWindow(FormBase* form, const QString& caption, int width, int height)
{
    form->setWindowTitle(caption);
    controls::setBackColor(form, kLightYellow);
    controls::setFont(form, {"Arial", 9.75});
    form->resize(units::twipsToPixels(width), units::twipsToPixels(height));
}

QLabel* makeLabel(QWidget* parent, const QString& text)
{
    QLabel* label = controls::label(parent, "Label1", text);
    label->setWordWrap(true);
    return label;
}

TextBox* makePasswordField(QWidget* parent, const QString& name)
{
    auto* field = controls::named<TextBox>(parent, name);
    field->setEchoMode(QLineEdit::Password);
    // Each typed character shows as "*", not as the style's dot.
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    controls::setBackColor(field, BackColour(6));
    controls::setFont(field, {"Arial", 12, true});
    return field;
}

// The entry window while its short-name field still shows `shortName`, else null.
Form1* mainWindowShowing(const QString& shortName)
{
    Form1* main = forms::ifOpen<Form1>();
    if (!main || shortName.isEmpty() || main->Text1->text().trimmed().toUpper() != shortName.toUpper())
        return nullptr;
    return main;
}

void showBackupButtonForAdministrators(Form1* main)
{
    main->Command16->hide();
    gText = gUserShort.trimmed().toUpper();
    for (int i = 1; i <= 3; ++i) {
        if (gAdminShort(i).toString().toUpper() == gText.toString())
            main->Command16->show();
    }
}
}

Form5::Form5()
{
    setObjectName(QStringLiteral("Form5"));
    styleWindow(this, QStringLiteral("Passwort Abfrage"), 6000, 1800);
    Label1 = makeLabel(this, QStringLiteral("Dieser Name ist durch ein Passwort geschützt. Geben Sie es bitte in "
                                            "das grüne Feld ein."));
    place(Label1, 120, 120, 5640, 600);
    Text1 = makePasswordField(this, QStringLiteral("Text1"));
    place(Text1, 120, 840, 5640, 450);
    connect(Text1, &TextBox::Change, this, &Form5::Text1_Change);
}

void Form5::ask(const QString& shortName) { m_shortName = shortName.trimmed(); }

void Form5::Text1_Change()
{
    gText = Text1->text().trimmed();
    if (gText.toString() != gUserPassword)
        return;
    Form1* main = mainWindowShowing(m_shortName);
    if (!main)
        return;
    gCheckOk = 1;
    main->logIn(m_shortName);
    main->Text3->setFocus();
    showBackupButtonForAdministrators(main);
    LoadWindowPositions();
    unload();
}

Form4::Form4()
{
    setObjectName(QStringLiteral("Form4"));
    styleWindow(this, QStringLiteral("Passwort anlegen"), 6000, 2200);
    Label1 = makeLabel(this, QStringLiteral("Geben Sie das gewünschte Passwort bitte 2 x ein."));
    place(Label1, 120, 120, 5640, 400);
    Text1 = makePasswordField(this, QStringLiteral("Text1"));
    place(Text1, 120, 600, 5640, 450);
    Text2 = makePasswordField(this, QStringLiteral("Text2"));
    place(Text2, 120, 1200, 5640, 450);
    setTabOrder(Text1, Text2);
    connect(Text2, &TextBox::Change, this, &Form4::Text2_Change);
}

void Form4::Form_Load() { m_shortName = gUserShort.trimmed(); }

void Form4::Text2_Change()
{
    gText = Text1->text().trimmed();
    if (gText.toString().isEmpty())
        return;
    gText2 = Text2->text().trimmed();
    if (gText2.toString().isEmpty() || gText2 != gText)
        return;
    Form1* main = mainWindowShowing(m_shortName);
    if (!main)
        return;
    const QString password = gText.toString();
    if (!PasswordStorable(password)) {
        MsgBox(QStringLiteral("Das Passwort enthält Zeichen, die nicht gespeichert werden können. Bitte wählen "
                              "Sie ein anderes."));
        return;
    }
    gFileName = PasswordFilePath(m_shortName);
    if (const datafile::WriteResult written = WritePasswordFile(gFileName, password, kNumberBound); !written) {
        MsgBox(QStringLiteral("Das Passwort konnte nicht gespeichert werden (%1): %2.")
                   .arg(QFileInfo(gFileName).fileName(), written.reason));
        return;
    }
    gUserPassword = password;
    unload();
}
