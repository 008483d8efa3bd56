#include "admin/backup_window.h"
#include "core/constants.h"
#include "platform/dates.h"
#include "tests/register/register_fixture.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

class BackupTest : public RegisterTest {
protected:
    QTemporaryDir m_target;

    QString target() const { return m_target.path() + QLatin1Char('/'); }
    // The copy of a file, "-" when there is none.
    QByteArray backup(const QString& name) const
    {
        return QFile::exists(target() + "qz/" + name) ? readBytes(target() + "qz/" + name) : QByteArray("-");
    }
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

TEST_F(BackupTest, OnlyAFolderThatPassedTheWriteTestUnlocksTheStart)
{
    startEntryWindow()->Command16_Click();
    Form69* f = forms::ifOpen<Form69>();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Text3->text(), "/");
    EXPECT_TRUE(!f->Command1->isEnabled() && f->Text1->isHidden());

    f = tested("  " + m_target.path() + " ");
    EXPECT_EQ(f->Text3->text(), target());
    EXPECT_EQ(backup("../test.txt"), "test\r\n");
    EXPECT_TRUE(f->Command1->isEnabled());

    ASSERT_TRUE(QDir(m_target.path()).mkpath("blockiert/test.txt"));
    ASSERT_TRUE(QDir(m_target.path()).mkdir("belegt"));
    writeBytes(target() + "belegt/qz", {});
    for (const QString& folder : {QString(), QStringLiteral("D"), target() + "fehlt", target() + "blockiert",
                                  target() + "belegt"})
        EXPECT_FALSE(tested(folder)->Command1->isEnabled()) << folder.toStdString();
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BackupTest, CopiesTheSchoolYearsDayFilesByteForByteOverEarlierCopies)
{
    const QDate first(2025, 9, 8), last(2026, 3, 16);
    schoolYear(first, last);
    writeBytes(dayFile(first.addDays(-1)), "vorher\r\n");
    writeBytes(dayFile(first), "erster\r\n");
    const QByteArray odd("nur LF\n\xE4 ohne Zeilenende");
    writeBytes("20260311.QZ", odd);
    writeBytes(dayFile(last.addDays(1)), "danach\r\n");
    Form69* f = tested(target());
    writeBytes(target() + "qz/" + dayFile(first), "alte, viel längere Sicherung\r\n");

    bool closable = true, commandable = true;
    QMetaObject::invokeMethod(
        f,
        [&] {
            commandable = f->Command4->isEnabled() || f->Command2->isEnabled() || f->Command1->isEnabled();
            closable = f->unload();
        },
        Qt::QueuedConnection);
    f->Command1_Click();
    EXPECT_FALSE(commandable || closable) << "no command and no closing while it copies";
    EXPECT_FALSE(forms::isOpen<Form69>());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(QList<QByteArray>({backup(dayFile(first)), backup("20260311.qz"), readBytes("20260311.QZ"),
                                 backup(dayFile(first.addDays(-1))), backup(dayFile(last.addDays(1)))}),
              QList<QByteArray>({"erster\r\n", odd, odd, "-", "-"}));
}

TEST_F(BackupTest, TheCopyStopsAfterThe350thDayAndNeedsASchoolYear)
{
    const QDate first(2025, 8, 1);
    schoolYear(first, QDate(2026, 12, 31));
    writeBytes(dayFile(first.addDays(349)), "350\r\n");
    writeBytes(dayFile(first.addDays(350)), "351\r\n");
    tested(target())->Command1_Click();
    EXPECT_EQ(backup(dayFile(first.addDays(349))) + backup(dayFile(first.addDays(350))), "350\r\n-");

    ASSERT_TRUE(QFile::remove(target() + "qz/" + dayFile(first.addDays(349))));
    gSchoolYearStart = "kein Datum";
    tested(target())->Command1_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("nichts gesichert"));
    EXPECT_EQ(backup(dayFile(first.addDays(349))), "-");
}

TEST_F(BackupTest, AFailedCopyIsReportedAndNoDayFileIsEverRewritten)
{
    schoolYear(QDate(2026, 3, 9), QDate(2026, 3, 13));
    writeBytes("20260309.qz", "Montag\r\n");
    writeBytes("20260310.qz", "Dienstag\r\n");
    Form69* f = tested(target());
    // The drive was swapped after the test: a file now has the folder's name.
    ASSERT_TRUE(QDir(target() + "qz").removeRecursively());
    writeBytes(target() + "qz", {});
    f->Command1_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("unvollständig: 2 von 2 Tagesdateien")) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("(zuerst 20260309.qz: Ein Teil des Pfades ist kein Ordner)"))
        << messages()[0].toStdString();
    EXPECT_EQ(readBytes("20260309.qz"), "Montag\r\n");

    // A data folder named "qz" inside the target: the copy would be the day file itself.
    ASSERT_TRUE(QFile::remove(target() + "qz"));
    ASSERT_TRUE(QDir(m_target.path()).mkdir("qz"));
    gDataPath = target() + "qz/";
    writeBytes(gDataPath + "20260311.qz", {});
    tested(target())->Command1_Click();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].contains("1 von 1 Tagesdateien")) << messages()[1].toStdString();
    EXPECT_TRUE(messages()[1].contains("(zuerst 20260311.qz: Quelle und Ziel sind dieselbe Datei)"))
        << messages()[1].toStdString();

    // A day file that cannot be read, a link to a file gone, is named once.
    gDataPath = path("");
    ASSERT_TRUE(QFile::link(path("fehlt"), path("20260312.QZ")));
    tested(target())->Command1_Click();
    ASSERT_EQ(messages().size(), 3);
    EXPECT_TRUE(messages()[2].contains("1 von 3 Tagesdateien")) << messages()[2].toStdString();
    EXPECT_TRUE(messages()[2].contains("(zuerst 20260312.QZ: Der Ordner ist nicht vorhanden)"))
        << messages()[2].toStdString();
}

TEST_F(BackupTest, AFolderChangedAfterTheTestKeepsTheStartAndReceivesTheCopy)
{
    schoolYear(QDate(2026, 3, 9), QDate(2026, 3, 13));
    writeBytes("20260309.qz", "Montag\r\n");
    ASSERT_TRUE(QDir(m_target.path()).mkpath("anders/qz"));
    Form69* f = tested(target());
    f->Text3->setText(target() + "anders");
    ASSERT_TRUE(f->Command1->isEnabled());
    f->Command1_Click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(readBytes(target() + "anders/qz/20260309.qz"), "Montag\r\n");
}
