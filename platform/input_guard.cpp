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

namespace {
// No keyboard repeats a held key faster than this: a press that follows the
// same key's press sooner was typed anew, by a fast hand or a program, even
// where it shares its moment with the release before it.
constexpr quint64 kFastestRepeatMs = 10;

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

QWidget* widgetOf(const QWindow* window)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == window)
            return w;
    }
    return nullptr;
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
        if (!e->spontaneous())
            return false;
        // Qt sends a window the close of the window manager's close box as
        // a spontaneous event, the program's own closes not.
        if (e->type() == QEvent::Close) {
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
                closedByWindowManager(static_cast<QWidget*>(watched));
            return false;
        }
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            break;
        default:
            return false;
        }
        QWidget* window = watched->isWindowType() ? widgetOf(static_cast<QWindow*>(watched)) : nullptr;
        if (!window || passes(window, e))
            return false;
        e->accept();
        return true;
    }

private:
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
            return m_pressPassed && m_press.receiver && m_press.receiver->isVisible();
        }
    }

    // A held key acts only on the control that had the focus when it went
    // down: not on the question its first press raised, nor on a field that
    // press handed the focus to.
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
        if (onlyMoves(k))
            return true;
        if (!m_judgedKeyRepeats) {
            m_heldOn.insert(k, receiver);
            return true;
        }
        const auto heldOn = m_heldOn.constFind(k);
        return heldOn == m_heldOn.cend() || *heldOn == receiver;
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

    // The rest of a double click goes to nothing that its first press, or a
    // close before it, opened, closed, uncovered or showed: it must reach
    // the control the first press went to.
    bool pressPasses(QWidget* receiver, const QMouseEvent& mouse)
    {
        if (restOfDoubleClick(mouse) && m_press.receiver != receiver) {
            // After a close, this press stands for the moment of the close.
            if (!m_press.time)
                m_press.time = mouse.timestamp();
            m_pressPassed = false;
            return false;
        }
        m_press = {receiver, mouse.timestamp(), mouse.globalPosition(), {}};
        m_press.arrived.start();
        m_pressPassed = true;
        return true;
    }

    bool restOfDoubleClick(const QMouseEvent& mouse) const
    {
        const QStyleHints* hints = QGuiApplication::styleHints();
        const auto interval = static_cast<quint64>(hints->mouseDoubleClickInterval());
        if (!m_press.arrived.isValid())
            return false;
        if (!m_press.time)
            return static_cast<quint64>(m_press.arrived.elapsed()) <= interval;
        const QPointF moved = mouse.globalPosition() - m_press.at;
        return mouse.timestamp() >= *m_press.time && mouse.timestamp() - *m_press.time <= interval &&
               qMax(qAbs(moved.x()), qAbs(moved.y())) <= hints->mouseDoubleClickDistance();
    }

    // The window manager's close box took the first press of a double click:
    // its time is only known by when the close arrived.
    void closedByWindowManager(QWidget* window)
    {
        m_press = {window, std::nullopt, {}, {}};
        m_press.arrived.start();
        m_pressPassed = true;
    }

    const QKeyEvent* m_judgedKey = nullptr;
    quint64 m_judgedKeyTime = 0;
    bool m_judgedKeyRepeats = false;
    QHash<int, quint64> m_releasedAt;
    QHash<int, quint64> m_pressedAt;
    QHash<int, QPointer<QWidget>> m_heldOn;

    struct Press {
        QPointer<QWidget> receiver;
        std::optional<quint64> time;
        QPointF at;
        QElapsedTimer arrived;
    };
    Press m_press;
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
