#include "core/model.h"
#include "core/window_positions.h"
#include "platform/forms.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <optional>

namespace {
class PositionedForm : public FormBase {
public:
    PositionedForm() : FormBase(6) {}
};
class OtherPositionedForm : public FormBase {
public:
    OtherPositionedForm() : FormBase(7) {}
};

// A program whose state lives in `state` moves its window F (or leaves it
// where it opens) and closes it; another program's state was in the model.
template <class F>
void closeIn(Model& state, std::optional<QPoint> to = {})
{
    model() = state;
    F* form = forms::get<F>();
    form->move(to.value_or(form->pos()));
    form->unload();
    state = model();
}
}

using WindowPositionsTest = ModelTest;

TEST_F(WindowPositionsTest, AWindowMovedOntoASmallerScreenKeepsItsStoredPosition)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int left = (screen.x() + screen.width() - 50) * 15;
    gWindowLeft(6) = static_cast<float>(left);
    gWindowTop(6) = 300;
    PositionedForm* form = forms::get<PositionedForm>();
    EXPECT_EQ(form->x() + form->frameGeometry().width(), screen.x() + screen.width());
    EXPECT_EQ(form->y(), 20);
    form->unload();
    EXPECT_EQ(readLines("qzTopLeft.dat").mid(10, 2), (QStringList{" 300 ", QStringLiteral(" %1 ").arg(left)}));
    EXPECT_TRUE(gWindowLeft(6) == left && gWindowTop(6) == 300);

    // Moved by the teacher, it stores where it stands.
    form = forms::get<PositionedForm>();
    form->move(form->pos() - QPoint(10, 0));
    const int movedTo = form->x() * 15;
    form->unload();
    EXPECT_EQ(readLines("qzTopLeft.dat")[11], QStringLiteral(" %1 ").arg(movedTo));
}

TEST_F(WindowPositionsTest, PositionsOffTheScreenComeBackWhenSaved)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size() * 15;
    gWindowTop(1) = screen.height() - 100;
    gWindowLeft(1) = screen.width() - 100;
    gWindowTop(2) = screen.height() - 99;
    gWindowLeft(2) = screen.width() - 99;
    gUserShort = " ABC ";
    SaveWindowPositions();
    const QStringList lines = readLines("qzTopLeftABC.dat");
    ASSERT_EQ(lines.size(), 140);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{QStringLiteral(" %1 ").arg(screen.height() - 100),
                                            QStringLiteral(" %1 ").arg(screen.width() - 100), " 1 ", " 1 "}));
}

TEST_F(WindowPositionsTest, AUserFileReplacesTheSlotsItHolds)
{
    QStringList start;
    for (int slot = 1; slot <= 70; ++slot)
        start << QStringLiteral(" %1 ").arg(slot * 10) << " 5 ";
    writeLines("qzTopLeft.dat", start);
    LoadWindowPositions();
    writeLines("qzTopLeftABC.dat", QStringList(20, "-250 "));
    gUserShort = "ABC";
    LoadWindowPositions();
    EXPECT_TRUE(gWindowTop(1) == 250 && gWindowLeft(10) == 250);
    EXPECT_TRUE(gWindowTop(11) == 110 && gWindowLeft(70) == 5);
}

TEST_F(WindowPositionsTest, AWindowTakesItsPositionAndStoresItWhenItCloses)
{
    gWindowLeft(6) = 1500;
    gWindowTop(6) = 750;
    PositionedForm* form = forms::get<PositionedForm>();
    EXPECT_EQ(form->pos(), QPoint(100, 50));
    form->move(200, 40);
    form->unload();
    EXPECT_EQ(readLines("qzTopLeft.dat").mid(10, 2), (QStringList{" 600 ", " 3000 "}));

    // Positions of a damaged file far beyond any screen come back on closing.
    gWindowLeft(6) = 3e10f;
    gWindowTop(6) = 1e12;
    forms::get<PositionedForm>()->unload();
    EXPECT_EQ(readLines("qzTopLeft.dat").mid(10, 2), (QStringList{" 1 ", " 1 "}));
}

TEST_F(WindowPositionsTest, AnUnwritableFolderLosesThePositionsSilently)
{
    blockFile("qzTopLeft.dat");
    SaveWindowPositions();
    gDataPath = m_dir.path() + "/fehlt/";
    SaveWindowPositions();
    EXPECT_FALSE(QDir(m_dir.path() + "/fehlt").exists());
}

// The register and the planner started on one folder, or on a teacher's
// file; each moves another window. Whichever ends last, both moves stay.
TEST_F(WindowPositionsTest, TwoProgramsOnOneFileKeepEachOthersMoves)
{
    for (const auto& [user, plannerEndsLast] : {std::pair{"", false}, std::pair{"ABC", true}}) {
        SCOPED_TRACE(user);
        gUserShort = user;
        writeLines(WindowPositionFile(), QStringList(140, " 300 "));
        LoadWindowPositions();
        Model registerState = model();
        Model plannerState = model();
        closeIn<PositionedForm>(registerState, QPoint(100, 50));
        closeIn<OtherPositionedForm>(plannerState, QPoint(200, 80));
        // Every close of a window writes the file again, the last one at the end.
        closeIn<PositionedForm>(plannerEndsLast ? registerState : plannerState);
        closeIn<PositionedForm>(plannerEndsLast ? plannerState : registerState);

        const QStringList lines = readLines(WindowPositionFile());
        ASSERT_EQ(lines.size(), 140);
        EXPECT_EQ(lines.mid(10, 4), (QStringList{" 750 ", " 1500 ", " 1200 ", " 3000 "}));
        EXPECT_EQ(lines.count(" 300 "), 136);
    }
}
