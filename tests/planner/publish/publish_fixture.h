#pragma once
// The common start of the publishing tests: a small school of three classes,
// two periods and three subjects with the publishing names, and the bytes a
// page is expected to hold.
#include "core/model.h"
#include "core/startup.h"
#include "planner/publish/publishing_windows.h"
#include "platform/codepage.h"
#include "platform/forms.h"
#include "tests/planner/planner_fixture.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QString>
#include <QTest>
#include <chrono>

class PublishTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gSchoolName = "Schule am Park";
        gPeriodsPerDay = 2;
        const char* const classes[] = {"5a", "5b", "6a"};
        for (int c = 1; c <= 3; ++c)
            gClassNames(c) = classes[c - 1];
        // 5b is kept off the timetable page, 6a off the substitution page.
        gClassSkipFlag(2) = 1;
        gClassSkipFlag(3) = -1;
        gPeriodLabels(1) = "1.";
        gPeriodLabels(2) = "2.";
        gPeriodTimes(1) = "8.00-8.45";
        gPeriodTimes(2) = "8.50-9.35";
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(0, column) = "=";
        const char* const subjects[][2] = {{"Ma", "M"}, {"De", "D"}, {"Ku", "Ku"}};
        for (int s = 1; s <= 3; ++s) {
            gSubjectNames(s, 1) = subjects[s - 1][0];
            gSubjectNames(s, 2) = subjects[s - 1][1];
        }
        for (int t = 1; t <= 60; ++t) {
            gTeacherNames(t) = "-";
            gTeacherShort(t) = "-";
        }
        gTeacherNames(1) = "Anna Berger";
        gTeacherShort(1) = "BER";
        gTeacherNames(2) = "Bernd Cramer";
        gTeacherShort(2) = "CRA";
        gWorkDate = "14.09.2026";
        PreparePublishing();
    }
    // No upload of a closed window runs on into the next test, and what its
    // end tells goes to the test's messages.
    void TearDown() override
    {
        forms::unloadAll();
        FinishUploadsOfClosedWindows(kLongestUpload);
        PlannerTest::TearDown();
    }
    static constexpr std::chrono::milliseconds kLongestUpload{60000};

    // Publishes through the account of these "ftp.dat" lines.
    void useAccount(const QStringList& lines) const
    {
        writeLines("ftp.dat", lines);
        PreparePublishing();
    }

    // Turns the event loop until the window's upload ended or the window went.
    static void waitForUpload(PublishingWindow* window)
    {
        constexpr int kTurnMilliseconds = 5;
        const QPointer<PublishingWindow> f(window);
        const QDeadlineTimer deadline(kLongestUpload);
        while (f && f->uploading() && !deadline.hasExpired())
            QTest::qWait(kTurnMilliseconds);
        ASSERT_FALSE(f && f->uploading()) << "the upload ended";
    }

    // The face tag in the default text colour that starts each text of a page.
    static inline const QString kFace = QStringLiteral(R"(<font color="#909090" font face="Comic Sans MS"> )");

    // The bytes of a page given as lines ended by "\n", each "{F}" standing
    // for the face tag.
    static QByteArray page(QString lines)
    {
        lines.replace(QStringLiteral("{F}"), kFace);
        return codepage::encode(lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    }
};
