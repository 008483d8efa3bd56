#include "core/model.h"
#include "core/passwords.h"
#include "platform/codepage.h"
#include "tests/support/fixture.h"

using PasswordsTest = ModelTest;

namespace {
QString allPrintable()
{
    QString s;
    for (int b = 32; b <= 255; ++b) {
        if (b != 127)
            s += codepage::charOf(static_cast<unsigned char>(b));
    }
    return s;
}
}

TEST_F(PasswordsTest, PrintableTextNeverScramblesIntoALineOrFileEnd)
{
    // Each printable byte at each of the five key positions.
    const QString all = allPrintable();
    for (int offset = 0; offset < 5; ++offset) {
        for (QChar c : all) {
            gText = QString(offset, QLatin1Char('a')) + c;
            if (!ScramblePassword())
                continue;
            const int b = codepage::byteOf(gText.toString().back());
            EXPECT_TRUE(b != 0 && b != 10 && b != 13 && b != 26) << b;
            ASSERT_TRUE(UnscramblePassword());
            EXPECT_EQ(gText.toString(), QString(offset, QLatin1Char('a')) + c);
        }
    }
}

TEST_F(PasswordsTest, TheKeyRepeatsEveryFiveCharactersAndChangesEachOne)
{
    gText = "AAAAAAA";
    ASSERT_TRUE(ScramblePassword());
    const QString s = gText.toString();
    EXPECT_EQ(s[5], s[0]);
    EXPECT_EQ(s[6], s[1]);
    for (QChar c : s)
        EXPECT_GT(c.unicode(), 'A');
    gText = Variant();
    EXPECT_TRUE(ScramblePassword());
    EXPECT_TRUE(gText.isEmpty());
}

TEST_F(PasswordsTest, FailureLeavesTheTextAsItWas)
{
    gText = QString::fromUtf8("abcdÿ");  // the highest byte cannot move up
    EXPECT_FALSE(ScramblePassword());
    EXPECT_EQ(gText.toString(), QString::fromUtf8("abcdÿ"));
    gText = QString::fromUtf8("Pass€wort");
    EXPECT_TRUE(ScramblePassword());
    gText = QString::fromUtf8("Paßwort Ω");  // not in the code page
    EXPECT_FALSE(ScramblePassword());
    EXPECT_EQ(gText.toString(), QString::fromUtf8("Paßwort Ω"));
    gText = QString(QChar(1));
    EXPECT_FALSE(UnscramblePassword());
    EXPECT_EQ(gText.toString(), QString(QChar(1)));
}
