#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/input_guard.h"
#include "tests/support/fixture.h"
#include "tests/support/queued_input.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>

namespace {
using namespace queuedinput;

// The screen point the mouse stands at throughout a double click.
const QPoint kMouse{300, 200};


QMargins frameMargins(const QWidget& w)
{
    const QRect frame = w.frameGeometry(), inside = w.geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

// A window with a button, a list and a field; questions are real boxes.
class InputGuardTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        dialogs::clearHandler();
        window.resize(300, 200);
        button = controls::button(&window, "Command1", "löschen");
        button->setGeometry(10, 10, 100, 30);
        list = controls::list(&window, "List1");
        list->setGeometry(10, 50, 200, 100);
        list->AddItems({"Fächer entfernen - T", "alle Fixierungen lösen - W"});
        field = controls::named<TextBox>(&window, "Text1");
        field->setGeometry(120, 10, 100, 30);
        window.show();
        window.activateWindow();
        deliver();
    }

    QWidget window;
    QPushButton* button;
    ListBox* list;
    TextBox* field;
};

// A question raised by a click (acting on its release at 1060) or a key at
// 1000, and input at once after it: the rest of a double click, also 20 px
// beside; keys, the same or another, or after Tab; a notice's "OK" pressed.
// The question stays up, and a fresh Enter once it has been up half a second
// answers it, also where X's clock started anew meanwhile (it wraps after
// 49 days).
TEST_F(InputGuardTest, InputAtOnceAnswersNoQuestion)
{
    const auto yesOf = [](QWidget* box) { return static_cast<QMessageBox*>(box)->buttons().first(); };
    const auto pressed = [&](quint64 at, QPoint beside) {
        return [=](QWidget* box) { click(yesOf(box), middleOf(yesOf(box)) + beside, at); };
    };
    const auto tapped = [](std::vector<std::pair<int, quint64>> taps) {
        return [=](QWidget* box) {
            for (const auto& [k, at] : taps)
                key(box, k, at);
        };
    };
    const std::function<bool()> asks = [] { return AskYesNo("Pläne wirklich löschen ?"); };
    const std::function<bool()> tells = [] {
        MsgBox("Plan 1 konnte nicht gespeichert werden");
        return true;
    };
    const struct {
        const char* what;
        int raisedBy; // a key, or 0 for a click
        std::function<bool()> question;
        std::function<void(QWidget* box)> atOnce;
        bool answer;
        bool clockStartsAnew = false;
    } cases[] = {
        {"the rest of a double click", 0, asks, pressed(1150, {}), true},
        {"a press 20 px beside, 140 ms later", 0, asks, pressed(1140, {20, 0}), true},
        {"Enter 50 ms after the click", 0, asks, tapped({{Qt::Key_Return, 1110}}), true},
        {"Space 80 ms after the Enter", Qt::Key_Return, asks, tapped({{Qt::Key_Space, 1080}}), true},
        {"Enter 80 ms after the Space", Qt::Key_Space, asks, tapped({{Qt::Key_Return, 1110}}), true},
        {"Enter tapped three times", Qt::Key_Return, asks, tapped({{Qt::Key_Return, 1080}, {Qt::Key_Return, 1160}}),
         true},
        {"Space tapped three times", Qt::Key_Space, asks, tapped({{Qt::Key_Space, 1110}, {Qt::Key_Space, 1190}}), true},
        {"Tab and Enter", Qt::Key_Return, asks, tapped({{Qt::Key_Tab, 1080}, {Qt::Key_Return, 1160}}), false},
        {"a notice's OK pressed 50 ms after", 0, tells, pressed(1110, {}), true},
        {"nothing, X's clock starting anew", Qt::Key_Return, asks, [](QWidget*) {}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        std::vector<bool> answers;
        const QMetaObject::Connection asking =
            QObject::connect(button, &QPushButton::clicked, [&] { answers.push_back(c.question()); });
        const quint64 raisedAt = c.clockStartsAnew ? 4294967000 : 1000;
        std::optional<bool> stood;
        whenModalShows([&](QWidget* box) {
            const QPointer<QWidget> up(box);
            c.atOnce(box);
            deliver();
            stood = up && up->isVisible();
            const quint64 later = read();
            key(box, Qt::Key_Return, c.clockStartsAnew ? 200 : later);
        });
        button->setFocus();
        if (c.raisedBy)
            key(&window, c.raisedBy, raisedAt);
        else
            click(button, middleOf(button), raisedAt);
        deliver();
        EXPECT_EQ(stood, true);
        EXPECT_EQ(answers, std::vector<bool>{c.answer});
        QObject::disconnect(asking);
    }
}

// The moments each box of a chain was painted and then seen, on the clock of
// the queued input: the first pass of an event loop after its paint.
class BoxMoments : public QObject {
public:
    struct Moments {
        QPointer<QWidget> box;
        std::optional<quint64> painted;
        std::optional<quint64> seen;
    };

    BoxMoments()
    {
        qApp->installEventFilter(this);
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &BoxMoments::pass);
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &BoxMoments::pass);
    }
    const std::vector<Moments>& boxes() const { return m_boxes; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!watched->isWidgetType())
            return false;
        auto* box = qobject_cast<QMessageBox*>(static_cast<QWidget*>(watched)->window());
        if (!box)
            return false;
        if (e->type() == QEvent::Show && watched == box)
            m_boxes.push_back({box, {}, {}});
        else if (e->type() == QEvent::Paint && !m_boxes.empty() && m_boxes.back().box == box &&
                 !m_boxes.back().painted)
            m_boxes.back().painted = now();
        return false;
    }

