#include "platform/forms.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <unordered_map>
#include <utility>

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
// shown, seconds later on a busy machine; then a window whose title bar lies
// off the screen is moved onto it. Qt asks for the frame when it hears that
// the window moved, and keeps the answer. Asked in the moment between the
// window's mapping and the window manager's framing it, the answer is "no
// frame" until the window moves again; a start window put at the screen's top
// left then keeps its title bar above the screen. So until the frame is known
// the window moves by a pixel and back now and then, and Qt asks again: soon
// at first, then less often.
constexpr int kFirstFrameLookMs = 50;
constexpr int kLongestFrameLookMs = 1000;
// A desktop without a window manager frames no window; there the looks end.
constexpr int kFrameWaitMs = 60000;
// A nudge asked for before the frame was known may reach the window after the
// frame, and put its title bar above the screen again: for a while after the
// frame is known, the window is fitted again at every look.
constexpr int kFrameSettleMs = 2000;
// A window system that activates a window shown beside the active one anyway
// does so as it maps the window; the user cannot have clicked it that soon.
// Until this long after the mapping such an activation goes back.
constexpr int kMappingSettleMs = 500;
// How many places a window opening beside others tries for one that hides no
// open window.
constexpr int kPlacesTried = 20;
FormBase::PositionHook gRestore;
FormBase::PositionHook gStore;

// Where a frame stands once moved just enough to lie within the room.
QPoint withinRoom(const QRect& frame, const QRect& room)
{
    const auto fit = [](int at, int size, int first, int length) {
        return std::clamp(at, first, std::max(first, first + length - size));
    };
    return {fit(frame.x(), frame.width(), room.x(), room.width()),
            fit(frame.y(), frame.height(), room.y(), room.height())};
}

// A closing window's timers wait: a tick while the window asks whether to
// close without saving, or between its unloading and its deletion, would
// refresh a window that is going, or open others at the end of the program.
QList<QPointer<Timer>> holdTimers(QObject& window)
{
    QList<QPointer<Timer>> held;
    for (Timer* t : window.findChildren<Timer*>()) {
        if (t->isActive()) {
            t->stop();
            held << t;
        }
    }
    return held;
}

// The window stays open: its timers run again.
void resumeTimers(const QList<QPointer<Timer>>& held)
{
    for (const QPointer<Timer>& t : held) {
        if (t)
            t->start();
    }
}

// Qt counts a window as closing while the close event that unloads it is
// handled: a second close meanwhile, by the close box or by close(), never
// reaches the window, is taken as done and takes the window off the screen,
// though the first closing may yet keep it. While it stands, the window
// system's closes of the window are refused.
class CloseRefusal : public QObject {
public:
    explicit CloseRefusal(QWindow* window)
    {
        if (window)
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::Close)
            return QObject::eventFilter(watched, e);
        e->ignore();
        return true;
    }
};
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
    // The window that is active now is the one that opens this one. A notice
    // of Form_Load may see either closed, and deleted, under it.
    const QPointer<FormBase> opener = forms::active();
    if (m_positionSlot > 0 && gRestore)
        gRestore(*this);
    if (!forms::stillOpenAfter(this, [this] { Form_Load(); }))
        return;
    if (pos().isNull()) {
        // A window that closes as it opens this one leaves it no opener: it
        // then goes beside the window it would lie over.
        const bool openerShown = forms::listening(opener) && opener != this && opener->isVisible();
        const FormBase* beside =
            openerShown ? opener : windowHiddenBy(QRect(pos(), size().grownBy(windowFrameMargins())));
        if (beside)
            placeBeside(*beside);
    }
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

// The title bar of a window, which must stay in sight to move the window or
// bring it to the front; before the window manager has told its height, a
// cascade step stands in for it.
QRect FormBase::titleBar() const
{
    const QRect frame = frameGeometry();
    return {frame.topLeft(), QSize(frame.width(), std::max(windowFrameMargins().top(), kCascadeStep))};
}

