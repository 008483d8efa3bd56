#include "core/model.h"
#include "core/passwords.h"
#include "register/password_file.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QRegularExpression>

using PasswordFileTest = ModelTest;

namespace {
QString scrambled(const QString& password)
{
    gText = password;
    EXPECT_TRUE(ScramblePassword());
    return gText.toString();
}

QString readBack(const QString& file)
{
    gFileName = file;
    ReadPasswordFile();
    return gUserPassword;
}
}

TEST_F(PasswordFileTest, WritesANumberAndTheScrambledPassword)
{
    const QString file = PasswordFilePath(QString::fromUtf8("MÜL"));
    EXPECT_EQ(file, gDataPath + QString::fromUtf8("MÜL.pw"));
    ASSERT_TRUE(WritePasswordFile(file, QString::fromUtf8("Geheim äß"), 900000));
    const QStringList lines = readLines(QString::fromUtf8("MÜL.pw"));
    ASSERT_EQ(lines.size(), 2);
    const auto number = QRegularExpression(QStringLiteral("^ (\\d+) $")).match(lines[0]);
    ASSERT_TRUE(number.hasMatch()) << lines[0].toStdString();
    EXPECT_LT(number.captured(1).toInt(), 900000);
    EXPECT_EQ(lines[1], scrambled(QString::fromUtf8("Geheim äß")));
    EXPECT_TRUE(readBytes(QString::fromUtf8("MÜL.pw")).endsWith("\r\n"));
    EXPECT_EQ(readBack(file), QString::fromUtf8("Geheim äß"));
}

TEST_F(PasswordFileTest, ReadsLineOneWhenLineTwoIsMissingOrEmpty)
{
    writeLines("A.pw", {" geheim"});
    EXPECT_EQ(readBack(path("A.pw")), " geheim");
    writeLines("B.pw", {"plain", ""});
    EXPECT_EQ(readBack(path("B.pw")), "plain");
    writeBytes("C.pw", "");
    EXPECT_EQ(readBack(path("C.pw")), "");
    EXPECT_EQ(readBack(path("missing.pw")), "");
}

TEST_F(PasswordFileTest, ReplacesAnExistingFileOfAnotherCase)
{
    writeLines("mül.pw", {"alt"});
    ASSERT_TRUE(WritePasswordFile(PasswordFilePath(QString::fromUtf8("MÜL")), "neu", 900000));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QString::fromUtf8("mül.pw")});
    EXPECT_EQ(readBack(PasswordFilePath(QString::fromUtf8("MÜL"))), "neu");
}

TEST_F(PasswordFileTest, WritesNothingWhenThePasswordCannotBeStored)
{
    writeLines("A.pw", {" 1 ", "alt"});
    const QByteArray before = readBytes("A.pw");
    for (const QString& bad : {QString(), QString::fromUtf8("Ωmega"), QString::fromUtf8("ÿÿ"), QString("a\tb")})
        EXPECT_FALSE(WritePasswordFile(path("A.pw"), bad, 900000)) << bad.toStdString();
    EXPECT_EQ(readBytes("A.pw"), before);

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("B.pw"));
    EXPECT_FALSE(WritePasswordFile(path("B.pw"), "geheim", 900000));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"A.pw"});
}
