#include "platform/dates.h"

#include <gtest/gtest.h>

TEST(Dates, GermanFormsAreValid)
{
    EXPECT_EQ(dates::parse("1.2.2026"), QDate(2026, 2, 1));
    EXPECT_EQ(dates::parse("01.02.26"), QDate(2026, 2, 1));
    EXPECT_EQ(dates::parse("1-2-2026"), QDate(2026, 2, 1));
    EXPECT_EQ(dates::parse("1/2/99"), QDate(1999, 2, 1));
    EXPECT_EQ(dates::parse(" 29.02.2024 "), QDate(2024, 2, 29));
}

TEST(Dates, InvalidTexts)
{
    for (const char* t : {"", "29.02.2026", "32.1.2026", "1.13.2026", "1.2", "1.2-2026", "heute", "1.2.026"})
        EXPECT_FALSE(dates::isValid(t)) << t;
}

TEST(Dates, KeysTextsWeekdaysAndStamps)
{
    const QDate d(2026, 3, 8);
    EXPECT_EQ(dates::key(d), "20260308");
    EXPECT_EQ(dates::fromKey("20260308"), d);
    EXPECT_FALSE(dates::fromKey("20261399").has_value());
    EXPECT_EQ(dates::shortText(d), "08.03.2026");
    EXPECT_EQ(dates::weekday(QDate(2026, 3, 9)), 1);
    EXPECT_EQ(dates::weekday(d), 7);
    EXPECT_EQ(dates::timeStamp(QDateTime(d, QTime(7, 5))), "202603080705");
}
