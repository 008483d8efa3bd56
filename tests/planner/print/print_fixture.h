#pragma once
// The print menu's tests: a small school (teachers with a gap among their
// slots, classes with empty and "-" slots, named and unnamed rooms), a week of
// 5 days, everything printed recorded on a device that stands for an A4
// printer, and look-ups of what the recorder kept.
#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidgetItem>
#include <QPushButton>
#include <QTimer>

class PrintTest : public ModelTest {
protected:
    using Op = PrintRecorder::Op;
    using Kind = PrintRecorder::Kind;
    static constexpr double kMmPerPoint = 25.4 / 72;
    static constexpr double kTwipsPerMm = 1440 / 25.4;

    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gSpecialRoomCount = 16;
        gSchoolName = QStringLiteral("Muster-Schule");
        for (int t = 0; t <= 60; ++t)
            gTeacherNames(t) = QStringLiteral("-");
        gTeacherNames(1) = QStringLiteral("Abel Anna");
        gTeacherNames(3) = QStringLiteral("Berg Bernd");
        gTeacherNames(12) = QStringLiteral("Corn Clara");
        gTeacherTitle(3) = 4;
        const char* const classes[] = {"1A", "1B", "", "-", "2A"};
        for (int k = 0; k < 5; ++k)
            gClassNames(k + 1) = QString::fromUtf8(classes[k]);
        for (int r = 1; r <= 16; ++r)
            gSpecialRoomNames(r) = QStringLiteral("-");
        gSpecialRoomNames(1) = QStringLiteral("Turnsaal");
        gSpecialRoomNames(3) = QString();
        gSpecialRoomNames(4) = QStringLiteral("Labor");
        rec = &recordPrinting(QStringLiteral("Laserdrucker"), QPageSize(QPageSize::A4));
    }

    // The menu, opened at the first use: a test may change the school first.
    Form14* menu()
    {
        if (!f)
            f = forms::show<Form14>();
        return f;
    }
    // Closes the menu and opens it again, listing the school as it is now.
    void reopen()
    {
        menu()->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f = forms::show<Form14>();
    }
    void recordA3() { rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3)); }
    static void select(ListBox* list, const QList<int>& rows)
    {
        for (int row : rows)
            list->item(row)->setSelected(true);
    }
    // Gives the teacher slots 1..count a name and a short name each.
    static void staff(int count)
    {
        for (int t = 1; t <= count; ++t) {
            gTeacherNames(t) = QStringLiteral("Name %1").arg(t);
            gTeacherShort(t) = QStringLiteral("K%1").arg(t);
        }
    }
    // Millimetres, as the recorder keeps positions, from twips.
    static double mm(double twips) { return twips / kTwipsPerMm; }

    template <class Pred> QList<Op> opsWhere(Pred pred) const
    {
        QList<Op> found;
        for (const Op& op : rec->ops) {
            if (pred(op))
                found << op;
        }
        return found;
    }
    QList<Op> opsOf(Kind kind) const
    {
        return opsWhere([&](const Op& op) { return op.kind == kind; });
    }
    QList<Op> textOps(const QString& text) const
    {
        return opsWhere([&](const Op& op) { return op.kind == Kind::Text && op.text == text; });
    }
    // The first text printed as `text`; fails the test when there is none.
    const Op& text(const QString& text) const { return printedText(*rec, text); }
    bool printed(const QString& text) const { return rec->texts().contains(text); }
    // The first text that starts with `start`; fails the test when there is none.
    const Op& textStarting(const QString& start) const
    {
        for (const Op& op : rec->ops) {
            if (op.kind == Kind::Text && op.text.startsWith(start))
                return op;
        }
        ADD_FAILURE() << "nothing printed starts with " << start.toStdString();
        static const Op none{};
        return none;
    }
    // "document: text" of each text at (x, y), in the unit of `perMm`.
    QStringList textsAt(double x, double y, double perMm = 1) const
    {
        QStringList found;
        for (const Op& op : rec->ops) {
            if (op.kind == Kind::Text && qAbs(op.x * perMm - x) < 1e-3 && qAbs(op.y * perMm - y) < 1e-3)
                found << QStringLiteral("%1: %2").arg(op.document).arg(op.text);
        }
        return found;
    }
    // The first text at (x, y), in the unit of `perMm`; fails the test without one.
    const Op& textAt(double x, double y, double perMm = 1) const
    {
        for (const Op& op : rec->ops) {
            if (op.kind == Kind::Text && qAbs(op.x * perMm - x) < 1e-3 && qAbs(op.y * perMm - y) < 1e-3)
                return op;
        }
        ADD_FAILURE() << "no text at " << x << ", " << y;
        static const Op none{};
        return none;
    }
    // "document: x, y" of each text that starts with `start`, in the unit of
    // `perMm`, rounded.
    QStringList placesOf(const QString& start, double perMm = 1) const
    {
        QStringList places;
        for (const Op& op : rec->ops) {
            if (op.kind == Kind::Text && op.text.startsWith(start))
                places << QStringLiteral("%1: %2, %3")
                              .arg(op.document)
                              .arg(qRound(op.x * perMm))
                              .arg(qRound(op.y * perMm));
        }
        return places;
    }

    PrinterReset m_printer;
    PrintRecorder* rec = nullptr;
    Form14* f = nullptr;
};

