#pragma once
// The timetable editor's tests: the planner's week with nine visible columns,
// classes "K1".."Kn" in use and subjects with short names, and the editor's
// labels by column, period and group row.
#include "planner/editor/timetable_editor.h"
#include "platform/forms.h"
#include "platform/units.h"
#include "tests/planner/planner_fixture.h"

#include <QAbstractButton>
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
    // Every subject offered in subject-number order, on either side of a cell;
    // teachers "AB" Abel and "CD" Clausen.
    static void offerSubjects()
    {
        for (int i = 1; i <= gMaxSubjects; ++i)
            gSubjectOrder(i) = static_cast<short>(i);
        for (int s = 1; s <= 5; ++s)
            gSubjectAttr(s, 2) = 2;
        gTeacherShort(1) = "AB";
        gTeacherNames(1) = "Abel";
        gTeacherShort(2) = "CD";
        gTeacherNames(2) = "Clausen";
    }
    // The class has `hours` of the subject a week, taught by `teacher` (0: none).
    static void teach(int cls, int subject, int hours, int teacher = 0)
    {
        gCurriculumHours(cls, subject) = static_cast<short>(hours);
        gSubjectTeachers(cls, subject, 0) = static_cast<short>(teacher);
        gSubjectAttr(subject, 5) = 1;
    }
    static Form15* open() { return forms::show<Form15>(); }
    // A button as the user clicks its caption (a radio button takes clicks on
    // its caption and mark only), any other control in its middle.
    static void click(QWidget* w)
    {
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->click();
        else
            QTest::mouseClick(w, Qt::LeftButton);
    }
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
    // "row 0/row 1" fixation codes of a cell.
    static QString codes(int day, int period, int cls)
    {
        return QStringLiteral("%1/%2").arg(gFixations(day, period, cls, 0)).arg(gFixations(day, period, cls, 1));
    }
    static int widthTwips(const QWidget* w) { return static_cast<int>(units::pixelsToTwips(w->width())); }
    static void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w, key, modifiers);
    }
};
