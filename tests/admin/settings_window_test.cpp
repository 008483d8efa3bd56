#include "admin/room_list.h"
#include "admin/settings_window.h"
#include "admin/student_list.h"
#include "core/model.h"
#include "platform/numbers.h"
#include "register/password_file.h"
#include "tests/register/register_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

class SettingsWindowTest : public RegisterTest {
protected:
    void TearDown() override
    {
        QDir::setCurrent(m_startFolder);
        RegisterTest::TearDown();
    }

    static Form2* open() { return forms::show<Form2>(); }
    static Form2* unlocked()
    {
        Form2* f = open();
        enter(f->Text2, "mur-pelt");
        return f;
    }
    // The import reads from the current folder.
    void writeImport(const QStringList& lines)
    {
        writeLines("schüler.csv", lines);
        QDir::setCurrent(m_dir.path());
    }

    QString m_startFolder = QDir::currentPath();
};

TEST_F(SettingsWindowTest, OnlyTheExactMasterKeyWithEnterUnlocks)
{
    Form2* f = open();
    f->Text2->setText("mur-pelt");
    QTest::keyClick(f->Text2, Qt::Key_Tab);
    enter(f->Text2, "MUR-PELT");
    EXPECT_TRUE(!f->isUnlocked() && !f->Command2->isEnabled() && f->Text5->isHidden());

    enter(f->Text2, "mur-pelt");
    EXPECT_TRUE(f->isUnlocked() && f->Text3->isEnabled() && f->Command5->isEnabled() && f->Text1->isEnabled());
    EXPECT_TRUE(f->Command3->isVisible() && f->Text10->isVisible());
}

TEST_F(SettingsWindowTest, ALockedWindowShowsTheSettingsAndWritesNothing)
{
    writeLines("admin.dat", {"ABC"});
    // Another PC has saved meanwhile; this one still holds what it loaded.
    gAdminShort(1) = "XYZ";
    Form2* f = open();
    EXPECT_EQ(f->Text5->text(), "XYZ");
    // No school year held: the first day keeps its preset, the last day stays
    // empty rather than inventing one.
    EXPECT_EQ(f->Text3->text() + "|" + f->Text4->text(), "10-09-2016|");
    EXPECT_TRUE(green(f->Text3) && grey(f->Text4));
    ASSERT_TRUE(f->unload());
    EXPECT_EQ(readLines("admin.dat"), QStringList{"ABC"});
    EXPECT_FALSE(QFile::exists(path("Schuljahr.dat")));
}

TEST_F(SettingsWindowTest, ClosingSavesNamesTrimmedAndTheSchoolYearAsTypedWhenBothDatesAreValid)
{
    gSchoolYearStart = "01.08.2025";
    gSchoolYearEnd = QDateTime(QDate(2026, 7, 31), QTime(0, 0));
    gWorkDate = "11.03.2026";
    Form2* f = unlocked();
    EXPECT_EQ(f->Text4->text(), "31.07.2026");
    f->Text3->setText("10-09-2026");
    f->Text4->setText("31.13.2026");
    EXPECT_TRUE(grey(f->Text4));
    ASSERT_TRUE(f->unload());
    EXPECT_FALSE(QFile::exists(path("Schuljahr.dat")));
    EXPECT_EQ(gSchoolYearStart, "01.08.2025");

    f = unlocked();
    f->Text5->setText(" abc ");
    f->Text7->setText("XYZ");
    f->Text9->setText(" kv ");
    f->Text3->setText("10-09-2026");
    f->Text4->setText("9.7.27");
    EXPECT_TRUE(green(f->Text4));
    f->Command1->click();
    EXPECT_EQ(readBytes("admin.dat"), QByteArray("abc\r\n\r\nXYZ\r\n\r\nkv\r\n\r\n"));
    EXPECT_EQ(readBytes("Schuljahr.dat"), QByteArray("10-09-2026\r\n9.7.27\r\n"));
    EXPECT_EQ(gExceptionTeachers(2), "kv");
    EXPECT_EQ(gSchoolYearStart, "10-09-2026");
    EXPECT_EQ(gSchoolYearEnd, QDateTime(QDate(2027, 7, 9), QTime(0, 0)));
    EXPECT_EQ(gWorkDate, "11.03.2026") << "the settings' dates are not the register's working date";
}

TEST_F(SettingsWindowTest, AnAdministratorNameTakesTheTeachersSpellingAtTheNextKey)
{
    gTeacherShort(3) = "MÜL";
    Form2* f = unlocked();
    f->Text5->setText("mül");
    QTest::keyClick(f->Text5, Qt::Key_End);
    EXPECT_TRUE(f->Text5->text() == "MÜL" && green(f->Text5));
    QTest::keyClick(f->Text5, Qt::Key_X);
    EXPECT_TRUE(f->Text5->text() == "MÜLx" && grey(f->Text5));
}

