#include "tests/support/queued_input.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <qpa/qwindowsysteminterface.h>

namespace queuedinput {
namespace {
using Queued = QWindowSystemInterface::AsynchronousDelivery;

// Milliseconds between a held key's repeats.
constexpr quint64 kRepeatEvery = 33;

// The latest moment queued, and the program's time since: the window
// system's clock runs on from it as the program's does.
struct Latest {
    quint64 at = 0;
    QElapsedTimer since;
};
Latest gLatest;

void queued(quint64 at)
{
    if (at >= now()) {
        gLatest.at = at;
        gLatest.since.start();
    }
}

void keyEvent(QWidget* window, QEvent::Type type, int key, quint64 at, const QString& text, bool marked = false)
{
    queued(at);
    QWindowSystemInterface::handleKeyEvent<Queued>(window->windowHandle(), at, type, key, Qt::NoModifier, text, marked);
}

QString textOf(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(key).toLower());
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return QString(QChar(key));
    return QString();
}
}

void key(QWidget* window, int key, quint64 at, quint64 held)
{
    keyEvent(window, QEvent::KeyPress, key, at, textOf(key));
    keyEvent(window, QEvent::KeyRelease, key, at + held, textOf(key));
}

quint64 typed(QWidget* window, const QString& letters, quint64 from, quint64 every)
{
    for (const QChar c : letters) {
        const int code = c == QLatin1Char('\r') ? int(Qt::Key_Return) : c.toUpper().unicode();
        queuedinput::key(window, code, from, std::min<quint64>(30, every));
        from += every;
    }
    return from;
}

void press(QWidget* window, int key, quint64 at) { keyEvent(window, QEvent::KeyPress, key, at, textOf(key)); }

quint64 repeats(QWidget* window, int key, quint64 from, int count, bool marked)
{
    const QString text = textOf(key);
    quint64 at = from;
    for (int i = 0; i < count; ++i, at += kRepeatEvery) {
        keyEvent(window, QEvent::KeyRelease, key, at, text, marked);
        keyEvent(window, QEvent::KeyPress, key, at, text, marked);
    }
    keyEvent(window, QEvent::KeyRelease, key, at, text);
    return at + kRepeatEvery;
}

void mouse(const QWidget* under, QPoint screen, QEvent::Type type, quint64 at, QPoint within)
{
    const QWidget* window = under->window();
    const QPoint local = under->mapTo(window, within.x() < 0 ? under->rect().center() : within);
    const bool press = type == QEvent::MouseButtonPress;
    queued(at);
    QWindowSystemInterface::handleMouseEvent<Queued>(window->windowHandle(), at, QPointF(local), QPointF(screen),
                                                     press ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
}

void click(const QWidget* under, QPoint screen, quint64 at, QPoint within)
{
    mouse(under, screen, QEvent::MouseButtonPress, at, within);
    mouse(under, screen, QEvent::MouseButtonRelease, at + 60, within);
}

quint64 now()
{
    if (!gLatest.since.isValid())
        gLatest.since.start();
    return gLatest.at + static_cast<quint64>(gLatest.since.elapsed());
}

quint64 read()
{
    QTest::qWait(500);
    return now();
}

void answerEarlyAndOnceRead(const QWidget* raising, const QWidget* answer, const std::function<void()>& early,
                            const std::function<void()>& onceRead)
{
    click(raising, middleOf(raising), 1000);
    deliver();
    click(answer, middleOf(answer), 1210);
    deliver();
    early();
    click(answer, middleOf(answer), read());
    deliver();
    onceRead();
}

void closeBox(const QWidget* window) { QWindowSystemInterface::handleCloseEvent<Queued>(window->windowHandle()); }

QPoint buttonsOf(const QWidget* window) { return window->frameGeometry().topRight() + QPoint(-10, 10); }

void minimiseButton(const QWidget* window)
{
    QWindowSystemInterface::handleWindowStateChanged<Queued>(window->windowHandle(), Qt::WindowMinimized);
}

namespace {
void stateChange(const QWidget* window, Qt::WindowState state, QRect to)
{
    QWindowSystemInterface::handleWindowStateChanged<Queued>(window->windowHandle(), state);
    QWindowSystemInterface::handleGeometryChange<Queued>(window->windowHandle(), to);
}
}

void maximiseButton(const QWidget* window, QRect to) { stateChange(window, Qt::WindowMaximized, to); }

void restoreButton(const QWidget* window, QRect to) { stateChange(window, Qt::WindowNoState, to); }

QPoint middleOf(const QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }

bool Busy::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Hide)
        QThread::msleep(m_ms);
    return QObject::eventFilter(watched, e);
}

void deliver()
{
    QWindowSystemInterface::flushWindowSystemEvents();
    QCoreApplication::processEvents();
}

void whenModalShows(std::function<void(QWidget* modal)> then)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, then = std::move(then)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        then(modal);
    });
    poll->start();
}
}
