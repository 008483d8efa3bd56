#include "platform/forms.h"

#include "platform/dialogs.h"
#include "platform/units.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <unordered_map>

namespace {
std::unordered_map<std::type_index, QPointer<FormBase>>& registry()
{
    static std::unordered_map<std::type_index, QPointer<FormBase>> r;
    return r;
}
QPointer<FormBase> gActive;
// How far a cascaded window stands from its opener when the window manager
// has not told the height of a title bar.
constexpr int kCascadeStep = 24;
// The window manager tells the frame of a new window a moment after it is
// shown, later on a busy machine; then a window whose title bar lies off the
// screen is moved onto it.
constexpr int kFrameLookMs = 50;
constexpr int kFrameLooks = 60;
// Qt asks for the frame when it hears that the window moved, and keeps the
// answer. Asked in the moment between the window's mapping and the window
// manager's framing it, the answer is "no frame" until the window moves
// again; a start window put at the screen's top left then keeps its title bar
// above the screen. So every few looks without a frame the window moves by a
// pixel and back, and Qt asks again.
constexpr int kLooksPerNudge = 4;
FormBase::PositionHook gRestore;
FormBase::PositionHook gStore;
}

FormBase::FormBase(int positionSlot, QWidget* parent)
    : QWidget(parent, Qt::Window), m_positionSlot(positionSlot)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

FormBase::~FormBase() { forms::forget(this); }

void FormBase::setPositionHooks(PositionHook restore, PositionHook store)
{
    gRestore = std::move(restore);
    gStore = std::move(store);
}

void FormBase::load()
{
    // The window that is active now is the one that opens this one.
    FormBase* opener = forms::active();
    if (m_positionSlot > 0 && gRestore)
        gRestore(*this);
    Form_Load();
    if (pos().isNull() && opener && opener != this && opener->isVisible())
        placeBeside(*opener);
    fitOnScreen();
}

// Until a window has been shown, the window manager has not told the size of
// its frame; the frame of a window already shown stands in for it.
QMargins FormBase::windowFrameMargins() const
{
    const auto margins = [](const QWidget& w) {
        const QRect frame = w.frameGeometry(), inner = w.geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    };
    if (isVisible())
        return margins(*this);
    for (const FormBase* f : forms::all())
        if (f != this && f->isVisible() && f->frameGeometry() != f->geometry())
            return margins(*f);
    return {};
}

// A window without a position of its own would open on the top left corner,
// over the start window and every other window without one: it opens beside
// the window that opened it, or, where there is no room, cascaded from it.
void FormBase::placeBeside(const FormBase& opener)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect by = opener.frameGeometry();
    const QSize frame = size().grownBy(windowFrameMargins());
    QPoint to(by.right() + 1, by.top());
    if (to.x() + frame.width() > available.right() + 1) {
        const int step = std::max(opener.windowFrameMargins().top(), kCascadeStep);
        to = by.topLeft() + QPoint(step, step);
    }
    move(to);
    m_fitted = pos();
}

// Positions come from the teacher's file, perhaps written on a larger screen:
// the window is moved onto this one (after Form_Load, which may size it),
// while the file keeps the position for the screen it was made on. No window
// is larger than the screen, so its title bar and buttons are always in reach.
void FormBase::fitOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins margins = windowFrameMargins();
    const QSize room = available.size().shrunkBy(margins);
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
    const QRect frame(pos(), size().grownBy(margins));
    const auto fit = [](int at, int size, int first, int room) {
        return std::clamp(at, first, std::max(first, first + room - size));
    };
    const QPoint to(fit(frame.x(), frame.width(), available.x(), available.width()),
                    fit(frame.y(), frame.height(), available.y(), available.height()));
    if (to == frame.topLeft())
        return;
    move(to);
    m_fitted = pos();
}

void FormBase::activate()
{
    if (m_unloading || gActive == this)
        return;
    activateWindow();
    activated();
}

void FormBase::activated()
{
    if (m_unloading || gActive == this)
        return;
    gActive = this;
    Form_Activate();
}

bool FormBase::saveOrAsk(Closing closing)
{
    if (!hasUnsavedEdits())
        return true;
    const QString failure = saveEdits();
    if (failure.isEmpty())
        return true;
    const bool withoutSaving = AskYesNo(failure + QStringLiteral(". Ohne Speichern schließen?"));
    if (!withoutSaving && closing == Closing::MayStayOpen)
        return false;
    discardEdits();
    return true;
}

bool FormBase::unload(Closing closing)
{
    if (m_unloading)
        return true;
    // Saved before Form_Unload, so a window kept open for its edits has not
    // yet stopped anything.
    if (!saveOrAsk(closing))
        return false;
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        return false;
    m_unloading = true;
    if (m_positionSlot > 0 && gStore)
        gStore(*this);
    forms::forget(this);
    if (gActive == this)
        gActive = nullptr;
    hide();
    deleteLater();
    return true;
}

void FormBase::fitWhenFramed(int looksLeft)
{
    if (m_unloading)
        return;
    if (frameGeometry() != geometry()) {
        fitOnScreen();
        return;
    }
    if (looksLeft <= 0)
        return;
    if (looksLeft < kFrameLooks && looksLeft % kLooksPerNudge == 0)
        askForFrameAgain();
    QTimer::singleShot(kFrameLookMs, this, [this, looksLeft] { fitWhenFramed(looksLeft - 1); });
}

void FormBase::askForFrameAgain()
{
    const QPoint at = pos();
    move(at + QPoint(0, 1));
    move(at);
}

bool FormBase::event(QEvent* e)
{
    if (e->type() == QEvent::Show && !m_shownBefore) {
        m_shownBefore = true;
        fitWhenFramed(kFrameLooks);
    }
    // The window system made this window active: asking it again would make
    // two windows take the activation from each other without end.
    if (e->type() == QEvent::WindowActivate && isVisible())
        activated();
    return QWidget::event(e);
}

void FormBase::closeEvent(QCloseEvent* e)
{
    // The close box unloads the window like the original's.
    if (m_unloading || unload())
        e->accept();
    else
        e->ignore();
}

void FormBase::place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(units::twipsToPixels(left), units::twipsToPixels(top), units::twipsToPixels(width),
                   units::twipsToPixels(height));
}

namespace forms {
FormBase* find(std::type_index type)
{
    auto it = registry().find(type);
    if (it == registry().end() || it->second.isNull())
        return nullptr;
    return it->second.data();
}

void add(std::type_index type, FormBase* form) { registry()[type] = form; }

void forget(FormBase* form)
{
    for (auto it = registry().begin(); it != registry().end();) {
        if (it->second == form || it->second.isNull())
            it = registry().erase(it);
        else
            ++it;
    }
}

QList<FormBase*> all()
{
    QList<FormBase*> out;
    for (auto& [type, f] : registry()) {
        if (!f.isNull())
            out << f.data();
    }
    return out;
}

void unloadAll()
{
    for (FormBase* f : all())
        f->unload(FormBase::Closing::Always);
}

FormBase* active() { return gActive.data(); }

bool listening(const QWidget* window)
{
    if (!window)
        return false;
    const auto* form = qobject_cast<const FormBase*>(window->window());
    return !form || !form->isUnloading();
}
}