// The open window that a window's frame would hide: one whose title bar it
// covers, even in part, or that it covers whole.
const FormBase* FormBase::windowHiddenBy(const QRect& frame) const
{
    for (const FormBase* f : forms::all()) {
        if (f == this || !f->isVisible())
            continue;
        if (frame.intersects(f->titleBar()) || frame.contains(f->frameGeometry()))
            return f;
    }
    return nullptr;
}

// A window without a position of its own would open on the top left corner,
// over the start window and every other window without one: it opens beside
// the window that opened it, or, where there is no room, cascaded from it.
// Where that hides a window already open (one the opener opened before), it
// goes beside or cascades from that one in turn.
void FormBase::placeBeside(const FormBase& opener)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = size().grownBy(windowFrameMargins());
    const int step = std::max(opener.windowFrameMargins().top(), kCascadeStep);
    const auto placeBy = [&](const QPoint& at) { return withinRoom(QRect(at, frame), available); };
    // At the screen's right edge a cascade would lie a pixel or two beside
    // the window it cascades from and hide all of it but its title bar: there
    // it cascades to the left.
    const auto cascadedFrom = [&](const QRect& by) {
        const QPoint down = placeBy(by.topLeft() + QPoint(step, step));
        return down.x() - by.left() >= step ? down : placeBy(by.topLeft() + QPoint(-step, step));
    };
    const auto nextTo = [&](const QRect& by) {
        const QPoint beside(by.right() + 1, by.top());
        const bool room = beside.x() + frame.width() <= available.right() + 1;
        return room ? placeBy(beside) : cascadedFrom(by);
    };
    QList<QPoint> tried{nextTo(opener.frameGeometry())};
    while (tried.size() < kPlacesTried) {
        const FormBase* hidden = windowHiddenBy(QRect(tried.last(), frame));
        if (!hidden)
            break;
        QPoint next = nextTo(hidden->frameGeometry());
        if (tried.contains(next))
            next = cascadedFrom(hidden->frameGeometry());
        if (tried.contains(next))
            break;
        tried << next;
    }
    // Where every place hides a window, it hides the one it opened beside.
    move(windowHiddenBy(QRect(tried.last(), frame)) ? tried.first() : tried.last());
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
    const QPoint to = withinRoom(frame, available);
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

void FormBase::showBeside()
{
    if (!isVisible()) {
        m_keyboardKeeper = forms::active();
        setAttribute(Qt::WA_ShowWithoutActivating);
        // A window manager puts a window it does not activate below the
        // active one, where a dialog that came up by itself would stay
        // hidden for good: it stays above the window that keeps the keyboard.
        if (windowType() == Qt::Dialog && m_keyboardKeeper && m_keyboardKeeper != this) {
            winId();
            windowHandle()->setTransientParent(m_keyboardKeeper->windowHandle());
        }
        show();
        // Some window systems map the window as it is shown, others later.
        if (windowHandle()->isExposed())
            m_mappingSettle.start(kMappingSettleMs, this);
        else
            windowHandle()->installEventFilter(this);
    }
    raise();
}

