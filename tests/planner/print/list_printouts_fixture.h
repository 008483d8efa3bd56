#pragma once
// The lists and small sheets of the print menu, printed by clicking their
// buttons on the small school of the print fixture, with the look-ups their
// tests share.
#include "planner/print/print_menu.h"
#include "tests/planner/print/print_fixture.h"

#include <QPushButton>

class ListPrintoutTest : public PrintTest {
protected:
    using Op = PrintRecorder::Op;
    using Kind = PrintRecorder::Kind;

    void SetUp() override
    {
        PrintTest::SetUp();
        f = forms::show<Form14>();
    }

    // Millimetres, as the recorder keeps positions, from twips.
    static double mm(double twips) { return twips * 25.4 / 1440; }

    // The first text printed as `text`; fails the test when there is none.
    const Op& text(const QString& text) const { return printedText(*rec, text); }
    bool printed(const QString& text) const { return rec->texts().contains(text); }

    QList<Op> opsOf(Kind kind) const
    {
        QList<Op> found;
        for (const Op& op : rec->ops) {
            if (op.kind == kind)
                found << op;
        }
        return found;
    }

    // Gives the teacher slots 1..count a name and a short name each.
    static void staff(int count)
    {
        for (int t = 1; t <= count; ++t) {
            gTeacherNames(t) = QStringLiteral("Name %1").arg(t);
            gTeacherShort(t) = QStringLiteral("K%1").arg(t);
        }
    }

    Form14* f = nullptr;
};
