#pragma once
// The common start of the substitution tests: a school of named teachers and
// classes with period captions, a working date, and a look at day files.
#include "core/model.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/substitution_day.h"
#include "platform/datafile.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/printing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <optional>
#include <vector>

class SubstitutionTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        const char* const names[][2] = {{"Anna Berger", "BER"}, {"Bernd Cramer", "CRA"}, {"Carla Dietz", "DIE"},
                                        {"Dora Engel", "ENG"},  {"Emil Fuchs", "FUC"},  {"Franz Graf", "GRA"},
                                        {"Gerda Hahn", "HAH"}};
        for (int t = 1; t <= 60; ++t) {
            gTeacherNames(t) = t <= 7 ? names[t - 1][0] : "-";
            gTeacherShort(t) = t <= 7 ? names[t - 1][1] : "-";
        }
        const char* const classes[] = {"5a", "5b", "6a", "7a"};
        for (int c = 1; c <= 4; ++c)
            gClassNames(c) = classes[c - 1];
        for (int p = 1; p <= 11; ++p)
            gPeriodLabels(p) = QString::number(p) + ".Eh.";
        gWorkDate = "14.09.2026";
    }

    // A substitution record as a day file holds it.
    struct Record {
        int absent, period, subject, cls, substitute, paid;
        QString text = {};
    };
    // Saves a day with these records, the teachers in `paidFor` having their
    // substitutions paid; the day variables are empty again afterwards.
    static void saveDay(const QString& date, const std::vector<Record>& records, std::initializer_list<int> paidFor = {})
    {
        const Variant workDate = gWorkDate;
        gWorkDate = date;
        for (int t : paidFor)
            gTeacherPaid(t) = 1;
        gSubstRowCount = static_cast<short>(records.size());
        for (int r = 1; r <= gSubstRowCount; ++r) {
            const Record& d = records[static_cast<std::size_t>(r - 1)];
            const int fields[] = {d.absent, d.period, d.subject, d.cls, d.substitute, d.paid};
            for (int f = 0; f < 6; ++f)
                gSubstRows(r, f) = static_cast<short>(fields[f]);
            gSubstRowTexts(r) = d.text;
        }
        ASSERT_TRUE(SaveSubstitutionDay());
        gTeacherPaid = {};
        gSubstRows = {};
        gSubstRowTexts = {};
        gSubstRowCount = 0;
        gWorkDate = workDate;
    }

    // "wer fehlt ?" once it is up, when it tells what it found as it loaded.
    static Form20* openAbsences()
    {
        Form20* f = forms::show<Form20>();
        QCoreApplication::sendPostedEvents(f, QEvent::MetaCall);
        return f;
    }

    // The periods, of the 11 the tables hold, teacher t is marked absent in.
    static QList<int> markedPeriods(int t)
    {
        QList<int> periods;
        for (int p = 1; p <= 11; ++p) {
            if (gTeacherAbsentPeriods(t, p) == 1)
                periods << p;
        }
        return periods;
    }

    // Every teacher's and then every class's marks of periods 1 to 11; -1 for
    // an empty one.
    static QList<int> allMarks()
    {
        QList<int> marks;
        for (int row = 1; row <= 84; ++row) {
            for (int p = 1; p <= 11; ++p) {
                const Variant& mark = row <= 60 ? gTeacherAbsentPeriods(row, p) : gClassAbsentPeriods(row - 60, p);
                marks << (mark.isEmpty() ? -1 : mark.toInt());
            }
        }
        return marks;
    }

    // The focus leaves a box, as when the user clicks elsewhere.
    static void leave(QWidget* box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(box, &out);
    }
    // The texts of labels, buttons or boxes, in order.
    template <class... Widget>
    static QStringList texts(const Widget*... widgets)
    {
        return {widgets->text()...};
    }
};

// The substitution printouts' tests: everything printed is recorded, for a
// school named "Muster-Schule".
class SubstitutionPrintTest : public SubstitutionTest {
protected:
    PrinterReset m_printer;
    PrintRecorder* rec = nullptr;

    void SetUp() override
    {
        SubstitutionTest::SetUp();
        rec = &recordPrinting();
        gSchoolName = "Muster-Schule";
    }
    // The texts printed at a height in a document, in order; with a font
    // size, only the texts of that size.
    QStringList textsAt(int document, double y, std::optional<double> fontSize = {}) const
    {
        QStringList texts;
        for (const PrintRecorder::Op& o : rec->ops) {
            if (o.kind == PrintRecorder::Kind::Text && o.document == document && qAbs(o.y - y) < 0.01
                && (!fontSize || o.state.font.size == *fontSize))
                texts << o.text;
        }
        return texts;
    }
    // Where the texts printed at a height start, in order.
    QList<double> columnsAt(double y) const
    {
        QList<double> columns;
        for (const PrintRecorder::Op& o : rec->ops) {
            if (o.kind == PrintRecorder::Kind::Text && o.y == y)
                columns << o.x;
        }
        return columns;
    }
    // The lines drawn, in order.
    QList<PrintRecorder::Op> lines() const
    {
        QList<PrintRecorder::Op> found;
        for (const PrintRecorder::Op& o : rec->ops) {
            if (o.kind == PrintRecorder::Kind::Line)
                found << o;
        }
        return found;
    }
};
