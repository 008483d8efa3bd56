#include "platform/input_guard.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>

namespace {
// No keyboard repeats a held key faster than this: a press that follows the
// same key's press sooner was typed anew, by a fast hand or a program, even
// where it shares its moment with the release before it.
constexpr quint64 kFastestRepeatMs = 10;
// A key tapped again sooner than this was not meant for what its first tap
// opened; a fresh Enter a third of a second later is meant.
constexpr quint64 kKeyAgainMs = 250;
// A hand that clicks twice moves the mouse a little between the presses,
// more than the double-click distance: 8 px in 120 ms is common. A quick
// click 11 px away or more is aimed at a control of its own.
constexpr int kNearInDoubleClickDistances = 2;
// Input the window system dates this much before what earlier input told of
// its clock was not queued that long: its clock started anew.
constexpr qint64 kClockStartedAnewMs = 60000;
// What changed since the last input that went through; a window's controls
// count with it, so a few places are all a double click can meet.
constexpr qsizetype kMostChanges = 64;

bool oneOf(int key, std::initializer_list<int> keys) { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

// Keys that only move the focus or the cursor: held, they go on moving it
// wherever it goes, and they answer nothing.
bool onlyMoves(int key)
{
    return oneOf(key, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                       Qt::Key_Home, Qt::Key_End, Qt::Key_Tab, Qt::Key_Backtab});
}

// Keys that press a button or answer a question. Tapped again at once, they
// would act on what their first tap opened; a character typed again goes
// into the field it is typed into.
bool pressesOrAnswers(int key) { return oneOf(key, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}); }

// A modifier alone presses nothing and answers nothing.
bool modifies(int key)
{
    return oneOf(key, {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Meta, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Super_L,
                       Qt::Key_Super_R, Qt::Key_Hyper_L, Qt::Key_Hyper_R, Qt::Key_Mode_switch, Qt::Key_CapsLock,
                       Qt::Key_NumLock, Qt::Key_ScrollLock});
}

