#include "admin/backup_window.h"
#include "core/constants.h"
#include "platform/dates.h"
#include "tests/register/register_fixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

class BackupTest : public RegisterTest {
protected:
    QTemporaryDir m_target;

    QString target() const { return m_target.path() + QLatin1Char('/'); }
    QByteArray targetBytes(const QString& name) const
    {
        QFile f(target() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray backup(const QDate& day) const { return targetBytes("qz/" + dayFile(day)); }
    bool backedUp(const QDate& day) const { return QFileInfo::exists(target() + "qz/" + dayFile(day)); }

    Form69* tested(const QString& folder)
    {
        Form69* f = forms::show<Form69>();
        f->Text3->setText(folder);
        f->Command4_Click();
        return f;
    }
    static void schoolYear(const QDate& first, const QDate& last)
    {
        gSchoolYearStart = dates::shortText(first);
        gSchoolYearEnd = QDateTime(last, QTime(0, 0));
    }
};

TEST_F(BackupTest, TheBackupButtonOpensTheWindowWhoseStartOnlyATestedFolderUnlocks)
{
    startEntryWindow()->Command16_Click();
    Form69* f = forms::ifOpen<Form69>();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "Datensicherung");
    EXPECT_EQ(f->Text3->text(), "/");
    EXPECT_EQ(controls::backColor(f->Text3), BackColour(6));
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_TRUE(f->Text1->isHidden());

    f->Text3->setText("  " + m_target.path() + " ");
    f->Command4_Click();
    EXPECT_EQ(f->Text3->text(), target());
    EXPECT_EQ(targetBytes("test.txt"), "test\r\n");
    EXPECT_TRUE(QFileInfo(target() + "qz").isDir());
    EXPECT_TRUE(f->Command1->isEnabled());
    f->Command4_Click();
    EXPECT_TRUE(f->Command1->isEnabled()) << "an existing \"qz\" is no failure";

    f->Text3->setText(target() + "anders/");
    EXPECT_FALSE(f->Command1->isEnabled()) << "the changed folder was never tested";
    f->Command2_Click();
    EXPECT_FALSE(forms::isOpen<Form69>());
}

TEST_F(BackupTest, AFolderThatFailsTheTestLeavesTheStartLockedWithoutAMessage)
{
    ASSERT_TRUE(QDir(m_target.path()).mkpath("blockiert/test.txt"));
    ASSERT_TRUE(QDir(m_target.path()).mkdir("belegt"));
    QFile qzFile(target() + "belegt/qz");
    ASSERT_TRUE(qzFile.open(QIODevice::WriteOnly));
    qzFile.close();

    for (const QString& folder : {QString(), QStringLiteral("D"), QStringLiteral("D:\\"), target() + "fehlt",
                                  target() + "blockiert", target() + "belegt"}) {
        Form69* f = tested(folder);
        EXPECT_FALSE(f->Command1->isEnabled()) << folder.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists("D/test.txt"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BackupTest, CopiesEveryDayFileOfTheSchoolYearByteForByteOverEarlierCopies)
{
    const QDate first(2025, 9, 8), last(2026, 3, 16);
    schoolYear(first, last);
    const QDate middle(2026, 3, 11);
    writeBytes(dayFile(first.addDays(-1)), "vorher\r\n");
    writeBytes(dayFile(first), "erster\r\n");
    writeBytes("20260311.QZ", "ohne Zeilenende\nnur LF\r\n\xE4\xF6");
    writeBytes(dayFile(last), "letzter\r\n");
    writeBytes(dayFile(last.addDays(1)), "danach\r\n");

    Form69* f = tested(m_target.path());
    ASSERT_TRUE(f->Command1->isEnabled());
    QFile old(target() + "qz/" + dayFile(first));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alte Sicherung, viel länger als die neue\r\n");
    old.close();

    // What the window allows while the copy yields to the event loop.
    bool closable = true, testable = true, visible = false;
    QMetaObject::invokeMethod(
        f,
        [&] {
            testable = f->Command4->isEnabled() || f->Command2->isEnabled() || f->Command1->isEnabled();
            visible = f->Text1->isVisible();
            closable = f->unload();
        },
        Qt::QueuedConnection);
    f->Command1_Click();
    EXPECT_FALSE(closable);
    EXPECT_FALSE(testable);
    EXPECT_TRUE(visible);
    EXPECT_FALSE(forms::isOpen<Form69>());
    EXPECT_TRUE(messages().isEmpty());

    EXPECT_EQ(backup(first), "erster\r\n");
    EXPECT_EQ(backup(middle), QByteArray("ohne Zeilenende\nnur LF\r\n\xE4\xF6"));
    EXPECT_EQ(backup(last), "letzter\r\n");
    EXPECT_FALSE(backedUp(first.addDays(-1)));
    EXPECT_FALSE(backedUp(last.addDays(1)));
    EXPECT_EQ(readBytes("20260311.QZ"), QByteArray("ohne Zeilenende\nnur LF\r\n\xE4\xF6"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({"*.qz"}, QDir::Files).size(), 5) << "no day file added or lost";
}

TEST_F(BackupTest, TheCopyEndsAfterThe350thDay)
{
    const QDate first(2025, 8, 1);
    schoolYear(first, QDate(2026, 12, 31));
    writeBytes(dayFile(first.addDays(349)), "Tag 350\r\n");
    writeBytes(dayFile(first.addDays(350)), "Tag 351\r\n");
    tested(target())->Command1_Click();
    EXPECT_TRUE(backedUp(first.addDays(349)));
    EXPECT_FALSE(backedUp(first.addDays(350)));
}

TEST_F(BackupTest, ACopyThatFailsIsReportedAndLeavesTheDayFilesAsTheyWere)
{
    schoolYear(QDate(2026, 3, 9), QDate(2026, 3, 13));
    writeBytes(dayFile(QDate(2026, 3, 9)), "Montag\r\n");
    writeBytes(dayFile(QDate(2026, 3, 10)), "Dienstag\r\n");
    Form69* f = tested(target());
    // The drive was pulled after the test: "qz" is gone and a file has its name.
    ASSERT_TRUE(QDir(target() + "qz").removeRecursively());
    QFile blocker(target() + "qz");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    f->Command1_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("unvollständig: 2 von 2 Tagesdateien")) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("20260309.qz"));
    EXPECT_EQ(readBytes(dayFile(QDate(2026, 3, 9))), "Montag\r\n");
    EXPECT_EQ(readBytes(dayFile(QDate(2026, 3, 10))), "Dienstag\r\n");
    EXPECT_FALSE(forms::isOpen<Form69>());
}

TEST_F(BackupTest, ATargetWhoseQzFolderIsTheDataFolderNeverRewritesADayFile)
{
    ASSERT_TRUE(QDir(m_target.path()).mkdir("qz"));
    gDataPath = target() + "qz/";
    schoolYear(QDate(2026, 3, 9), QDate(2026, 3, 13));
    QFile day(gDataPath + dayFile(QDate(2026, 3, 11)));
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write("Eintrag\r\n");
    day.close();

    tested(target())->Command1_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("1 von 1"));
    EXPECT_EQ(backup(QDate(2026, 3, 11)), "Eintrag\r\n");
}

TEST_F(BackupTest, WithoutASchoolYearNothingIsCopiedAndTheUserIsTold)
{
    gSchoolYearStart = "kein Datum";
    gSchoolYearEnd = QDateTime(QDate(2026, 7, 3), QTime(0, 0));
    writeBytes(dayFile(QDate(2026, 3, 11)), "Eintrag\r\n");
    tested(target())->Command1_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("nichts gesichert"));
    EXPECT_FALSE(backedUp(QDate(2026, 3, 11)));
}
