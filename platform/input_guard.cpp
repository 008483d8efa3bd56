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
#include <optional>

namespace {
// No keyboard repeats a held key faster than this: a press that follows the
// same key's press sooner was typed anew, by a fast hand or a program, even
// where it shares its moment with the release before it.
constexpr quint64 kFastestRepeatMs = 10;
// A key tapped again sooner than this was not meant for what its first tap
// opened: nobody reads a question that fast, and a fresh Enter a third of a
// second later is the user's answer.
constexpr quint64 kKeyAgainMs = 250;
// A hand that clicks twice moves the mouse a little between the presses,
// more than the double-click distance: 8 px in 120 ms is common. A quick
// click 11 px away or more is aimed at a control of its own.
constexpr int kNearInDoubleClickDistances = 2;

// Keys that only move the focus or the cursor: held, they go on moving it
// wherever it goes.
bool onlyMoves(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

// Keys that press a button or answer a question. Tapped again at once, they
// would act on what their first tap opened; a character typed again goes
// into the field it is typed into.
bool pressesOrAnswers(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// A modifier alone presses nothing: tapped between the presses of a double
// click, it must not make the second one the user's answer.
bool modifies(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

quint64 doubleClickInterval() { return static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval()); }

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

// The moment of an input event the filter looks at; none for other events.
std::optional<quint64> timestampOf(const QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return static_cast<const QInputEvent*>(e)->timestamp();
    default:
        return std::nullopt;
    }
}

// What changed on the screen since a moment: the widgets that appeared,
// moved or were resized, and the places where one went away.
class Changes {
public:
    void appeared(QWidget* w) { m_appeared.insert(w, w); }

    void wentAway(const QRect& place)
    {
        // A window's controls go with it: their places lie within its own.
        if (std::none_of(m_wentAway.cbegin(), m_wentAway.cend(), [&](const QRect& r) { return r.contains(place); }))
            m_wentAway.append(place);
    }

    // Whether `receiver`, or the part of its window it lies in, appeared,
    // moved or was resized.
    bool appearedAt(const QWidget* receiver) const
    {
        for (const QWidget* w = receiver; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
            const auto found = m_appeared.constFind(w);
            if (found != m_appeared.cend() && found->data() == w)
                return true;
        }
        return false;
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
    // The pointer alone may meanwhile name another widget at the same address.
    QHash<const QWidget*, QPointer<QWidget>> m_appeared;
    QList<QRect> m_wentAway;
};

// A moment the program did not see the user act at: the window manager's
// close, minimise or maximise, or a question shown, which nobody reads
// within a double click. It is known by the moment of the first input after
// it. On a busy PC the input queued meanwhile counts as made with it: its
// interval runs out only once the program can take input again.
class UnseenMoment {
public:
    void begin()
    {
        m_active = true;
        m_time.reset();
        m_readySince.invalidate();
    }
    void end() { m_active = false; }
    void input(quint64 at)
    {
        if (m_active && !m_time)
            m_time = at;
    }
    void programReady()
    {
        if (m_active && !m_readySince.isValid())
            m_readySince.start();
    }
    // Whether input made at `at` came within the double-click interval of it.
    bool soon(quint64 at) const
    {
        const quint64 interval = doubleClickInterval();
        if (!m_active || !m_time || at < *m_time || at - *m_time > interval)
            return false;
        return !m_readySince.isValid() || m_readySince.elapsed() <= static_cast<qint64>(interval);
    }

private:
    bool m_active = false;
    std::optional<quint64> m_time;
    QElapsedTimer m_readySince;
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
        forgetClosed();
        Track& track = m_tracks[window];
        track.window = window;
        const QRect before = track.now;
        track.now = screenRectOf(window);
        if (!before.isValid() || before == track.now)
            return std::nullopt;
        const qint64 now = m_clock.elapsed();
        track.earlier.append({before, now});
        const qint64 interval = static_cast<qint64>(doubleClickInterval());
        track.earlier.removeIf([&](const Earlier& e) { return now - e.until > interval; });
        return before;
    }

    void hidden(const QWidget* window) { m_tracks.remove(window); }

    QList<QRect> of(const QWidget* window) const
    {
        QList<QRect> frames{screenRectOf(window)};
        const auto track = m_tracks.constFind(window);
        if (track == m_tracks.cend() || track->window != window)
            return frames;
        const qint64 interval = static_cast<qint64>(doubleClickInterval());
        for (const Earlier& e : track->earlier) {
            if (m_clock.elapsed() - e.until <= interval)
                frames.append(e.frame);
        }
        return frames;
    }

private:
    void forgetClosed()
    {
        m_tracks.removeIf([](const auto& track) { return !track.value().window; });
    }

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
        m_windowManager.moment.programReady();
        for (Question& q : m_questions)
            q.moment.programReady();
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
        default:
            break;
        }
        const std::optional<quint64> at = timestampOf(e);
        if (!at || !e->spontaneous() || !watched->isWindowType())
            return false;
        m_windowManager.moment.input(*at);
        for (Question& q : m_questions)
            q.moment.input(*at);
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
            wentAway(screenRectOf(w));
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
            appeared(w);
            if (e->type() == QEvent::Show && w->property(kAsks).toBool())
                asked(w);
            // The place a window leaves as it moves or shrinks shows what
            // lay under it.
            if (w->isWindow()) {
                if (const std::optional<QRect> before = m_frames.moved(w))
                    wentAway(*before);
            }
        }
    }

    void appeared(QWidget* w)
    {
        m_changes.appeared(w);
        m_keyChanges.appeared(w);
    }

    void wentAway(const QRect& place)
    {
        m_changes.wentAway(place);
        m_keyChanges.wentAway(place);
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
        const bool passed = keyPressPasses(receiver, key);
        // A series of taps counts from its latest; one that went nowhere
        // leaves the control of the last that went through.
        if (k != m_lastKey.key)
            m_lastKey = {k, key.timestamp(), nullptr};
        m_lastKey.time = key.timestamp();
        if (passed) {
            m_lastKey.receiver = receiver;
            m_keyChanges.clear();
        }
        return passed;
    }

    // A held key acts only on the control that had the focus when it went
    // down: not on the question its first press raised, nor on a field that
    // press handed the focus to.
    bool keyPressPasses(QWidget* receiver, const QKeyEvent& key)
    {
        const int k = key.key();
        if (onlyMoves(k))
            return true;
        if (m_judgedKeyRepeats) {
            const auto heldOn = m_heldOn.constFind(k);
            return heldOn == m_heldOn.cend() || *heldOn == receiver;
        }
        const bool passed = !tappedAgainUnseen(receiver, key);
        // Held on, a press that went nowhere goes on going nowhere.
        m_heldOn.insert(k, passed ? receiver : nullptr);
        return passed;
    }

    // A key that presses or answers, again at once, on another control than
    // the last tap that went through: one that tap opened, showed or moved,
    // or the focus's next place after it closed or hid the control it went to.
    bool tappedAgainUnseen(const QWidget* receiver, const QKeyEvent& key) const
    {
        const quint64 at = key.timestamp();
        if (!pressesOrAnswers(key.key()) || m_lastKey.key != key.key() || at < m_lastKey.time ||
            at - m_lastKey.time > kKeyAgainMs || receiver == m_lastKey.receiver)
            return false;
        return !m_lastKey.receiver || !m_lastKey.receiver->isVisible() || m_keyChanges.appearedAt(receiver);
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

    // A press goes nowhere on a question just shown, and, soon after the
    // press before it and near it, where the screen changed under it since
    // the last press that went through. Each press counts, also one that
    // went nowhere: a triple click is measured from its second press.
    bool pressPasses(QWidget* receiver, const QMouseEvent& mouse)
    {
        const QPoint at = mouse.globalPosition().toPoint();
        const bool passed =
            !asksUnseen(receiver, mouse.timestamp()) && (!soonAndNear(mouse) || !m_changes.under(receiver, at));
        m_windowManager.moment.end();
        m_latestPress = {mouse.timestamp(), at};
        m_pressPassed = passed;
        if (passed) {
            m_pressed = receiver;
            m_changes.clear();
            // A click ends a series of taps.
            m_lastKey = {};
        }
        return passed;
    }

    // A question may ask with several controls ("ja" and "nein"), each
    // shown a moment after the other.
    void asked(QWidget* asking)
    {
        m_questions.removeIf([&](const Question& q) { return !q.asking || q.asking == asking; });
        Question shown;
        shown.asking = asking;
        shown.moment.begin();
        m_questions.append(shown);
    }

    bool asksUnseen(const QWidget* receiver, quint64 at) const
    {
        return std::any_of(m_questions.cbegin(), m_questions.cend(), [&](const Question& q) {
            const QWidget* asking = q.asking;
            return asking && asking->isVisible() && (asking == receiver || asking->isAncestorOf(receiver)) &&
                   q.moment.soon(at);
        });
    }

    bool soonAndNear(const QMouseEvent& mouse) const
    {
        const quint64 t = mouse.timestamp();
        const QPoint at = mouse.globalPosition().toPoint();
        if (m_windowManager.moment.soon(t)) {
            return std::any_of(m_windowManager.frames.cbegin(), m_windowManager.frames.cend(), [&](const QRect& f) {
                return f.contains(at) && !f.marginsRemoved(m_windowManager.inset).contains(at);
            });
        }
        if (!m_latestPress.time || t < *m_latestPress.time || t - *m_latestPress.time > doubleClickInterval())
            return false;
        const QPoint moved = at - m_latestPress.at;
        return std::max(std::abs(moved.x()), std::abs(moved.y())) <= nearness();
    }

    // The window manager's close box, minimise or maximise button took a
    // press the program does not see, on a frame the window had: its frame
    // band, and close within the window's edge, holds the rest of it.
    void changedByWindowManager(QWidget* window)
    {
        const QRect frame = screenRectOf(window);
        const QRect inside = window->geometry();
        const int d = nearness();
        m_windowManager.frames = m_frames.of(window);
        m_windowManager.inset = QMargins(inside.left() - frame.left() + d, inside.top() - frame.top() + d,
                                         frame.right() - inside.right() + d, frame.bottom() - inside.bottom() + d);
        m_windowManager.moment.begin();
        m_latestPress = {};
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
            m_windowManager.moment.end();
            m_latestPress = {};
            return;
        }
        changedByWindowManager(window);
    }

    const QKeyEvent* m_judgedKey = nullptr;
    quint64 m_judgedKeyTime = 0;
    bool m_judgedKeyRepeats = false;
    QHash<int, quint64> m_releasedAt;
    QHash<int, quint64> m_pressedAt;
    QHash<int, QPointer<QWidget>> m_heldOn;

    struct LastKey {
        int key = 0;
        quint64 time = 0;
        QPointer<QWidget> receiver;
    };
    LastKey m_lastKey;

    // The latest press, whether it went through or not.
    struct LatestPress {
        std::optional<quint64> time;
        QPoint at;
    };
    LatestPress m_latestPress;

    struct WindowManagerChange {
        UnseenMoment moment;
        QList<QRect> frames;
        QMargins inset;
    };
    WindowManagerChange m_windowManager;

    struct Question {
        QPointer<QWidget> asking;
        UnseenMoment moment;
    };
    QList<Question> m_questions;

    Frames m_frames;
    // What changed since the last press, and since the last key, that went
    // through: a key tapped between the presses of a double click leaves
    // what changed under the mouse.
    Changes m_changes;
    Changes m_keyChanges;
    QPointer<QWidget> m_pressed;
    bool m_pressPassed = false;
};

QPointer<InputGuard> gGuard;
}

namespace inputguard {
void install()
{
    delete gGuard.data();
    gGuard = new InputGuard(qApp);
    qApp->installEventFilter(gGuard);
    QObject::connect(QAbstractEventDispatcher::instance(qApp->thread()), &QAbstractEventDispatcher::aboutToBlock, gGuard,
                     [guard = gGuard.data()] { guard->programReady(); });
}

bool isRepeat(const QKeyEvent& key)
{
    return gGuard ? gGuard->isRepeat(key) : key.isAutoRepeat();
}

void asks(QWidget* control) { control->setProperty(kAsks, true); }
}