// The timetable printouts' school: "D" in red, "E" in blue, "MA" in green
// with ability groups, a subject whose abbreviation is "-", short names and
// print names.
class TimetablePrintTest : public PrintTest {
protected:
    static constexpr int kDe = 1;
    static constexpr int kEn = 2;
    static constexpr int kMa = 3;
    static constexpr int kDash = 4;
    static constexpr std::uint32_t kRed = 0x0000FF;
    static constexpr std::uint32_t kBlue = 0xFF0000;

    void SetUp() override
    {
        PrintTest::SetUp();
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(0, column) = QStringLiteral("=");
        subject(kDe, "D", 2);
        subject(kEn, "E", 1);
        subject(kMa, "MA", 3);
        gSubjectAttr(kMa, 4) = 1;
        subject(kDash, "-", 0);
        gTeacherShort(0) = QStringLiteral("-");
        gTeacherShort(1) = QStringLiteral("AB");
        gTeacherShort(3) = QStringLiteral("BE");
        gTeacherShort(12) = QStringLiteral("CO");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
    }
    static void subject(int s, const char* abbreviation, int colour)
    {
        gSubjectNames(s, 2) = QString::fromUtf8(abbreviation);
        gSubjectAttr(s, 1) = static_cast<short>(colour);
    }
};

// The week grids of the whole school printed on a recorded A3 printer from
// the open menu, with every text the status line showed while one printed.
class GridTest : public PrintTest {
public:
    using Click = void (Form14::*)();

protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        recordA3();
        gPlanName = QStringLiteral("12");
        subject(1, "D", 2);
        subject(2, "M", 1);
        subject(3, "E", 3);
        for (int k = 1; k <= 24; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gTeacherShort(1) = QStringLiteral("AB");
        gTeacherShort(3) = QStringLiteral("BE");
        gTeacherShort(12) = QStringLiteral("CO");
        menu();
    }
    static void subject(int s, const QString& abbreviation, short colour)
    {
        gSubjectNames(s, 0) = abbreviation + QStringLiteral("-Fach");
        gSubjectNames(s, 2) = abbreviation;
        gSubjectAttr(s, 1) = colour;
    }
    // Teachers "Lehrer 20" .. in the slots from 20 on, and classes named after
    // their slot from class 6 on, listed in the menu.
    void moreTeachersAndClasses(int teachers, int classes)
    {
        for (int t = 20; t < 20 + teachers; ++t)
            gTeacherNames(t) = QStringLiteral("Lehrer %1").arg(t);
        for (int k = 6; k < 6 + classes; ++k) {
            gClassNames(k) = QStringLiteral("K%1").arg(k);
            gClassPrintNames(k) = gClassNames(k).toString();
        }
        reopen();
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
