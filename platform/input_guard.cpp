#include "platform/input_guard.h"

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
// more than the double-click distance: 8 px in 120 ms is common.
constexpr int kNearInDoubleClickDistances = 3;

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

// What changed on the screen since the last press that went through: the
// widgets that appeared, moved or were resized, and the places where one
// went away.
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
        if (m_latest.byWindowManager && !m_latest.time)
            m_latest.time = at;
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
            break;
        case QEvent::Close:
            // Qt sends a window the close of the window manager as a
            // spontaneous event, the program's own closes not.
            if (e->spontaneous() && w->isWindow())
                changedByWindowManager(w, false);
            break;
        case QEvent::WindowStateChange: {
            const Qt::WindowStates shown = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
            const Qt::WindowStates was = static_cast<QWindowStateChangeEvent*>(e)->oldState() & shown;
            if (e->spontaneous() && w->isWindow() && was != (w->windowState() & shown))
                changedByWindowManager(w, !w->isMinimized());
            break;
        }
        default:
            if (w->isVisible())
                m_changes.appeared(w);
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

    bool keyPasses(QWidget* receiver, const QKeyEvent& key)
    {
        const int k = key.key();
        if (key.type() == QEvent::KeyRelease) {
            m_releasedAt.insert(k, key.timestamp());
            return true;
        }
        m_judgedKey = &key;
        m_judgedKeyTime = key.timestamp();
        m_judgedKeyRepeats = repeats(key);
        m_pressedAt.insert(k, key.timestamp());
        const bool passed = keyPressPasses(receiver, key);
        m_lastKey = {k, key.timestamp(), receiver};
        if (passed)
            m_changes.clear();
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

    // The same key again, at once, on another control than its press before:
    // one that press opened, showed or moved, or the focus's next place
    // after it closed or hid the control it went to.
    bool tappedAgainUnseen(const QWidget* receiver, const QKeyEvent& key) const
    {
        const quint64 at = key.timestamp();
        if (m_lastKey.key != key.key() || at < m_lastKey.time || at - m_lastKey.time > kKeyAgainMs ||
            receiver == m_lastKey.receiver)
            return false;
        return !m_lastKey.receiver || !m_lastKey.receiver->isVisible() || m_changes.appearedAt(receiver);
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

    // A press soon after the press before it, near it, goes nowhere where
    // the screen changed under it since the last press that went through.
    // Each press counts, also one that went nowhere: a triple click is
    // measured from its second press.
    bool pressPasses(QWidget* receiver, const QMouseEvent& mouse)
    {
        const QPoint at = mouse.globalPosition().toPoint();
        const bool passed = !soonAndNear(mouse) || !m_changes.under(receiver, at);
        m_latest = {false, mouse.timestamp(), at, {}, {}, {}, {}};
        m_latest.arrived.start();
        m_pressPassed = passed;
        if (passed) {
            m_pressed = receiver;
            m_changes.clear();
        }
        return passed;
    }

    bool soonAndNear(const QMouseEvent& mouse) const
    {
        if (!m_latest.arrived.isValid() || !m_latest.time)
            return false;
        const QStyleHints* hints = QGuiApplication::styleHints();
        const auto interval = static_cast<quint64>(hints->mouseDoubleClickInterval());
        const quint64 t = mouse.timestamp();
        if (t < *m_latest.time || t - *m_latest.time > interval)
            return false;
        const QPoint at = mouse.globalPosition().toPoint();
        if (m_latest.byWindowManager) {
            // On a busy PC the change's input waits behind it: the close, say,
            // counts as made then, which holds also for a press that waited.
            return m_latest.arrived.elapsed() <= static_cast<qint64>(interval) &&
                   ((m_latest.frame.contains(at) && !m_latest.inside.contains(at)) ||
                    (m_latest.grown && m_latest.grown->isVisible() && screenRectOf(m_latest.grown).contains(at)));
        }
        const QPoint moved = at - m_latest.at;
        return std::max(std::abs(moved.x()), std::abs(moved.y())) <= nearness();
    }

    static int nearness()
    {
        return kNearInDoubleClickDistances * QGuiApplication::styleHints()->mouseDoubleClickDistance();
    }

    // The window manager's close box, minimise or maximise button took a
    // press the program does not see: it is known only by when the change
    // arrived, the moment of the next input, and the window's frame, which
    // holds the buttons. A window that grew lies wholly where it moved
    // under the mouse.
    void changedByWindowManager(QWidget* window, bool grew)
    {
        const int d = nearness();
        m_latest = {true, std::nullopt, {}, screenRectOf(window), window->geometry().adjusted(d, d, -d, -d),
                    grew ? window : nullptr, {}};
        m_latest.arrived.start();
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

    // The latest press, whether it went through or not, or the window
    // manager's change: near it is the frame around the window's inside.
    struct Latest {
        bool byWindowManager = false;
        std::optional<quint64> time;
        QPoint at;
        QRect frame;
        QRect inside;
        QPointer<QWidget> grown;
        QElapsedTimer arrived;
    };
    Latest m_latest;
    Changes m_changes;
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
}

bool isRepeat(const QKeyEvent& key)
{
    return gGuard ? gGuard->isRepeat(key) : key.isAutoRepeat();
}
}
