#pragma once
// Input as X hands it to a busy program: queued with the moment it was
// made, and carried out only when the program next lets events in (a yield,
// a box's wait, the event loop). A held key is its press and then repeats,
// which Qt marks as such, or which X sends unmarked as a release and a press
// of the same moment.
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace queuedinput {
// Keys go to the focus of `window`, a window of the program.
// Enter, a letter or a digit typed at `at`: its press, and its release
// `held` ms later.
void key(QWidget* window, int key, quint64 at, quint64 held = 30);
// Each of the small `letters` or digits (or "\r" for Enter) typed, `every` ms apart
// from `from`, each released 30 ms after its press or with the next one;
// the moment after.
quint64 typed(QWidget* window, const QString& letters, quint64 from, quint64 every = 60);
// A key going down at `at`, to be held.
void press(QWidget* window, int key, quint64 at);
// A held key's `count` repeats from `from`, then its release; the moment
// after.
quint64 repeats(QWidget* window, int key, quint64 from, int count, bool marked);

// The mouse stands at `screen`, over the point `within` of `under` (its
// middle if none): the left button pressed, released, or both 60 ms apart.
void mouse(const QWidget* under, QPoint screen, QEvent::Type type, quint64 at, QPoint within = QPoint(-1, -1));
void click(const QWidget* under, QPoint screen, quint64 at, QPoint within = QPoint(-1, -1));

// The window manager's close box of `window` clicked: the window is asked
// to close.
void closeBox(const QWidget* window);
// Where the window manager's buttons of `window` stand on the screen: in
// the top right corner of its frame.
QPoint buttonsOf(const QWidget* window);
// Its minimise button: the window is hidden.
void minimiseButton(const QWidget* window);
// Its maximise button: the window grows to `to`, on the screen.
void maximiseButton(const QWidget* window, QRect to);
// Its restore button, or the task bar's entry, where it is minimised: the
// window takes its normal state, at `to` on the screen.
void restoreButton(const QWidget* window, QRect to);

// The window system's moment now, as the input queued so far and the time
// the program ran since tell it (from 0 at the first look, where none was
// queued yet): input queued at it was made after all that.
quint64 now();
// Lets the program run until what it shows has been up long enough to read
// (half a second); the moment then.
quint64 read();

// A question raised by a click on `raising`, which acts on its release at
// 1060: `answer` clicked 150 ms after, then `early` checks what that left;
// clicked again once the question has been up long enough to read, then
// `onceRead` checks what that did.
void answerEarlyAndOnceRead(const QWidget* raising, const QWidget* answer, const std::function<void()>& early,
                            const std::function<void()>& onceRead);

// The screen point at the middle of a widget.
QPoint middleOf(const QWidget* widget);

// Installed on a window, keeps the program busy for `ms` once the window
// hides, as a PC is while the window below repaints and reads its files:
// the input queued meanwhile waits.
class Busy : public QObject {
public:
    explicit Busy(unsigned long ms) : m_ms(ms) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    unsigned long m_ms;
};

// Lets the queued input in.
void deliver();
// Calls `then` with the next modal box or dialog once it waits for the user,
// inside its wait.
void whenModalShows(std::function<void(QWidget* modal)> then);
}
