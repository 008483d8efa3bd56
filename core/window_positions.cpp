#include "core/window_positions.h"

#include "core/model.h"
#include "platform/datafile.h"
#include "platform/forms.h"
#include "platform/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <optional>

namespace {
constexpr int kSlots = 70;
// How far a window may start from the right or bottom edge of the screen.
constexpr int kEdgeMargin = 100;

// The screen size in twips; none without a screen.
std::optional<QSize> screenTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    const QSize pixels = screen->geometry().size();
    return QSize(pixels.width() * units::kTwipsPerPixel, pixels.height() * units::kTwipsPerPixel);
}

void bringBackOnScreen()
{
    const auto screen = screenTwips();
    if (!screen)
        return;
    const int maxLeft = screen->width() - kEdgeMargin;
    const int maxTop = screen->height() - kEdgeMargin;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (gWindowTop(slot) > maxTop) {
            gWindowTop(slot) = 1;
            gWindowChanged(slot) = 1;
        }
        if (gWindowLeft(slot) > maxLeft) {
            gWindowLeft(slot) = 1;
            gWindowChanged(slot) = 1;
        }
    }
}

// A position of a damaged file far beyond any screen still places the window
// (off the screen, so closing it brings it back); it never overflows.
int windowPixels(double twips)
{
    const double pixels = twips / units::kTwipsPerPixel;
    return std::fabs(pixels) <= QWIDGETSIZE_MAX ? static_cast<int>(pixels) : QWIDGETSIZE_MAX;
}

QPoint slotPixels(int slot)
{
    return {windowPixels(gWindowLeft(slot)), windowPixels(gWindowTop(slot).toDouble())};
}

void restorePosition(FormBase& form) { RestoreWindowPosition(form, form.positionSlot()); }

void storePosition(FormBase& form) { StoreWindowPosition(form, form.positionSlot()); }

// A window the program moved to fit this screen, or put beside the window
// that opened it, keeps its stored position: it comes back where the teacher
// put it on a larger screen, and the program's choice is nobody's position.
// Windows that store by a rule of their own pass here as well.
bool standsWhereFitted(const QWidget& window)
{
    const auto* form = qobject_cast<const FormBase*>(&window);
    return form && form->standsWhereFitted();
}
}

void RestoreWindowPosition(QWidget& window, int slot)
{
    if (slot < 1 || slot > kSlots)
        return;
    window.move(slotPixels(slot));
}

void StoreWindowPosition(const QWidget& window, int slot)
{
    if (slot < 1 || slot > kSlots)
        return;
    RememberWindowPosition(window, slot);
    SaveWindowPositions();
}

void RememberWindowPosition(const QWidget& window, int slot)
{
    // A window that was not moved leaves its slot as it was read, so the
    // file keeps what another program stored there meanwhile.
    if (slot < 1 || slot > kSlots || window.pos() == slotPixels(slot) || standsWhereFitted(window))
        return;
    gWindowLeft(slot) = static_cast<float>(units::pixelsToTwips(window.x()));
    gWindowTop(slot) = units::pixelsToTwips(window.y());
    gWindowChanged(slot) = 1;
}

QString WindowPositionFile()
{
    return gDataPath + QStringLiteral("qzTopLeft") + gUserShort.trimmed() + QStringLiteral(".dat");
}

// The register and the planner, and a teacher's several PCs, keep their
// positions in one file: the slots this program changed go over the file as
// it stands now, the others stay as another program may have written them.
void SaveWindowPositions()
{
    bringBackOnScreen();
    const QString file = WindowPositionFile();
    datafile::FileRead onDisk = datafile::readFile(file);
    if (onDisk.state == datafile::FileRead::State::Unreadable)
        return;
    datafile::Reader in(std::move(onDisk.lines));
    datafile::Writer out;
    for (int slot = 1; slot <= kSlots; ++slot) {
        Variant top = gWindowTop(slot);
        float left = gWindowLeft(slot);
        in.numberInput(top);
        in.numberInput(left);
        if (gWindowChanged(slot) == 1) {
            top = gWindowTop(slot);
            left = gWindowLeft(slot);
        }
        out.number(top.toDouble());
        out.number(left);
    }
    if (datafile::rewriteChanged(file, out.lines()))
        gWindowChanged.fill(0);
}

void LoadWindowPositions()
{
    gFileName = WindowPositionFile();
    if (!datafile::exists(gFileName))
        return;
    datafile::clearAttributes(gFileName);
    datafile::Reader in(gFileName);
    for (int slot = 1; slot <= kSlots; ++slot) {
        in.numberInput(gWindowTop(slot));
        in.numberInput(gWindowLeft(slot));
        gWindowTop(slot) = std::fabs(gWindowTop(slot).toDouble());
        gWindowLeft(slot) = std::fabs(gWindowLeft(slot));
    }
    // The slots are now the file's.
    gWindowChanged.fill(0);
}

void InstallWindowPositionHooks() { FormBase::setPositionHooks(restorePosition, storePosition); }