bool FormBase::keyboardHandedBack()
{
    const QPointer<FormBase> keeper = std::exchange(m_keyboardKeeper, nullptr);
    if (!forms::listening(keeper) || !keeper->isVisible())
        return false;
    keeper->activateWindow();
    return true;
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
    // A close while this closing asks (the close box, "Beenden", a close a
    // timer or a run's end sets off) would run it a second time inside the
    // first, or take the window away whatever the first is answered: the
    // first alone decides.
    if (m_closing)
        return false;
    m_closing = true;
    const CloseRefusal refusal(windowHandle());
    const QList<QPointer<Timer>> held = holdTimers(*this);
    // Saved before Form_Unload, so a window kept open for its edits has not
    // yet stopped anything.
    bool cancel = !saveOrAsk(closing);
    if (!cancel)
        Form_Unload(cancel);
    m_closing = false;
    if (cancel) {
        resumeTimers(held);
        return false;
    }
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

void FormBase::lookForFrame()
{
    if (m_unloading || !isVisible()) {
        m_frameLook.stop();
        return;
    }
    m_frameWaitedMs += m_frameLookMs;
    if (fitIfFramed()) {
        m_frameSettledMs += m_frameLookMs;
        if (m_frameSettledMs >= kFrameSettleMs)
            m_frameLook.stop();
        return;
    }
    if (m_frameWaitedMs >= kFrameWaitMs) {
        m_frameLook.stop();
        return;
    }
    askForFrameAgain();
    m_frameLookMs = std::min(2 * m_frameLookMs, kLongestFrameLookMs);
    m_frameLook.start(m_frameLookMs, this);
}

// A window without a frame has no title bar to be dragged by: by the time the
// user moves it, its frame is known and it has been fitted.
bool FormBase::fitIfFramed()
{
    // While Qt takes in the window manager's answer, the frame it tells may
    // not yet surround the window, or may start at the window's own corner
    // with no title bar above it: taken for the frame, that would end the
    // look for the real one and leave a title bar above the screen.
    const QRect frame = frameGeometry();
    if (frame.top() >= geometry().top() || !frame.contains(geometry()))
        return false;
    if (!m_framed) {
        m_framed = true;
        m_frameSettledMs = 0;
        m_frameLookMs = kFirstFrameLookMs;
        m_frameLook.start(m_frameLookMs, this);
    }
    fitOnScreen();
    return true;
}

void FormBase::askForFrameAgain()
{
    const QPoint at = pos();
    move(at + QPoint(0, 1));
    move(at);
}

bool FormBase::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        m_mappingSettle.start(kMappingSettleMs, this);
    }
    return QWidget::eventFilter(watched, e);
}

void FormBase::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == m_frameLook.timerId()) {
        lookForFrame();
    } else if (e->timerId() == m_mappingSettle.timerId()) {
        m_mappingSettle.stop();
        m_keyboardKeeper = nullptr;
    } else {
        QWidget::timerEvent(e);
    }
}

bool FormBase::event(QEvent* e)
{
    if (e->type() == QEvent::Show && !m_framed && !fitIfFramed()) {
        m_frameWaitedMs = 0;
        m_frameLookMs = kFirstFrameLookMs;
        m_frameLook.start(m_frameLookMs, this);
    }
    // The window manager's frame arrives with a move or a new state of the
    // window: it is fitted at once, whenever that is.
    const bool framing = e->type() == QEvent::Move || e->type() == QEvent::WindowStateChange;
    if (framing && !m_framed && m_frameLook.isActive())
        fitIfFramed();
    // The window system made this window active: asking it again would make
    // two windows take the activation from each other without end. Only a
    // window shown beside another, activated as it is mapped, gives the
    // activation back, once.
    if (e->type() == QEvent::WindowActivate && isVisible() && !keyboardHandedBack()) {
        // A notice of Form_Activate may see the window closed and deleted.
        const QPointer<FormBase> self(this);
        activated();
        if (!self)
            return true;
    }
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
    // A window that asks lets the events waiting run, which may close others.
    QList<QPointer<FormBase>> open;
    for (FormBase* f : all())
        open << f;
    for (const QPointer<FormBase>& f : open) {
        if (f)
            f->unload(FormBase::Closing::Always);
    }
}

FormBase* active() { return gActive.data(); }

bool listening(const QWidget* window)
{
    if (!window)
        return false;
    const auto* form = qobject_cast<const FormBase*>(window->window());
    return !form || !form->isUnloading();
}

bool stillOpenAfter(const QWidget* window, const std::function<void()>& yielding)
{
    const QPointer<const QWidget> watched(window);
    yielding();
    return listening(watched);
}

bool stillOpenAfterEvents(const QWidget* window) { return stillOpenAfter(window, DoEvents); }
}
