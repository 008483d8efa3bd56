#pragma once
// The timetable printouts' tests: the print menu's small school with
// subjects, short names and print names, the menu open, and look-ups of what
// the recorder kept by text and by place.
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/planner/print/print_fixture.h"

#include <QLabel>
#include <QListWidgetItem>

class TimetablePrintTest : public PrintTest {
protected:
    static constexpr double kMmPerPoint = 25.4 / 72;
    static constexpr double kTwipsPerMm = 1440 / 25.4;
    // "D" in red, "E" in blue, "MA" in green with ability groups, and a
    // subject whose abbreviation is "-".
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
    // The menu, opened at the first use: a test may change the school first.
    Form14* menu()
    {
        if (!m_menu)
            m_menu = forms::show<Form14>();
        return m_menu;
    }
    static void select(ListBox* list, const QList<int>& rows)
    {
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

    // The first text printed that starts with `start`.
    const PrintRecorder::Op* firstText(const QString& start) const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.startsWith(start))
                return &op;
        }
        return nullptr;
    }
    // The first text at (x, y), in the unit of `perMm`; a test fails without one.
    const PrintRecorder::Op& textAt(double x, double y, double perMm = 1) const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qAbs(op.x * perMm - x) < 1e-3 && qAbs(op.y * perMm - y) < 1e-3)
                return op;
        }
        ADD_FAILURE() << "no text at " << x << ", " << y;
        static const PrintRecorder::Op none{};
        return none;
    }
    // "document: text" of each text at (x, y), in the unit of `perMm`.
    QStringList textsAt(double x, double y, double perMm = 1) const
    {
        QStringList found;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qAbs(op.x * perMm - x) < 1e-3 && qAbs(op.y * perMm - y) < 1e-3)
                found << QStringLiteral("%1: %2").arg(op.document).arg(op.text);
        }
        return found;
    }
    // "document: x, y" of each text that starts with `start`, in the unit of
    // `perMm`, rounded.
    QStringList placesOf(const QString& start, double perMm = 1) const
    {
        QStringList places;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.startsWith(start))
                places << QStringLiteral("%1: %2, %3")
                              .arg(op.document)
                              .arg(qRound(op.x * perMm))
                              .arg(qRound(op.y * perMm));
        }
        return places;
    }

    Form14* m_menu = nullptr;
};
