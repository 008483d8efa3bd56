#pragma once
// The week grids of the whole school printed on a recorded A3 printer from
// the print menu: a small plan, and every text the status line showed while
// a grid printed.
#include "planner/print/print_menu.h"
#include "tests/planner/print/print_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

class GridTest : public PrintTest {
public:
    using Click = void (Form14::*)();

protected:
    using Op = PrintRecorder::Op;

    void SetUp() override
    {
        PrintTest::SetUp();
        rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
        gPlanName = QStringLiteral("12");
        subject(1, "D", 2);
        subject(2, "M", 1);
        subject(3, "E", 3);
        for (int k = 1; k <= 24; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gTeacherShort(1) = QStringLiteral("AB");
        gTeacherShort(3) = QStringLiteral("BE");
        gTeacherShort(12) = QStringLiteral("CO");
        f = forms::show<Form14>();
    }

    static void subject(int s, const QString& abbreviation, short colour)
    {
        gSubjectNames(s, 0) = abbreviation + QStringLiteral("-Fach");
        gSubjectNames(s, 2) = abbreviation;
        gSubjectAttr(s, 1) = colour;
    }
    // Teachers "Lehrer 20" .. in the slots from 20 on, and classes named after
    // their slot from class 6 on; the menu is opened again to list them.
    void moreTeachersAndClasses(int teachers, int classes)
    {
        for (int t = 20; t < 20 + teachers; ++t)
            gTeacherNames(t) = QStringLiteral("Lehrer %1").arg(t);
        for (int k = 6; k < 6 + classes; ++k) {
            gClassNames(k) = QStringLiteral("K%1").arg(k);
            gClassPrintNames(k) = gClassNames(k).toString();
        }
        f->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f = forms::show<Form14>();
    }

    // Prints through the button's handler; the texts the status line showed
    // at the yields and at the end, each once in a row.
    QStringList print(Click click)
    {
        QStringList shown;
        const auto look = [&] {
            if (shown.isEmpty() || shown.last() != f->Label5->text())
                shown << f->Label5->text();
        };
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, look);
        watch.start();
        (f->*click)();
        watch.stop();
        look();
        return shown;
    }

    QList<Op> textOps(const QString& text) const
    {
        QList<Op> found;
        std::copy_if(rec->ops.begin(), rec->ops.end(), std::back_inserter(found),
                     [&](const Op& op) { return op.kind == PrintRecorder::Kind::Text && op.text == text; });
        return found;
    }
    // The one op printing `text`; fails the test when there is not exactly one.
    Op textOp(const QString& text) const
    {
        const QList<Op> found = textOps(text);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0, Op{PrintRecorder::Kind::Text, 0, 0, -1, -1, -1, -1, {}, {}});
    }
    bool printed(const QString& text) const { return !textOps(text).isEmpty(); }

    Form14* f = nullptr;
};

// The six grids, by their buttons.
struct GridMember {
    const char* caption;
    GridTest::Click click;
    bool landscape;
    bool reduced;
};

inline const GridMember kGridMembers[] = {
    {"Personal-Stundenplan  A3", &Form14::Command13_Click, true, false},
    {"Personal-Stpl. verkl", &Form14::Command29_Click, true, true},
    {"Gesamt-Stpl.+ LFV  A3", &Form14::Command14_Click, true, false},
    {"Gesamt-Stpl. verkl", &Form14::Command28_Click, true, true},
    {"Gesamt-Stpl. - senkrecht  A3", &Form14::Command15_Click, false, false},
    {"Gesamt-senkr. verkl", &Form14::Command30_Click, false, true},
};
