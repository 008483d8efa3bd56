#include "platform/input_guard.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>

namespace {
bool isPopup(const QWidget* window)
{
    return window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip;
}

class InputGuard : public QObject {
public:
    using QObject::QObject;

    bool isRepeat(const QKeyEvent& key) const
    {
        if (key.isAutoRepeat())
            return true;
        const auto released = m_releasedAt.constFind(key.key());
        return key.timestamp() != 0 && released != m_releasedAt.cend() && *released == key.timestamp();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
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
        // The window system hands input to the window first, which passes it
        // on to the focus or the widget under the mouse: that is the widget
        // it was meant for.
        if (!watched->isWidgetType())
            return false;
        auto* receiver = static_cast<QWidget*>(watched);
        if (!passes(receiver, e)) {
            e->accept();
            return true;
        }
        return false;
    }

private:
    // Qt passes input the receiver ignores on to its parents: judged once,
    // at the receiver it was meant for.
    bool passes(QWidget* receiver, QEvent* e)
    {
        if (e == m_judged && m_judgedReceiver && receiver != m_judgedReceiver && receiver->isAncestorOf(m_judgedReceiver))
            return m_judgedPasses;
        m_judged = e;
        m_judgedReceiver = receiver;
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
            m_judgedPasses = keyPasses(receiver, *static_cast<QKeyEvent*>(e));
        else
            m_judgedPasses = mousePasses(receiver->window(), *static_cast<QMouseEvent*>(e));
        return m_judgedPasses;
    }

    // A held key acts only on the control that had the focus when it went
    // down. Tab moves the focus itself, so its repeats go on moving it.
    bool keyPasses(QWidget* receiver, const QKeyEvent& key)
    {
        if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
            return true;
        if (key.type() == QEvent::KeyRelease) {
            m_releasedAt.insert(key.key(), key.timestamp());
            return true;
        }
        if (!isRepeat(key)) {
            m_heldOn.insert(key.key(), receiver);
            return true;
        }
        const auto heldOn = m_heldOn.constFind(key.key());
        return heldOn == m_heldOn.cend() || *heldOn == receiver;
    }

    // The rest of a double click goes nowhere when its first press went to
    // another window, one that opened or closed under the mouse since; a
    // popup of a control (a drop-down list) belongs to the control's window.
    bool mousePasses(QWidget* window, const QMouseEvent& mouse)
    {
        if (isPopup(window))
            return true;
        if (mouse.type() == QEvent::MouseButtonRelease)
            return !m_restOfDoubleClick && (!m_pressed || m_pressWindow == window);
        if (m_pressed && m_pressWindow != window && withinDoubleClick(mouse)) {
            m_restOfDoubleClick = true;
            return false;
        }
        m_pressed = true;
        m_pressWindow = window;
        m_pressTime = mouse.timestamp();
        m_pressAt = mouse.globalPosition();
        m_restOfDoubleClick = false;
        return true;
    }

    bool withinDoubleClick(const QMouseEvent& mouse) const
    {
        const QStyleHints* hints = QGuiApplication::styleHints();
        const QPointF moved = mouse.globalPosition() - m_pressAt;
        return m_pressTime != 0 && mouse.timestamp() >= m_pressTime &&
               mouse.timestamp() - m_pressTime <= static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
               qMax(qAbs(moved.x()), qAbs(moved.y())) <= hints->mouseDoubleClickDistance();
    }

    const QEvent* m_judged = nullptr;
    QPointer<QWidget> m_judgedReceiver;
    bool m_judgedPasses = true;

    QHash<int, quint64> m_releasedAt;
    QHash<int, QPointer<QWidget>> m_heldOn;

    bool m_pressed = false;
    QPointer<QWidget> m_pressWindow;
    quint64 m_pressTime = 0;
    QPointF m_pressAt;
    bool m_restOfDoubleClick = false;
};

QPointer<InputGuard> gGuard;
}

namespace inputguard {
void install()
{
    if (gGuard)
        return;
    gGuard = new InputGuard(qApp);
    qApp->installEventFilter(gGuard);
}

bool isRepeat(const QKeyEvent& key)
{
    return gGuard ? gGuard->isRepeat(key) : key.isAutoRepeat();
}
}
