#pragma once
// The timetable editor's tests: the planner's week with nine visible columns,
// classes "K1".."Kn" in use and subjects with short names, and the editor's
// labels by column, period and group row.
#include "planner/editor/timetable_editor.h"
#include "platform/forms.h"
#include "platform/units.h"
#include "tests/planner/planner_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class EditorTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gVisibleColumns = 9;
        nameClasses(10);
        const char* names[] = {"De", "Ma", "En", "Bio", "Sp"};
        for (int s = 1; s <= 5; ++s)
            gSubjectNames(s, 1) = QString::fromUtf8(names[s - 1]);
    }
    // Classes 1..count in use, the others empty.
    static void nameClasses(int count)
    {
        for (int c = 1; c <= 24; ++c)
            gClassNames(c) = c <= count ? QStringLiteral("K%1").arg(c) : QString();
    }
    static Form15* open() { return forms::show<Form15>(); }
    static Form15* editor() { return forms::ifOpen<Form15>(); }
    // The label of a shown column 1.., period 1.. and group row 0 or 1.
    static QLabel* cell(int column, int period, int half)
    {
        return editor()->G[((column - 1) * gPeriodsPerDay.toInt() + period - 1) * 2 + half];
    }
    static QStringList headers()
    {
        QStringList out;
        for (QLabel* h : editor()->Label3) {
            if (!h->isHidden())
                out << h->text();
        }
        return out;
    }
    static int widthTwips(const QWidget* w) { return static_cast<int>(units::pixelsToTwips(w->width())); }
    static void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w, key, modifiers);
    }
};