private:
    void pass()
    {
        if (!m_boxes.empty() && m_boxes.back().painted && !m_boxes.back().seen)
            m_boxes.back().seen = now();
    }

    std::vector<Moments> m_boxes;
};

// A check that asks twice, Enter tapped steadily every 200 ms from the tap
// that started it, each tap queued once it was made: a tap made before a
// question was painted, or within a double click after, answers nothing; the
// first tap made a double click after it could be seen answers it. Also where
// the first question comes a quarter of a second late.
TEST_F(InputGuardTest, ASteadyHandAnswersAChainOfQuestionsOneByOne)
{
    for (const unsigned long late : {0, 250}) {
        SCOPED_TRACE(late);
        inputguard::install();
        std::vector<bool> answers;
        const QMetaObject::Connection asking = QObject::connect(button, &QPushButton::clicked, [&] {
            QThread::msleep(late);
            for (int i = 0; i < 2 && (answers.empty() || answers.back()); ++i)
                answers.push_back(AskYesNo("Fehlerprüfung fortsetzen ?"));
        });
        BoxMoments moments;
        // The filter's clock runs behind the input's by no more than the time
        // a first input took to arrive.
        const quint64 first = now();
        mouse(&window, window.mapToGlobal(QPoint(250, 180)), QEvent::MouseMove, first, QPoint(250, 180));
        deliver();
        const quint64 behind = now() - first;
        struct Tap {
            quint64 at;
            std::size_t box;
            bool answered;
        };
        std::vector<Tap> taps;
        // Each tap is queued once its release was made too, so that the
        // input's clock never runs ahead of the time that passed.
        constexpr quint64 kHeld = 30;
        const quint64 start = now();
        quint64 next = start + 200;
        QTimer steady;
        QObject::connect(&steady, &QTimer::timeout, [&] {
            const QPointer<QWidget> box = QApplication::activeModalWidget();
            if (!box || !box->isVisible() || now() < next + kHeld)
                return;
            // A hand that never gets through gives up.
            if (taps.size() >= 20) {
                static_cast<QMessageBox*>(box.data())->reject();
                return;
            }
            key(box, Qt::Key_Return, next, kHeld);
            deliver();
            taps.push_back({next, moments.boxes().size() - 1, !box || !box->isVisible()});
            next += 200;
        });
        steady.start(10);
        button->setFocus();
        while (now() < start + kHeld)
            QThread::msleep(5);
        key(&window, Qt::Key_Return, start, kHeld);
        deliver();
        steady.stop();
        EXPECT_EQ(answers, (std::vector<bool>{true, true}));
        ASSERT_EQ(moments.boxes().size(), answers.size());
        const quint64 interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        // The filter's clock and the input's count whole milliseconds.
        constexpr quint64 kTick = 2;
        std::vector<int> answering(moments.boxes().size());
        for (const Tap& t : taps) {
            const BoxMoments::Moments& box = moments.boxes()[t.box];
            ASSERT_TRUE(box.painted && box.seen);
            SCOPED_TRACE(::testing::Message() << "tap at " << t.at - start << " on box " << t.box << ", painted at "
                                              << *box.painted - start << ", seen at " << *box.seen - start);
            if (t.at + behind + kTick <= *box.painted + interval) {
                EXPECT_FALSE(t.answered);
            }
            if (t.at > *box.seen + interval + kTick) {
                EXPECT_TRUE(t.answered);
            }
            answering[t.box] += t.answered;
        }
        EXPECT_EQ(answering, std::vector<int>(answering.size(), 1));
        QObject::disconnect(asking);
    }
}

