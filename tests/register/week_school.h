#pragma once
// A small school for the week overview and the reminder: class 4A (and 4B)
// with subjects M, E and D, and the entry window holding a date and a class.
#include "core/model.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "register/entry_window.h"
#include "tests/register/day_lines.h"
#include "tests/support/fixture.h"

#include <QDate>
#include <QDir>

class WeekSchoolTest : public ModelTest {
protected:
    enum Subject : short { M = 1, E = 2, D = 3 };

    void SetUp() override
    {
        ModelTest::SetUp();
        gClassNames(1) = "4A";
        gClassNames(2) = "4B";
        gSubjectNames(M, 2) = "M";
        gSubjectNames(E, 2) = "E";
        gSubjectNames(D, 2) = "D";
    }

    // The entry window (its start-up run in the data folder) with a date and a
    // class in its fields.
    void typeIntoEntryWindow(const QString& date, const QString& cls)
    {
        if (!forms::isOpen<Form1>()) {
            const QString here = QDir::currentPath();
            QDir::setCurrent(m_dir.path());
            forms::get<Form1>();
            QDir::setCurrent(here);
            gDataPath = m_dir.path() + QLatin1Char('/');
        }
        entryField("Text2")->setText(date);
        entryField("Text3")->setText(cls);
    }

    TextBox* entryField(const char* name)
    {
        Form1* entry = forms::get<Form1>();
        auto* field = entry->findChild<TextBox*>(QLatin1String(name));
        if (!field) {
            field = new TextBox(entry);
            field->setObjectName(QLatin1String(name));
        }
        return field;
    }

    // Weekday 1 = Monday, class 1 = 4A.
    static void lesson(int day, int period, short subject, int row = 0, int cls = 1)
    {
        gTimetable(day, period, cls, row) = subject;
    }

    // The day file of a date, as lines appended in order.
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