// The import takes the whole file, name and class split at the separators, or
// keeps the student list and its file as they are.
TEST_F(SettingsWindowTest, ImportRewritesTheStudentFileWithTheWholeFileOrNotAtAll)
{
    Form1* main = startEntryWindow();
    writeLines("schüler.dat", {"Alt Anna", "9z"});
    addStudent("Alt Anna", "9z");
    QStringList capacity{"Kopf"};
    for (int i = 1; i <= 1000; ++i)
        capacity << QStringLiteral("Name%1;Vorname;5a").arg(i);
    const std::vector<std::pair<QStringList, QString>> refused{
        {{"Kopf", "Muster;Max;1A", "Muster Max 1A"}, "Zeile 3 der Datei schüler.csv"},
        {capacity + QStringList{"Name1001;Vorname;5a"}, "mehr als 1000 Schüler"},
    };
    Form2* f = unlocked();
    for (const auto& [lines, message] : refused) {
        writeImport(lines);
        f->Command2->click();
        EXPECT_TRUE(messages().last().contains(message)) << messages().last().toStdString();
        EXPECT_TRUE(f->Command2->isEnabled() && gStudentCount == 1);
        EXPECT_EQ(readLines("schüler.dat"), (QStringList{"Alt Anna", "9z"}));
    }

    writeImport(capacity);
    blockFile("schüler.dat");
    f->Command2->click();
    EXPECT_TRUE(messages().last().endsWith(
        "(schüler.dat): An Stelle der Datei steht ein Ordner. Es wurde nichts importiert."))
        << messages().last().toStdString();
    EXPECT_EQ(gStudentNames(1), "Alt Anna") << "what is not on disk is not taken";
    unblockFile("schüler.dat");
    f->Command2->click();
    EXPECT_TRUE(gStudentCount == 1000 && readLines("schüler.dat").size() == 2000);

    // An import done disables the button until the window opens again.
    ASSERT_TRUE(f->unload());
    f = unlocked();
    const qsizetype told = messages().size();
    writeImport({"Famname; Vorname; Klasse", "Muster;Max;1A", "Muster; Max; 1A", "\"Berger\";\"Ännchen\";\"2b\"",
                 ";;", "Kurz;Kai;3c;Rest"});
    f->Command2->click();
    EXPECT_EQ(messages().size(), told);
    EXPECT_EQ(readLines("schüler.dat"), (QStringList{"Muster Max", "1A", "Muster  Max", " 1A", "Berger Ännchen",
                                                     "2b", "Kurz Kai", "3c;Rest"}));
    EXPECT_TRUE(gStudentCount == 4 && main->Label2->text() == "4");
}

// Done, the import hands the focus on: the next Enter does not open the
// student list in place of this window.
TEST_F(SettingsWindowTest, AnEnterAfterTheImportPressesNoOtherButton)
{
    Form2* f = unlocked();
    writeImport({"Kopf", "Muster;Max;1A"});
    f->Command2->setFocus();
    QTest::keyClick(f->Command2, Qt::Key_Return);
    ASSERT_EQ(gStudentCount, 1);
    ASSERT_NE(f->focusWidget(), nullptr);
    QTest::keyClick(f->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(forms::isOpen<Form2>());
    EXPECT_FALSE(forms::isOpen<Form25>());
}

TEST_F(SettingsWindowTest, UniformPasswordGoesToEveryTeacherWithoutOneAndClosesTheWindow)
{
    gTeacherShort(1) = "MÜL";
    gTeacherShort(2) = "ABC";
    gTeacherShort(3) = "../X";
    gTeacherShort(4) = "-";
    gTeacherShort(5) = "XYZ";
    writeLines("ABC.pw", {" 5 ", "alt"});
    blockFile("XYZ.pw");
    Form2* f = unlocked();
    // An empty password line would make line 1 the password, which nobody can type.
    f->Text1->setText("   ");
    f->Command3->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_FALSE(QFile::exists(path("MÜL.pw")));

    f->Text1->setText("  Start1 ");
    f->Command3->click();
    EXPECT_EQ(messages().last(), "Für diese Kürzel konnte kein Passwort gespeichert werden: XYZ (XYZ.pw: An Stelle "
                                 "der Datei steht ein Ordner).");
    EXPECT_FALSE(forms::isOpen<Form2>());
    EXPECT_FALSE(QFile::exists(path("admin.dat"))) << "unchanged settings are not written";
    EXPECT_EQ(readLines("ABC.pw"), (QStringList{" 5 ", "alt"}));
    const QStringList files = QDir(m_dir.path()).entryList({"*.pw"}, QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, (QStringList{"ABC.pw", "MÜL.pw"})) << "free slots and odd names get no file";

    const QStringList lines = readLines("MÜL.pw");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_LT(numbers::val(lines[0]), 123456789);
    gFileName = PasswordFilePath("MÜL");
    ReadPasswordFile();
    EXPECT_EQ(gUserPassword, "Start1");
}

TEST_F(SettingsWindowTest, RoomAndStudentListsOpenInPlaceOfTheSettings)
{
    unlocked()->Command4->click();
    EXPECT_TRUE(forms::isOpen<Form8>());
    unlocked()->Command5->click();
    EXPECT_TRUE(forms::isOpen<Form25>() && !forms::isOpen<Form2>());
}
