#include "planner/masterdata/school_overview.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/timetable.h"
#include "platform/controls.h"
#include "platform/drawing_surface.h"
#include "platform/units.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

namespace {
constexpr int kWhite = 8;
// Every day has a band of this many rows, whatever the periods in use; six
// bands fill the height.
constexpr int kRowsPerDay = 12;
constexpr int kBands = 6;
// Lessons are drawn for six days also in a five-day week: a lesson kept on
// the sixth day shows, without a label.
constexpr int kLessonDays = 6;
constexpr double kDayFont = 22;
constexpr double kClassFont = 14;
constexpr double kLessonFont = 7;
// Distances of the lines and texts from the edges and from their cells.
constexpr double kLineOffset = 20;
constexpr double kColumnLineTop = 10;
constexpr double kLabelLeft = 10;
constexpr double kHeadingTop = 20;
constexpr double kButtonLeft = 50;
constexpr double kButtonFromBottom = 750;
const controls::Font kBold{"Arial", 8.25, true};
}

// The window keeps no position: it opens over the whole screen.
Form36::Form36() : FormBase(0)
{
    setObjectName(QStringLiteral("Form36"));
    setWindowTitle(QStringLiteral("Gesamtübersicht"));

    surface = controls::named<DrawingSurface>(this, "surface");
    surface->setDrawing([this](DrawingSurface& s) { drawOverview(s); });
    Command1 = controls::button(this, "Command1", QStringLiteral("zurück"), kBold);
    place(Command1, 50, 120, 1215, 495);

    connect(Command1, &QPushButton::clicked, this, &Form36::Command1_Click);
}

void Form36::Form_Load()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.topLeft());
        resize(available.size());
    }
}

// The start window may open the overview before anything has looked for the
// last class in use.
void Form36::Form_Activate()
{
    FindLastUsedClass();
    surface->redraw();
}

void Form36::resizeEvent(QResizeEvent* e)
{
    FormBase::resizeEvent(e);
    surface->setGeometry(rect());
}

// Drawn with variables of its own: a paint may come while another window's
// procedure works with the shared cell and scratch variables.
void Form36::drawOverview(DrawingSurface& s)
{
    const double width = s.widthTwips();
    const double height = s.heightTwips();
    const QPoint buttonAt(units::twipsToPixels(kButtonLeft), units::twipsToPixels(height - kButtonFromBottom));
    if (Command1->pos() != buttonAt)
        Command1->move(buttonAt);

    const int lastClass = timetable::lastClass();
    const double halfColumn = width / (lastClass + 1) / 2;
    const double row = height / kBands / kRowsPerDay;
    const auto rowTop = [row](int day, int period) { return row * (kRowsPerDay * (day - 1) + period + 1); };
    const auto printAt = [&s](double x, double y, const QString& text) {
        s.setCurrentX(x);
        s.setCurrentY(y);
        s.print(text);
    };
    const std::uint32_t white = BackColour(kWhite);

    s.setFontSize(kDayFont);
    for (int day = 1; day <= timetable::days(); ++day) {
        const double y = rowTop(day, 1);
        s.line(1, y - kLineOffset, width - kLineOffset, y - kLineOffset, white);
        printAt(kLabelLeft, y, gDayShortNames(day));
    }

    s.setFontSize(kClassFont);
    for (int cls = 1; cls <= lastClass; ++cls) {
        const double x = 2 * cls * halfColumn;
        s.line(x - kLineOffset, kColumnLineTop, x - kLineOffset, height - kLineOffset, white);
        printAt(x, kHeadingTop, gClassNames(cls).toString());
    }

    s.setFontSize(kLessonFont);
    for (int day = 1; day <= kLessonDays; ++day) {
        for (int cls = 1; cls <= lastClass; ++cls) {
            for (int period = 1; period <= timetable::periods(); ++period) {
                for (int half = 0; half <= 1; ++half) {
                    const int subject = gTimetable(day, period, cls, half);
                    // A number from a damaged plan file names no subject.
                    if (subject != 0 && gSubjectNames.inBounds(subject))
                        printAt(halfColumn * (2 * cls + half), rowTop(day, period), gSubjectNames(subject, 1));
                }
            }
        }
    }
}

void Form36::Command1_Click() { unload(); }
