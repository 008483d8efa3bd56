#include "core/model.h"
#include "core/passwords.h"
#include "platform/controls.h"
#include "register/entry_window.h"
#include "register/password_windows.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {
constexpr std::uint32_t kGreen = 0xC0FFC0;

class PasswordWindowsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        main = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        gTeacherShort(3) = QString::fromUtf8("MÜL");
        gTeacherShort(7) = "ABC";
    }

    void login(const QString& shortName)
    {
        main->Text1->setText(shortName);
        QTest::keyClick(main->Text1, Qt::Key_Return);
    }

    bool loggedIn() const { return controls::backColor(main->Text1) == kGreen; }

    // One Change per keystroke, as typing gives.
    static void type(TextBox* field, const QString& text)
    {
        for (int n = 1; n <= text.size(); ++n)
            field->setText(text.left(n));
    }

    Form4* openForm4()
    {
        main->Command8->click();
        return forms::ifOpen<Form4>();
    }

    QString mulFile() const { return QString::fromUtf8("MÜL.pw"); }

    Form1* main = nullptr;
};
}

TEST_F(PasswordWindowsTest, APasswordSetIsAskedAtTheNextLogin)
{
    login(QString::fromUtf8("mül"));
    ASSERT_TRUE(loggedIn());
    Form4* form4 = openForm4();
    ASSERT_NE(form4, nullptr);
    EXPECT_EQ(form4->windowTitle(), "Passwort anlegen");
    type(form4->Text1, "Geheim 1");
    const QString second = " Geheim 1";
    for (int n = 1; n < second.size(); ++n) {
        form4->Text2->setText(second.left(n));
        EXPECT_TRUE(readBytes(mulFile()).isEmpty()) << n;
    }
    EXPECT_TRUE(forms::isOpen<Form4>());
    form4->Text2->setText(second);
    EXPECT_FALSE(forms::isOpen<Form4>());
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(gUserPassword, "Geheim 1");

    const QStringList lines = readLines(mulFile());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(QRegularExpression("^ \\d{1,6} $").match(lines[0]).hasMatch()) << lines[0].toStdString();
    gText = "Geheim 1";
    ScramblePassword();
    EXPECT_EQ(lines[1], gText.toString());

    gUserPassword.clear();
    login(" mül ");
    EXPECT_FALSE(loggedIn());
    Form5* form5 = forms::ifOpen<Form5>();
    ASSERT_NE(form5, nullptr);
    EXPECT_EQ(form5->windowTitle(), "Passwort Abfrage");
    form5->Text1->setText("geheim 1");
    EXPECT_TRUE(forms::isOpen<Form5>());
    form5->Text1->setText("  Geheim 1 ");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(main->Text3->isEnabled());
    EXPECT_TRUE(main->Command8->isEnabled());
    EXPECT_TRUE(main->Command17->isEnabled());
    EXPECT_TRUE(main->Command16->isHidden());
}

TEST_F(PasswordWindowsTest, OldFileLayouts)
{
    writeLines(mulFile(), {"offen"});
    login(QString::fromUtf8("MÜL"));
    ASSERT_TRUE(forms::isOpen<Form5>());
    forms::ifOpen<Form5>()->Text1->setText("offen");
    EXPECT_TRUE(loggedIn());

    writeBytes("ABC.pw", "");
    login("ABC");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_FALSE(loggedIn());
}

TEST_F(PasswordWindowsTest, BackupButtonOnlyForAnAdministratorWithAPassword)
{
    gAdminShort(2) = QString::fromUtf8("mül");
    login(QString::fromUtf8("MÜL"));
    ASSERT_TRUE(loggedIn());
    EXPECT_TRUE(main->Command16->isHidden());

    writeLines(mulFile(), {"offen"});
    login(QString::fromUtf8("MÜL"));
    forms::ifOpen<Form5>()->Text1->setText("offen");
    EXPECT_FALSE(main->Command16->isHidden());

    login("ABC");
    EXPECT_TRUE(main->Command16->isHidden());
}

TEST_F(PasswordWindowsTest, OnlyTheLoggedInTeacherSetsAPassword)
{
    login("ABC");
    ASSERT_TRUE(loggedIn());
    main->Text1->setText(QString::fromUtf8("MÜL"));
    EXPECT_EQ(openForm4(), nullptr);
    main->Text1->setText("ABC");
    EXPECT_EQ(openForm4(), nullptr);
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(gUserShort, "ABC");
}

TEST_F(PasswordWindowsTest, ChangingTheShortNameClosesThePasswordWindows)
{
    writeLines(mulFile(), {"offen"});
    login(QString::fromUtf8("MÜL"));
    ASSERT_TRUE(forms::isOpen<Form5>());
    main->Text1->setText("ABC");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_FALSE(loggedIn());

    login("ABC");
    Form4* form4 = openForm4();
    ASSERT_NE(form4, nullptr);
    form4->Text1->setText("neu");
    main->Text1->setText("AB");
    EXPECT_FALSE(forms::isOpen<Form4>());
    EXPECT_FALSE(QFile::exists(path("ABC.pw")));
}

TEST_F(PasswordWindowsTest, APasswordThatCannotBeStoredKeepsTheOldFile)
{
    writeLines(mulFile(), {"offen"});
    const QByteArray before = readBytes(mulFile());
    login(QString::fromUtf8("MÜL"));
    forms::ifOpen<Form5>()->Text1->setText("offen");
    Form4* form4 = openForm4();
    form4->Text1->setText(QString::fromUtf8("Ωmega"));
    form4->Text2->setText(QString::fromUtf8("Ωmega"));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(forms::isOpen<Form4>());
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(readBytes(mulFile()), before);
    EXPECT_EQ(gUserPassword, "offen");
}

TEST_F(PasswordWindowsTest, AFailedWriteKeepsTheWindowOpen)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("ABC.pw"));
    login("ABC");
    Form4* form4 = openForm4();
    ASSERT_NE(form4, nullptr);
    form4->Text1->setText("neu");
    form4->Text2->setText("neu");
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(forms::isOpen<Form4>());
    EXPECT_FALSE(loggedIn());
    EXPECT_TRUE(gUserPassword.isEmpty());
}
