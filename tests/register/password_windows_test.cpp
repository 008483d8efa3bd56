#include "core/passwords.h"
#include "register/password_windows.h"
#include "tests/register/register_fixture.h"
#include "tests/support/queued_input.h"

#include <QPushButton>
#include <QRegularExpression>

namespace {
class PasswordWindowsTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        startEntryWindow();
        gTeacherShort(3) = mul;
        gTeacherShort(7) = "ABC";
    }

    void login(const QString& shortName) { enter(entry->Text1, shortName); }

    // Logs in through the query with the password of the file.
    void answer(const QString& password)
    {
        ASSERT_TRUE(forms::isOpen<Form5>());
        forms::ifOpen<Form5>()->Text1->setText(password);
    }

    bool loggedIn() const { return green(entry->Text1); }

    Form4* openForm4()
    {
        entry->Command8->click();
        return forms::ifOpen<Form4>();
    }

    const QString mul = QString::fromUtf8("MÜL");
};
}

TEST_F(PasswordWindowsTest, APasswordSetIsAskedAtTheNextLogin)
{
    login(mul.toLower());
    ASSERT_TRUE(loggedIn());
    Form4* form4 = openForm4();
    ASSERT_NE(form4, nullptr);
    form4->Text1->setText("Geheim 1");
    EXPECT_EQ(form4->Text1->displayText(), "********");
    const QString second = " Geheim 1";
    for (int n = 1; n < second.size(); ++n)
        form4->Text2->setText(second.left(n));
    EXPECT_FALSE(QFile::exists(path(mul + ".pw")));
    form4->Text2->setText(second);
    EXPECT_FALSE(forms::isOpen<Form4>());
    EXPECT_TRUE(loggedIn());

    const QStringList lines = readLines(mul + ".pw");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(QRegularExpression("^ \\d{1,6} $").match(lines[0]).hasMatch()) << lines[0].toStdString();
    gText = "Geheim 1";
    ScramblePassword();
    EXPECT_EQ(lines[1], gText.toString());

    login(" mül ");
    EXPECT_FALSE(loggedIn());
    answer("geheim 1");
    EXPECT_TRUE(forms::isOpen<Form5>());
    EXPECT_EQ(forms::ifOpen<Form5>()->Text1->displayText(), "********");
    answer("  Geheim 1 ");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(entry->Text3->isEnabled() && entry->Command8->isEnabled() && entry->Command17->isEnabled());
}

TEST_F(PasswordWindowsTest, OneLineFilesEmptyFilesAndTheBackupButton)
{
    gAdminShort(2) = mul.toLower();
    login(mul);
    ASSERT_TRUE(loggedIn());
    EXPECT_TRUE(entry->Command16->isHidden());

    writeLines(mul + ".pw", {"offen"});
    login(mul);
    answer("offen");
    EXPECT_TRUE(loggedIn());
    EXPECT_FALSE(entry->Command16->isHidden());

    writeBytes("ABC.pw", "");
    login("ABC");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_FALSE(loggedIn());
    EXPECT_TRUE(entry->Command16->isHidden());
}

TEST_F(PasswordWindowsTest, OnlyTheLoggedInNameAndOnlyWhileItIsShown)
{
    login("ABC");
    entry->Text1->setText(mul);
    EXPECT_EQ(openForm4(), nullptr);
    entry->Text1->setText("ABC");
    EXPECT_EQ(openForm4(), nullptr);
    EXPECT_EQ(gUserShort, "ABC");

    login("ABC");
    ASSERT_NE(openForm4(), nullptr);
    forms::ifOpen<Form4>()->Text1->setText("neu");
    entry->Text1->setText("AB");
    EXPECT_FALSE(forms::isOpen<Form4>());

    writeLines(mul + ".pw", {"offen"});
    login(mul);
    entry->Text1->setText("ABC");
    EXPECT_FALSE(forms::isOpen<Form5>());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{mul + ".pw"});
}

// Until the query takes the keyboard, the window system gives the keys typed
// after the name's Enter to the name field: they are the password.
TEST_F(PasswordWindowsTest, APasswordTypedAheadOfItsQueryShowsNowhere)
{
    writeLines(mul + ".pw", {"abc"});
    login(mul);
    QTest::keyClicks(entry->Text1, "abc");
    EXPECT_EQ(entry->Text1->text(), mul);
    EXPECT_TRUE(loggedIn());

    writeLines("ABC.pw", {"xyz"});
    login("ABC");
    QTest::keyClicks(entry->Text1, "xy");
    ASSERT_TRUE(forms::isOpen<Form5>());
    EXPECT_EQ(forms::ifOpen<Form5>()->Text1->displayText(), "**");
    EXPECT_EQ(entry->Text1->text(), "ABC");
    // Back in the entry window, the user types a name again.
    entry->activate();
    QTest::keyClicks(entry->Text1, "D");
    EXPECT_EQ(entry->Text1->text(), "ABCD");
    EXPECT_FALSE(forms::isOpen<Form5>());
}

