#include "core/model.h"
#include "core/passwords.h"
#include "platform/codepage.h"
#include "tests/support/fixture.h"

using PasswordsTest = ModelTest;

TEST_F(PasswordsTest, PrintableTextRoundTripsAndNeverScramblesIntoALineOrFileEnd)
{
    for (int offset = 0; offset < 5; ++offset) {
        for (int b = 32; b <= 255; ++b) {
            const QString text = QString(offset, QLatin1Char('a')) + codepage::charOf(static_cast<unsigned char>(b));
            gText = text;
            if (!ScramblePassword())
                continue;
            const int s = codepage::byteOf(gText.toString().back());
            EXPECT_TRUE(s != 0 && s != 10 && s != 13 && s != 26) << s;
            ASSERT_TRUE(UnscramblePassword());
            EXPECT_EQ(gText.toString(), text);
        }
    }
    gText = "AAAAAAA";
    ASSERT_TRUE(ScramblePassword());
    EXPECT_EQ(gText.toString().mid(5), gText.toString().left(2));
}

TEST_F(PasswordsTest, FailureLeavesTheTextAsItWas)
{
    for (const QString& bad : {QString::fromUtf8("abcdÿ"), QString::fromUtf8("Paßwort Ω")}) {
        gText = bad;
        EXPECT_FALSE(ScramblePassword());
        EXPECT_EQ(gText.toString(), bad);
    }
    gText = QString(QChar(1));
    EXPECT_FALSE(UnscramblePassword());
    EXPECT_EQ(gText.toString(), QString(QChar(1)));
}
