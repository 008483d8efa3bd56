#pragma once
// A small school for the week overview and the reminder: classes 4A and 4B,
// subjects M, E and D, and the main window started in the data folder.
#include "core/model.h"
#include "platform/forms.h"
#include "register/entry_window.h"
#include "tests/register/day_lines.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QTest>

class WeekSchoolTest : public ModelTest {
protected:
    enum Subject : short { M = 1, E = 2, D = 3 };
    Form1* entry = nullptr;

    void SetUp() override
    {
        ModelTest::SetUp();
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        entry = forms::get<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        gClassNames(1) = "4A";
        gClassNames(2) = "4B";
        gSubjectNames(M, 2) = "M";
        gSubjectNames(E, 2) = "E";
        gSubjectNames(D, 2) = "D";
    }

    void typeIntoEntryWindow(const QString& date, const QString& cls) const
    {
        entry->Text2->setText(date);
        entry->Text3->setText(cls);
    }

    void enter(TextBox* field, const QString& text) const
    {
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    // Weekday 1 = Monday, class 1 = 4A.
    static void lesson(int day, int period, short subject, int row = 0, int cls = 1)
    {
        gTimetable(day, period, cls, row) = subject;
    }

    void writeDay(const QDate& day, const QStringList& lines) const
    {
        writeLines(day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".qz"), lines);
    }

    static QString content(const QString& subject, const QString& shortName = QStringLiteral("ABC"),
                           const QString& cls = QStringLiteral("4A"), const QString& text = QStringLiteral("Stoff"))
    {
        return entryLine({.kind = "03", .cls = cls, .text = text, .shortName = shortName, .subject = subject});
    }
};