qint64 doubleClickInterval() { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

int nearness() { return kNearInDoubleClickDistances * QGuiApplication::styleHints()->mouseDoubleClickDistance(); }

// Marks a control or box that asks the user.
const char* const kAsks = "inputguard.asks";

QWidget* widgetOf(QWindow* window)
{
    if (!window->handle())
        return nullptr;
    QWidget* w = QWidget::find(window->winId());
    return w && w->windowHandle() == window ? w : nullptr;
}

// Where a widget stands on the screen; a window with its frame, which holds
// the window manager's buttons.
QRect screenRectOf(const QWidget* w)
{
    if (w->isWindow())
        return w->frameGeometry();
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

bool within(const QWidget* w, const QWidget* receiver) { return w == receiver || w->isAncestorOf(receiver); }

// The control a key goes to, as Qt chooses it from the window.
QWidget* keyReceiver(QWidget* window)
{
    if (QWidget* grabber = QWidget::keyboardGrabber())
        return grabber;
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return window->focusWidget() ? window->focusWidget() : window;
}

// The control a press goes to, as Qt chooses it: an open popup takes every
// press, also one outside it.
QWidget* pressReceiver(QWidget* window, const QMouseEvent& mouse)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        return grabber;
    QPoint at = mouse.position().toPoint();
    if (QWidget* popup = QApplication::activePopupWidget(); popup && popup != window) {
        window = popup;
        at = popup->mapFromGlobal(mouse.globalPosition().toPoint());
    }
    QWidget* child = window->childAt(at);
    return child ? child : window;
}

bool isInput(QEvent::Type type)
{
    return oneOf(type, {QEvent::KeyPress, QEvent::KeyRelease, QEvent::MouseButtonPress, QEvent::MouseButtonDblClick,
                        QEvent::MouseButtonRelease, QEvent::MouseMove});
}

// The window system's clock, as far as its input tells it: input made at a
// moment reached the program no sooner, so the window system's time is at
// least that moment plus the program's time since. What the program shows
// is measured on this clock, as the input the user answers with is; a PC
// that was busy or stopped then counts the input it queued meanwhile as
// made before it.
class WindowSystemClock {
public:
    WindowSystemClock() { m_program.start(); }
    qint64 programNow() const { return m_program.elapsed(); }
    void input(quint64 at)
    {
        // A window system clock that started anew (X's wraps after 49 days)
        // is followed: held against it, no question could be answered.
        const qint64 ahead = static_cast<qint64>(at) - m_program.elapsed();
        if (ahead > m_ahead || m_ahead - ahead > kClockStartedAnewMs)
            m_ahead = ahead;
    }
    // The window system's time, at the earliest, when the program's was
    // `programTime`.
    qint64 at(qint64 programTime) const { return programTime + m_ahead; }

private:
    QElapsedTimer m_program;
    qint64 m_ahead = std::numeric_limits<qint64>::min() / 2;
};

// Something the user sees change without having pressed anything the
// program saw: a question shown, or the window manager's change. It can be
// seen at a pass of any event loop once it is on the screen: the window
// manager's change at once, a question once it was painted, which a loaded PC
// or X's mapping of a new window may hold back well beyond its showing. Input
// made before that, or within a double click after, is no answer to it.
class Unseen {
public:
    void begin(bool onScreen)
    {
        m_active = true;
        m_onScreen = onScreen;
        m_seenAt.reset();
    }
    void end() { m_active = false; }
    void painted() { m_onScreen = true; }
    void programReady(qint64 now)
    {
        if (m_active && m_onScreen && !m_seenAt)
            m_seenAt = now;
    }
    bool holds(quint64 at, const WindowSystemClock& clock) const
    {
        return m_active && (!m_seenAt || static_cast<qint64>(at) <= clock.at(*m_seenAt) + doubleClickInterval());
    }

private:
    bool m_active = false;
    bool m_onScreen = false;
    std::optional<qint64> m_seenAt;
};

// What changed on the screen since the last input that went through: the
// widgets that appeared, moved or were resized, and the places where one
// went away.
class Changes {
public:
    void appeared(QWidget* w)
    {
        if (appearedAt(w))
            return;
        m_appeared.removeIf([w](const QPointer<QWidget>& was) { return !was || w->isAncestorOf(was); });
        keepFew(m_appeared);
        m_appeared.append(w);
    }

    void wentAway(const QRect& place)
    {
        // A window's controls go with it: their places lie within its own.
        if (std::any_of(m_wentAway.cbegin(), m_wentAway.cend(), [&](const QRect& r) { return r.contains(place); }))
            return;
        keepFew(m_wentAway);
        m_wentAway.append(place);
    }

    // Whether `receiver`, or the part of its window it lies in, appeared,
    // moved or was resized.
    bool appearedAt(const QWidget* receiver) const
    {
        return std::any_of(m_appeared.cbegin(), m_appeared.cend(),
                           [&](const QPointer<QWidget>& w) { return w && within(w, receiver); });
    }

    bool under(const QWidget* receiver, QPoint at) const
    {
        return appearedAt(receiver) ||
               std::any_of(m_wentAway.cbegin(), m_wentAway.cend(), [&](const QRect& r) { return r.contains(at); });
    }

    void clear()
    {
        m_appeared.clear();
        m_wentAway.clear();
    }

private:
    template <typename List> static void keepFew(List& list)
    {
        if (list.size() >= kMostChanges)
            list.removeFirst();
    }

    QList<QPointer<QWidget>> m_appeared;
    QList<QRect> m_wentAway;
};

// Where each shown window's frame stands, and where it stood within the
// double-click interval before: the window manager's buttons lay there,
// whichever of a maximise's state and geometry reaches the program first.
class Frames {
public:
    Frames() { m_clock.start(); }

    // Where `window` stood before, if it moved or was resized.
    std::optional<QRect> moved(QWidget* window)
    {
        m_tracks.removeIf([](const auto& track) { return !track.value().window; });
        Track& track = m_tracks[window];
        track.window = window;
        const QRect before = track.now;
        track.now = screenRectOf(window);
        if (!before.isValid() || before == track.now)
            return std::nullopt;
        const qint64 now = m_clock.elapsed();
        track.earlier.append({before, now});
        track.earlier.removeIf([&](const Earlier& e) { return now - e.until > doubleClickInterval(); });
        return before;
    }

    void hidden(const QWidget* window) { m_tracks.remove(window); }

    QList<QRect> of(const QWidget* window) const
    {
        QList<QRect> frames{screenRectOf(window)};
        const auto track = m_tracks.constFind(window);
        if (track == m_tracks.cend() || track->window != window)
            return frames;
        for (const Earlier& e : track->earlier) {
            if (m_clock.elapsed() - e.until <= doubleClickInterval())
                frames.append(e.frame);
        }
        return frames;
    }

private:
    struct Earlier {
        QRect frame;
        qint64 until;
    };
    struct Track {
        QPointer<QWidget> window;
        QRect now;
        QList<Earlier> earlier;
    };
    QHash<const QWidget*, Track> m_tracks;
    QElapsedTimer m_clock;
};

// The window manager's close box, minimise or maximise button took a press
// the program does not see, on a frame the window had: the first press of a
// double click, whose rest lands on that frame's band or close within the
// window's edge. It happened at the latest with the first press or key the
// program gets after it.
class WindowManagerPress {
public:
    void changed(const QList<QRect>& frames, const QMargins& inset)
    {
        m_frames = frames;
        m_inset = inset;
        m_first.reset();
        m_moment.begin(true);
    }
    void end() { m_moment.end(); }
    void programReady(qint64 now) { m_moment.programReady(now); }
    void pressedOrKeyed(quint64 at)
    {
        if (!m_first)
            m_first = at;
    }
    bool holds(quint64 at, QPoint where, const WindowSystemClock& clock) const
    {
        if (!m_moment.holds(at, clock) || !m_first || at < *m_first ||
            static_cast<qint64>(at - *m_first) > doubleClickInterval())
            return false;
        return std::any_of(m_frames.cbegin(), m_frames.cend(), [&](const QRect& f) {
            return f.contains(where) && !f.marginsRemoved(m_inset).contains(where);
        });
    }

private:
    Unseen m_moment;
    std::optional<quint64> m_first;
    QList<QRect> m_frames;
    QMargins m_inset;
};

// Judges each input event once, as the window system hands it to a window:
// before Qt passes it on to a control, moves the focus for it or hands it on
// to parents. Copies that the program forwards itself are not judged again.
class InputGuard : public QObject {
public:
    using QObject::QObject;

    bool isRepeat(const QKeyEvent& key) const
    {
        if (key.spontaneous() && &key == m_judgedKey && key.timestamp() == m_judgedKeyTime)
            return m_judgedKeyRepeats;
        return key.isAutoRepeat();
    }

    void programReady()
    {
        const qint64 now = m_clock.programNow();
        m_windowManager.programReady(now);
        for (Question& q : m_questions)
            q.moment.programReady(now);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::Close:
        case QEvent::WindowStateChange:
            if (watched->isWidgetType())
                noteChange(static_cast<QWidget*>(watched), e);
            return false;
        case QEvent::Paint:
            if (watched->isWidgetType())
                painted(static_cast<QWidget*>(watched));
            return false;
        default:
            break;
        }
        if (!isInput(e->type()) || !e->spontaneous() || !watched->isWindowType())
            return false;
        m_clock.input(static_cast<QInputEvent*>(e)->timestamp());
        if (e->type() == QEvent::MouseMove)
            return false;
        QWidget* window = widgetOf(static_cast<QWindow*>(watched));
        if (!window || passes(window, e))
            return false;
        e->accept();
        return true;
    }

private:
    void noteChange(QWidget* w, QEvent* e)
    {
        if (w->window()->windowType() == Qt::ToolTip)
            return;
        switch (e->type()) {
        case QEvent::Hide:
            m_changes.wentAway(screenRectOf(w));
            if (w->isWindow())
                m_frames.hidden(w);
            break;
        case QEvent::Close:
            // Qt sends a window the close of the window manager as a
            // spontaneous event, the program's own closes not.
            if (e->spontaneous() && w->isWindow())
                changedByWindowManager(w);
            break;
        case QEvent::WindowStateChange:
            if (e->spontaneous() && w->isWindow())
                stateChangedByWindowManager(w, static_cast<QWindowStateChangeEvent*>(e)->oldState());
            break;
        default:
            if (!w->isVisible())
                break;
            m_changes.appeared(w);
            if (e->type() == QEvent::Show && w->property(kAsks).toBool())
                asked(w);
            // The place a window leaves as it moves or shrinks shows what
            // lay under it.
            if (w->isWindow()) {
                if (const std::optional<QRect> before = m_frames.moved(w))
                    m_changes.wentAway(*before);
            }
        }
    }

    bool passes(QWidget* window, QEvent* e)
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return keyPasses(keyReceiver(window), *static_cast<QKeyEvent*>(e));
        case QEvent::MouseButtonPress:
            return pressPasses(pressReceiver(window, *static_cast<QMouseEvent*>(e)), *static_cast<QMouseEvent*>(e));
        default:
            // The release and the double click of a press go where it went,
            // and nowhere once its window closed under it.
            return m_pressPassed && m_pressed && m_pressed->isVisible();
        }
    }

    bool pressPasses(QWidget* receiver, const QMouseEvent& mouse)
    {
        const quint64 t = mouse.timestamp();
        const QPoint at = mouse.globalPosition().toPoint();
        m_windowManager.pressedOrKeyed(t);
        m_pressPassed = !unseenQuestion(receiver, t) && !m_windowManager.holds(t, at, m_clock) &&
                        !(soonAndNear(t, at) && m_changes.under(receiver, at));
        if (m_pressPassed) {
            m_windowManager.end();
            m_lastPress = LastPress{t, at};
            m_pressed = receiver;
            m_lastTap = {};
            m_changes.clear();
        }
        return m_pressPassed;
    }

    bool soonAndNear(quint64 t, QPoint at) const
    {
        if (!m_lastPress || t < m_lastPress->time || static_cast<qint64>(t - m_lastPress->time) > doubleClickInterval())
            return false;
        const QPoint moved = at - m_lastPress->at;
        return std::max(std::abs(moved.x()), std::abs(moved.y())) <= nearness();
    }

    bool keyPasses(QWidget* receiver, const QKeyEvent& key)
    {
        const int k = key.key();
        if (modifies(k))
            return true;
        if (key.type() == QEvent::KeyRelease) {
            m_releasedAt.insert(k, key.timestamp());
            return true;
        }
        m_judgedKey = &key;
        m_judgedKeyTime = key.timestamp();
        m_judgedKeyRepeats = repeats(key);
        m_pressedAt.insert(k, key.timestamp());
        m_windowManager.pressedOrKeyed(key.timestamp());
        if (onlyMoves(k)) {
            m_changes.clear();
            return true;
        }
        if (m_judgedKeyRepeats) {
            const auto heldOn = m_heldOn.constFind(k);
            return heldOn == m_heldOn.cend() || *heldOn == receiver;
        }
        const bool passed = !unseenQuestion(receiver, key.timestamp()) && !tappedAgain(receiver, key);
        // Held on, a press that went nowhere goes on going nowhere.
        m_heldOn.insert(k, passed ? receiver : nullptr);
        if (passed) {
            m_lastTap = pressesOrAnswers(k) ? LastTap{k, key.timestamp(), receiver} : LastTap{};
            m_changes.clear();
        }
        return passed;
    }

    // A key that presses or answers, tapped again at once, on another
    // control than the last tap that went through: one that tap opened,
    // showed or moved, or the focus's next place after it closed or hid the
    // control it went to.
    bool tappedAgain(const QWidget* receiver, const QKeyEvent& key) const
    {
        const quint64 at = key.timestamp();
        if (m_lastTap.key != key.key() || at < m_lastTap.time || at - m_lastTap.time > kKeyAgainMs ||
            receiver == m_lastTap.receiver)
            return false;
        return !m_lastTap.receiver || !m_lastTap.receiver->isVisible() || m_changes.appearedAt(receiver);
    }

    // Marked as a repeat, or sent by X as an unmarked release and press of
    // the same moment, unless it came too soon after the key's last press.
    bool repeats(const QKeyEvent& key) const
    {
        const quint64 at = key.timestamp();
        const auto released = m_releasedAt.constFind(key.key());
        const bool sameMoment = at != 0 && released != m_releasedAt.cend() && *released == at;
        if (!key.isAutoRepeat() && !sameMoment)
            return false;
        const auto pressed = m_pressedAt.constFind(key.key());
        return at == 0 || pressed == m_pressedAt.cend() || at < *pressed || at - *pressed >= kFastestRepeatMs;
    }

    // A question may ask with several controls ("ja" and "nein"), each
    // shown a moment after the other.
    void asked(QWidget* asking)
    {
        m_questions.removeIf(
            [&](const Question& q) { return !q.asking || !q.asking->isVisible() || q.asking == asking; });
        Question shown{asking, {}};
        shown.moment.begin(false);
        m_questions.append(shown);
    }

    // A control that asks may get no paint of its own where its children
    // cover it.
    void painted(const QWidget* w)
    {
        for (Question& q : m_questions) {
            if (q.asking && within(q.asking, w))
                q.moment.painted();
        }
    }

    bool unseenQuestion(const QWidget* receiver, quint64 at) const
    {
        return std::any_of(m_questions.cbegin(), m_questions.cend(), [&](const Question& q) {
            return q.asking && q.asking->isVisible() && within(q.asking, receiver) && q.moment.holds(at, m_clock);
        });
    }

    void changedByWindowManager(QWidget* window)
    {
        const QRect frame = screenRectOf(window);
        const QRect inside = window->geometry();
        const int d = nearness();
        m_windowManager.changed(m_frames.of(window),
                                QMargins(inside.left() - frame.left() + d, inside.top() - frame.top() + d,
                                         frame.right() - inside.right() + d, frame.bottom() - inside.bottom() + d));
        m_lastPress.reset();
    }

    // The press that brings a window back from the taskbar was not the
    // program's, and lay on no frame of the window.
    void stateChangedByWindowManager(QWidget* window, Qt::WindowStates before)
    {
        const Qt::WindowStates shown = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
        const Qt::WindowStates was = before & shown;
        if (was == (window->windowState() & shown))
            return;
        if (was & Qt::WindowMinimized) {
            m_windowManager.end();
            m_lastPress.reset();
            return;
        }
        changedByWindowManager(window);
    }

    WindowSystemClock m_clock;

    const QKeyEvent* m_judgedKey = nullptr;
    quint64 m_judgedKeyTime = 0;
    bool m_judgedKeyRepeats = false;
    QHash<int, quint64> m_releasedAt;
    QHash<int, quint64> m_pressedAt;
    QHash<int, QPointer<QWidget>> m_heldOn;

    struct LastTap {
        int key = 0;
        quint64 time = 0;
        QPointer<QWidget> receiver;
    };
    LastTap m_lastTap;

    struct LastPress {
        quint64 time;
        QPoint at;
    };
    std::optional<LastPress> m_lastPress;
    QPointer<QWidget> m_pressed;
    bool m_pressPassed = false;

    WindowManagerPress m_windowManager;

    struct Question {
        QPointer<QWidget> asking;
        Unseen moment;
    };
    QList<Question> m_questions;

    Frames m_frames;
    Changes m_changes;
};

QPointer<InputGuard> gGuard;
}

namespace inputguard {
void install()
{
    delete gGuard.data();
    gGuard = new InputGuard(qApp);
    qApp->installEventFilter(gGuard);
    // Any pass of an event loop shows what changed, also one the optimiser
    // runs itself.
    const auto ready = [guard = gGuard.data()] { guard->programReady(); };
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(qApp->thread());
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, gGuard, ready);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, gGuard, ready);
}

bool isRepeat(const QKeyEvent& key)
{
    return gGuard ? gGuard->isRepeat(key) : key.isAutoRepeat();
}

void asks(QWidget* control) { control->setProperty(kAsks, true); }
}