// Typed by a program, a key a millisecond: the doubled letters of the
// password are two presses, not one held.
TEST_F(PasswordWindowsTest, AQueryTypedAheadAtMachineSpeedLogsIn)
{
    using namespace queuedinput;
    writeLines("ABC.pw", {"kaffee"});
    entry->activateWindow();
    entry->Text1->setFocus();
    deliver();
    typed(entry, "abc\rkaffee", 1000, 1);
    deliver();
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(gUserShort, "ABC");
    EXPECT_FALSE(forms::isOpen<Form5>());
}

// A password window that closes itself at the password's last character
// hands the focus to the class field: a class that starts with that same
// character, typed at once, arrives whole, also after a click into the
// field.
TEST_F(PasswordWindowsTest, AClassTypedAtOnceAfterThePasswordArrivesWhole)
{
    using namespace queuedinput;
    writeLines("ABC.pw", {"sonne4"});
    entry->activateWindow();
    entry->Text1->setFocus();
    deliver();
    typed(entry, "abc\r", 1000);
    deliver();
    Form5* query = forms::ifOpen<Form5>();
    ASSERT_NE(query, nullptr);
    query->activateWindow();
    deliver();
    typed(entry, "4a", typed(query, "sonne4", 2000));
    deliver();
    ASSERT_TRUE(loggedIn());
    EXPECT_EQ(entry->Text3->text(), "4a");

    login(mul);
    entry->Text3->clear();
    Form4* form4 = openForm4();
    ASSERT_NE(form4, nullptr);
    form4->activateWindow();
    form4->Text1->setFocus();
    deliver();
    quint64 at = typed(form4, "sonne4", 3000);
    key(form4, Qt::Key_Tab, at);
    at = typed(form4, "sonne4", at + 60);
    click(entry->Text3, middleOf(entry->Text3), at);
    typed(entry, "4a", at + 120);
    deliver();
    EXPECT_FALSE(forms::isOpen<Form4>());
    EXPECT_EQ(entry->Text3->text(), "4a");
}

TEST_F(PasswordWindowsTest, APasswordThatCannotBeStoredWritesNothing)
{
    writeLines(mul + ".pw", {"offen"});
    const QByteArray before = readBytes(mul + ".pw");
    login(mul);
    answer("offen");
    Form4* form4 = openForm4();
    form4->Text1->setText(QString::fromUtf8("Ωmega"));
    form4->Text2->setText(QString::fromUtf8("Ωmega"));
    EXPECT_EQ(readBytes(mul + ".pw"), before);

    blockFile("ABC.pw");
    login("ABC");
    form4 = openForm4();
    form4->Text1->setText("neu");
    form4->Text2->setText("neu");
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1], "Das Passwort konnte nicht gespeichert werden (ABC.pw): An Stelle der Datei steht ein "
                             "Ordner.");
    EXPECT_TRUE(forms::isOpen<Form4>());
    EXPECT_TRUE(loggedIn()) << "the teacher stays logged in as before";
    EXPECT_EQ(gUserShort, "ABC");
    EXPECT_TRUE(entry->Text3->isEnabled());
    EXPECT_EQ(gUserPassword, "offen");
}

// Only a finished login has window positions of its own.
TEST_F(PasswordWindowsTest, AnUnfinishedLoginGetsNoPositionFile)
{
    const struct {
        QString shortName;
        QByteArray passwordFile;
    } cases[] = {{mul, "offen\r\n"}, {"ABC", ""}};
    for (const auto& c : cases) {
        writeBytes(c.shortName + ".pw", c.passwordFile);
        QFile::remove(path("qzTopLeft.dat"));
        startEntryWindow();
        gTeacherShort(3) = mul;
        gTeacherShort(7) = "ABC";
        gTeacherShort(9) = "BER";
        login("BER");
        ASSERT_TRUE(loggedIn());
        login(c.shortName);
        EXPECT_FALSE(loggedIn());
        entry->Command4->click();
        ASSERT_FALSE(forms::isOpen<Form1>());
        EXPECT_FALSE(QFile::exists(path("qzTopLeft" + c.shortName + ".dat"))) << c.shortName.toStdString();
        EXPECT_FALSE(QFile::exists(path("qzTopLeftBER.dat"))) << "the login before has ended";
        EXPECT_TRUE(QFile::exists(path("qzTopLeft.dat")));
    }
}