// A click raises "ja" in the window on a program that is busy a second
// first; the mouse moves on and, after a rest of half a second, clicks
// where "ja" shows: made before "ja" could be seen, the click answers
// nothing. A click half a second after it could be seen does.
TEST_F(InputGuardTest, APressMadeBeforeAQuestionCouldBeSeenAnswersNothing)
{
    auto* yes = controls::button(&window, "Command2", "ja");
    yes->setGeometry(10, 160, 100, 30);
    yes->hide();
    inputguard::asks(yes);
    int answered = 0;
    QObject::connect(yes, &QPushButton::clicked, [&] { ++answered; });
    QObject::connect(button, &QPushButton::clicked, [&] {
        QThread::msleep(1000);
        yes->show();
    });
    click(button, middleOf(button), 1000);
    mouse(button, middleOf(yes), QEvent::MouseMove, 1080);
    click(yes, middleOf(yes), 1500);
    deliver();
    EXPECT_EQ(answered, 0);
    click(yes, middleOf(yes), read());
    deliver();
    EXPECT_EQ(answered, 1);
}

// Holds the first paint of a question, once armed, until 0.7 s after it
// showed, as a PC busy with other programs does; the user presses its answer
// 0.5 s after it showed. A question is what `answerIn` finds an answer in;
// `painted` runs with that answer, if it is still there, once the program
// takes input again. Counts the answer's clicks.
class SlowFirstPaint : public QObject {
public:
    using AnswerIn = std::function<QAbstractButton*(QWidget*)>;
    using Painted = std::function<void(QPointer<QAbstractButton>)>;
    SlowFirstPaint(AnswerIn answerIn, Painted painted)
        : m_answerIn(std::move(answerIn)), m_painted(std::move(painted))
    {
        qApp->installEventFilter(this);
    }
    void arm() { m_armed = true; }
    int answers() const { return m_answers; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!m_armed || !watched->isWidgetType() || (e->type() != QEvent::Show && e->type() != QEvent::Paint))
            return false;
        QAbstractButton* answer = m_answerIn(static_cast<QWidget*>(watched));
        if (!answer)
            return false;
        if (e->type() == QEvent::Show) {
            m_shownAt = now();
            return false;
        }
        m_armed = false;
        connect(answer, &QAbstractButton::clicked, this, [this] { ++m_answers; });
        while (now() < m_shownAt + 700)
            QThread::msleep(10);
        click(answer, middleOf(answer), m_shownAt + 500);
        QTimer::singleShot(0, this, [this, answer = QPointer<QAbstractButton>(answer)] { m_painted(answer); });
        return false;
    }

private:
    AnswerIn m_answerIn;
    Painted m_painted;
    bool m_armed = false;
    quint64 m_shownAt = 0;
    int m_answers = 0;
};

// A question whose first paint takes 0.7 s: a press made 0.5 s after it
// showed, before anybody could read it, answers nothing; a press half a
// second after the paint does. A notice, and a button asking in its window,
// shown anew after it had been up (its earlier paint counts no more).
TEST_F(InputGuardTest, AQuestionCanBeSeenOnceItIsPainted)
{
    auto* yes = controls::button(&window, "Command2", "ja");
    yes->setGeometry(10, 160, 100, 30);
    inputguard::asks(yes);
    const struct {
        const char* what;
        std::function<void()> ask;
        SlowFirstPaint::AnswerIn answerIn;
    } cases[] = {
        {"a notice", [] { MsgBox("Plan 1 konnte nicht gespeichert werden"); },
         [](QWidget* w) -> QAbstractButton* {
             auto* box = qobject_cast<QMessageBox*>(w->window());
             return box ? box->buttons().first() : nullptr;
         }},
        {"a button shown anew", [&] { yes->show(); },
         [&](QWidget* w) -> QAbstractButton* { return w == yes ? yes : nullptr; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        yes->show();
        deliver();
        yes->hide();
        std::optional<int> early;
        SlowFirstPaint slow(c.answerIn, [&](QPointer<QAbstractButton> answer) {
            deliver();
            early = slow.answers();
            const quint64 later = read();
            if (answer)
                click(answer, middleOf(answer), later);
            deliver();
        });
        const QMetaObject::Connection asking = QObject::connect(button, &QPushButton::clicked, c.ask);
        slow.arm();
        click(button, middleOf(button), now());
        deliver();
        EXPECT_TRUE(QTest::qWaitFor([&] { return slow.answers() > 0; }, 10000));
        EXPECT_EQ(early, 0);
        EXPECT_EQ(slow.answers(), 1);
        QObject::disconnect(asking);
    }
}

// The first press of a double click opens a window under the mouse from a
// menu entry, or the window manager's close box closes a window that lay
// over a button, or its minimise button hides it, or its restore button
// uncovers the button, or its maximise button brings a button under the
// mouse, or a button hides itself and shows another in its place: the rest
// of a double click goes to nothing, and moves no focus, also with Shift
// tapped between; so does a third press within the double-click interval
// of the first. A click of its own half a second later goes through.
TEST_F(InputGuardTest, QuickPressesGoToNothingTheFirstPressOpenedClosedOrShowed)
{
    QWidget other;
    other.resize(200, 100);
    auto* yes = controls::button(&other, "Command2", "Ja");
    yes->setGeometry(50, 30, 100, 30);
    // Puts `other` so that its button lies under the mouse.
    const auto showOtherUnderTheMouse = [&] {
        other.setWindowState(Qt::WindowNoState);
        other.move(kMouse - yes->geometry().center());
        other.show();
    };
    // Puts `window` so that its button lies under the mouse, and over it
    // `other` with its window manager's buttons.
    const auto coveredByOther = [&] {
        window.move(kMouse - button->geometry().center());
        other.setWindowState(Qt::WindowNoState);
        other.move(kMouse - (buttonsOf(&other) - other.pos()));
        other.show();
        deliver();
    };
    auto* shown = controls::button(&window, "Command3", "ja");
    shown->setGeometry(button->geometry());
    shown->hide();
    QMenu menu(&window);
    QObject::connect(menu.addAction("Tools"), &QAction::triggered, showOtherUnderTheMouse);

    const struct {
        const char* name;
        // Queues the first press of the double click or the window manager's
        // change, and gives the button the mouse stands over once it acted.
        std::function<QPushButton*(quint64 at)> first;
    } cases[] = {
        {"a menu entry",
         [&](quint64 at) {
             menu.popup(kMouse - menu.actionGeometry(menu.actions()[0]).center());
             deliver();
             click(&menu, kMouse, at, menu.actionGeometry(menu.actions()[0]).center());
             return yes;
         }},
        {"a close box",
         [&](quint64) {
             coveredByOther();
             closeBox(&other);
             return button;
         }},
        {"a minimise button",
         [&](quint64) {
             coveredByOther();
             minimiseButton(&other);
             return button;
         }},
        {"a control shown in place",
         [&](quint64 at) {
             window.move(kMouse - button->geometry().center());
             QObject::connect(button, &QPushButton::clicked, shown, [&] {
                 button->hide();
                 shown->show();
             });
             click(button, kMouse, at);
             return shown;
         }},
        {"a restore button",
         [&](quint64) {
             window.move(kMouse - shown->geometry().center());
             other.setWindowState(Qt::WindowNoState);
             other.show();
             deliver();
             // Maximised, `other` covers the button with its buttons over it.
             const QMargins margins = frameMargins(other);
             const QPoint topRight = kMouse + QPoint(10, -10);
             maximiseButton(&other, QRect(QPoint(20, topRight.y() + margins.top()),
                                          QPoint(topRight.x() - margins.right(), kMouse.y() + 100)));
             deliver();
             restoreButton(&other, QRect(560, 420, 200, 100));
             return shown;
         }},
        // Last: the window stays maximised.
        {"a maximise button",
         [&](quint64) {
             window.move(kMouse - (buttonsOf(&window) - window.pos()));
             deliver();
             maximiseButton(&window, QRect(kMouse - shown->geometry().center(), QSize(600, 400)));
             return shown;
         }},
    };
    quint64 at = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        at += 10000;
        other.hide();
        field->setFocus();
        QPushButton* under = c.first(at);
        // A modifier tapped meanwhile presses nothing.
        key(&window, Qt::Key_Shift, at + 100);
        deliver();
        int pressed = 0;
        const QMetaObject::Connection counted = QObject::connect(under, &QPushButton::clicked, [&] { ++pressed; });
        ASSERT_TRUE(under->isVisible());
        under->setFocusPolicy(Qt::StrongFocus);
        const QWidget* focus = QApplication::focusWidget();
        click(under, kMouse, at + 210);
        click(under, kMouse, at + 390);
        deliver();
        EXPECT_EQ(pressed, 0);
        EXPECT_EQ(QApplication::focusWidget(), focus);
        click(under, kMouse, at + 920);
        deliver();
        EXPECT_EQ(pressed, 1);
        QObject::disconnect(counted);
    }
}

// The window manager closes a window that lay over a button. While the
// program runs a loop of its own (as the optimiser does), a click on the
// close box's place a second later goes to the button. On a PC busy a
// second after the close, a press queued behind it goes nowhere, also where
// a motion of the mouse came first.
TEST_F(InputGuardTest, AClickOnTheFrameOfAClosedWindowActsOnceTheCloseCouldBeSeen)
{
    QWidget other;
    other.resize(200, 100);
    int pressed = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
    const auto closeOverTheButton = [&] {
        inputguard::install();
        pressed = 0;
        window.move(kMouse - button->geometry().center());
        other.move(kMouse - (buttonsOf(&other) - other.pos()));
        other.show();
        deliver();
        closeBox(&other);
    };
    {
        SCOPED_TRACE("a loop of the program's own");
        closeOverTheButton();
        deliver();
        const quint64 closed = now();
        std::optional<quint64> clicked;
        // However long a pass stalls, the loop goes on until the click,
        // made a second after the close, had a pass of its own.
        while (!clicked || now() < *clicked + 300) {
            if (!clicked && now() >= closed + 1000 + 60) {
                clicked = closed + 1000;
                click(button, kMouse, *clicked);
            }
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        EXPECT_EQ(pressed, 1);
    }
    {
        SCOPED_TRACE("a press queued behind the close after a motion");
        queuedinput::Busy busy(1000);
        other.installEventFilter(&busy);
        closeOverTheButton();
        mouse(button, kMouse, QEvent::MouseMove, 10100);
        click(button, kMouse, 10600);
        deliver();
        EXPECT_EQ(pressed, 0);
        other.removeEventFilter(&busy);
    }
}

// Where the first press opened nothing under the second: two buttons side
// by side, clicked quickly one after the other, both act, and a list opens
// what its double click opens.
TEST_F(InputGuardTest, QuickPressesOnControlsThatDidNotChangeAct)
{
    auto* next = controls::button(&window, "Command2", "weiter");
    next->setGeometry(button->geometry().translated(button->width() + 3, 0));
    next->show();
    int left = 0, right = 0, opened = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++left; });
    QObject::connect(next, &QPushButton::clicked, [&] { ++right; });
    QObject::connect(list, &ListBox::DblClick, [&] { ++opened; });
    const QPoint leftEdge(button->width() - 1, button->height() / 2);
    const QPoint rightEdge(1, next->height() / 2);
    click(button, button->mapToGlobal(leftEdge), 1000, leftEdge);
    click(next, next->mapToGlobal(rightEdge), 1250, rightEdge);
    const QPoint item = list->visualItemRect(list->item(1)).center();
    const QPoint onItem = list->viewport()->mapToGlobal(item);
    click(list->viewport(), onItem, 3000, item);
    click(list->viewport(), onItem, 3150, item);
    deliver();
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 1);
    EXPECT_EQ(opened, 1);
}

// A menu opened by a click on its title: its first entry clicked at once,
// 11 px below, is chosen; a press that drifted 8 px into the menu is the
// rest of a double click on the title.
TEST_F(InputGuardTest, AQuickClickOnAMenusFirstEntryChoosesIt)
{
    QMenuBar bar(&window);
    QMenu* menu = bar.addMenu("Stundenplan");
    int chosen = 0;
    QObject::connect(menu->addAction("Stundenplan bearbeiten"), &QAction::triggered, [&] { ++chosen; });
    menu->addAction("Regeln");
    bar.setGeometry(10, 160, 200, bar.sizeHint().height());
    bar.show();
    const struct {
        const char* what;
        int below;
        int expected;
    } cases[] = {{"8 px below", 8, 0}, {"11 px below", 11, 1}};
    quint64 at = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        chosen = 0;
        const QRect title = bar.actionGeometry(menu->menuAction());
        const QPoint onTitle(title.center().x(), title.bottom() - 1);
        const QPoint screen = bar.mapToGlobal(onTitle);
        click(&bar, screen, at, onTitle);
        deliver();
        ASSERT_TRUE(menu->isVisible());
        const QPoint entry = screen + QPoint(0, c.below);
        const QPoint onEntry = menu->mapFromGlobal(entry);
        ASSERT_TRUE(menu->actionGeometry(menu->actions()[0]).contains(onEntry));
        click(menu, entry, at + 250, onEntry);
        deliver();
        EXPECT_EQ(chosen, c.expected);
        menu->hide();
        at += 2000;
    }
}

// A field that gets the focus while Enter is held takes none of its repeats;
// a key held within one field repeats there as always.
TEST_F(InputGuardTest, AHeldKeyActsOnlyOnTheControlItWentDownOn)
{
    int confirmed = 0;
    QObject::connect(field, &TextBox::KeyPress, [&](int& ascii) { confirmed += ascii == 13; });
    QObject::connect(button, &QPushButton::clicked, [this] { field->setFocus(); });
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        confirmed = 0;
        button->setFocus();
        press(&window, Qt::Key_Return, 1000);
        const quint64 released = repeats(&window, Qt::Key_Return, 1500, 10, marked);
        deliver();
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(confirmed, 0);
        key(&window, Qt::Key_Return, released + 300);
        deliver();
        EXPECT_EQ(confirmed, 1);

        field->setText(QString());
        press(&window, Qt::Key_A, 3000);
        repeats(&window, Qt::Key_A, 3500, 4, marked);
        deliver();
        EXPECT_EQ(field->text(), "aaaaa");
    }
}

}
