#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "tests/support/fixture.h"
#include "tests/support/queued_input.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTest>
#include <optional>

namespace {
int gLoads = 0, gActivations = 0, gUnloads = 0;

class FormA : public FormBase {
public:
    FormA() : FormBase(0) {}
    bool refuse = false;

protected:
    void Form_Load() override { ++gLoads; }
    void Form_Activate() override { ++gActivations; }
    void Form_Unload(bool& cancel) override
    {
        ++gUnloads;
        cancel = refuse;
    }
};

class FormB : public FormBase {
public:
    FormB() : FormBase(0) {}
};

// A window with a position slot, of a known size.
class Placed : public FormBase {
public:
    Placed() : FormBase(5) { resize(300, 200); }
};

// A window without a position of its own, of a given size.
class Unplaced : public FormBase {
public:
    Unplaced() : FormBase(0) { resize(gUnplacedSize); }
    static inline QSize gUnplacedSize;
};

// Windows without a position of their own that one opener opens one after
// the other.
template <int N>
class Opened : public FormBase {
public:
    Opened() : FormBase(0) { resize(gSize); }
    static inline QSize gSize;
};

// A window that tells of a damaged file as it loads or activates.
class Noticing : public FormBase {
public:
    Noticing() : FormBase(0) {}
    static inline bool atLoad = false;

protected:
    void Form_Load() override { tellIf(atLoad); }
    void Form_Activate() override { tellIf(!atLoad); }
    void tellIf(bool now) { if (now) MsgBox(QStringLiteral("Die Datei ist beschädigt.")); }
};

// Runs the events of a shown question, or of the moment between a window's
// unloading and its deletion, without deleting the window.
void runEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

const QString kFailure = QStringLiteral("Die Liste konnte nicht gespeichert werden (liste.dat): Kein Platz");

// A window whose edits cannot be saved.
class FormC : public FormBase {
public:
    FormC() : FormBase(0) { connect(refresh, &Timer::Tick, this, [this] { ++ticks; }); }
    int discarded = 0;
    Timer* refresh = new Timer(this, 1);
    int ticks = 0;

protected:
    bool hasUnsavedEdits() const override { return true; }
    QString saveEdits() override { return kFailure; }
    void discardEdits() override { ++discarded; }
};
}

class FormsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gLoads = gActivations = gUnloads = 0;
    }
};

TEST_F(FormsTest, EachWindowExistsOnceAndLoadsOnFirstUse)
{
    EXPECT_FALSE(forms::isOpen<FormA>());
    FormA* a = forms::get<FormA>();
    EXPECT_TRUE(forms::isOpen<FormA>());
    EXPECT_EQ(forms::get<FormA>(), a);
    EXPECT_EQ(gLoads, 1);
    EXPECT_FALSE(a->isVisible());
    forms::unload<FormA>();
    EXPECT_FALSE(forms::isOpen<FormA>());
    EXPECT_EQ(gUnloads, 1);
    forms::get<FormA>();
    EXPECT_EQ(gLoads, 2);
}

TEST_F(FormsTest, UnloadCanBeCancelled)
{
    FormA* a = forms::get<FormA>();
    a->refuse = true;
    EXPECT_FALSE(a->unload());
    EXPECT_TRUE(forms::isOpen<FormA>());
    a->refuse = false;
    EXPECT_TRUE(a->unload());
}

TEST_F(FormsTest, AWindowThatCannotSaveStaysOpenOnNeinExceptAtTheEndOfTheProgram)
{
    FormC* c = forms::get<FormC>();
    answer({false, false});
    EXPECT_FALSE(c->unload());
    EXPECT_EQ(c->discarded, 0);
    forms::unloadAll();
    EXPECT_FALSE(forms::isOpen<FormC>());
    EXPECT_EQ(c->discarded, 1) << "the edits go with the window";
    EXPECT_EQ(messages(), QStringList(2, kFailure + ". Ohne Speichern schließen?"));
}

TEST_F(FormsTest, ActivateFiresWhenAnotherWindowWasActive)
{
    forms::show<FormA>();
    EXPECT_EQ(gActivations, 1);
    forms::show<FormA>();
    EXPECT_EQ(gActivations, 1);
    forms::show<FormB>();
    forms::show<FormA>();
    EXPECT_EQ(gActivations, 2);
}

// A window shown beside keeps no keyboard from the window system's first
// activation, only from the user's next one.
TEST_F(FormsTest, AWindowShownBesideLeavesTheKeyboardUntilTheUserActivatesIt)
{
    FormA* typing = forms::show<FormA>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(typing));
    FormB* beside = forms::showBeside<FormB>();
    beside->activateWindow();
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), typing);
    EXPECT_EQ(forms::active(), typing);
    EXPECT_EQ(gActivations, 1) << "the window typed in stayed the active one";

    beside->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(beside));
    EXPECT_EQ(forms::active(), beside);
}

TEST_F(FormsTest, AStoredPositionOffTheScreenIsMovedJustInside)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int right = screen.x() + screen.width(), bottom = screen.y() + screen.height();
    struct {
        QPoint stored, shown;
    } cases[] = {
        {{right - 100, 40}, {right - 300, 40}},
        {{60, bottom + 500}, {60, bottom - 200}},
        {{right + 900, bottom - 150}, {right - 300, bottom - 200}},
        {{screen.x() - 50, screen.y() - 20}, screen.topLeft()},
        {{right - 300, bottom - 200}, {right - 300, bottom - 200}},
    };
    for (const auto& c : cases) {
        FormBase::setPositionHooks([&](FormBase& f) { f.move(c.stored); }, {});
        Placed* f = forms::get<Placed>();
        EXPECT_EQ(f->pos(), c.shown) << c.stored.x() << "," << c.stored.y();
        EXPECT_EQ(f->standsWhereFitted(), c.stored != c.shown);
        f->move(f->pos() + QPoint(-1, 0));
        EXPECT_FALSE(f->standsWhereFitted()) << "moved by the user";
        f->unload();
    }
}

TEST_F(FormsTest, AWindowWithoutPositionOpensBesideItsOpenerWithinTheScreen)
{
    FormBase::setPositionHooks([](FormBase& f) { f.move(f.positionSlot() == 5 ? QPoint(100, 50) : QPoint()); }, {});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    enum Where { Beside, Cascaded, WholeScreen };
    struct {
        QSize size;
        Where where;
    } cases[] = {
        {{200, 100}, Beside},
        {{screen.width() - 300, 100}, Cascaded},
        {{screen.width() + 50, screen.height() + 50}, WholeScreen},
    };
    for (const auto& c : cases) {
        const QRect opener = forms::show<Placed>()->frameGeometry();
        Unplaced::gUnplacedSize = c.size;
        const QRect frame = forms::show<Unplaced>()->frameGeometry();
        const QRect expected[] = {{opener.topRight() + QPoint(1, 0), frame.size()},
                                  {opener.topLeft() + QPoint(24, 24), frame.size()},
                                  screen};
        EXPECT_EQ(frame, expected[c.where]) << c.size.width() << "x" << c.size.height();
        EXPECT_TRUE(forms::ifOpen<Unplaced>()->standsWhereFitted()) << "the program's placement is not stored";
        forms::unloadAll();
    }
}

TEST_F(FormsTest, AWindowOpeningBesideOthersNeverHidesAnOpenOne)
{
    FormBase::setPositionHooks([](FormBase& f) { f.move(f.positionSlot() == 5 ? QPoint(100, 50) : QPoint()); }, {});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect opener = forms::show<Placed>()->frameGeometry();
    const int frameWidth = opener.width() - forms::ifOpen<Placed>()->width();
    enum Where { BesideTheFirst, CascadedFromTheFirst, CascadedLeftOfTheFirst, OverTheFirst };
    struct {
        QSize size;
        Where where;
    } cases[] = {
        {{(screen.width() - 400) / 3, 100}, BesideTheFirst},
        {{screen.width() - 300, 100}, CascadedFromTheFirst},
        // The first ends 2 px before the screen's edge.
        {{screen.right() - opener.right() - frameWidth - 2, 100}, CascadedLeftOfTheFirst},
        // No place on the screen leaves the first uncovered.
        {{screen.width() + 50, screen.height() + 50}, OverTheFirst},
    };
    for (const auto& c : cases) {
        forms::show<Placed>();
        Opened<1>::gSize = Opened<2>::gSize = c.size;
        const QRect first = forms::show<Opened<1>>()->frameGeometry();
        forms::show<Placed>();
        const QRect second = forms::show<Opened<2>>()->frameGeometry();
        const QPoint expected[] = {first.topRight() + QPoint(1, 0), first.topLeft() + QPoint(24, 24),
                                   first.topLeft() + QPoint(-24, 24), first.topLeft()};
        EXPECT_EQ(second.topLeft(), expected[c.where]) << c.size.width() << "x" << c.size.height();
        EXPECT_TRUE(screen.contains(second) || c.where == OverTheFirst);
        forms::unloadAll();
    }
}

// A window opened by one that closed as it opened it does not open over the
// window on the screen's top left corner, but beside it.
TEST_F(FormsTest, AWindowWhoseOpenerClosedOpensBesideTheWindowItWouldHide)
{
    FormBase::setPositionHooks([](FormBase& f) { f.move(f.positionSlot() == 5 ? QPoint(100, 50) : QPoint()); }, {});
    forms::show<FormB>()->resize(300, 200);
    const QRect start = forms::ifOpen<FormB>()->frameGeometry();
    ASSERT_EQ(start.topLeft(), QPoint(0, 0));
    forms::show<Placed>()->unload();
    Unplaced::gUnplacedSize = {200, 100};
    EXPECT_EQ(forms::show<Unplaced>()->frameGeometry().topLeft(), start.topRight() + QPoint(1, 0));
    forms::unloadAll();
}

TEST_F(FormsTest, AClosingWindowsTimersWaitAndRunAgainWhenItStaysOpen)
{
    for (const bool withoutSaving : {false, true}) {
        FormC* c = forms::get<FormC>();
        c->refresh->setEnabled(true);
        int ticksWhileAsked = -1;
        dialogs::setHandler([&](const dialogs::Shown&) -> dialogs::Reply {
            const int before = c->ticks;
            runEventsFor(30);
            ticksWhileAsked = c->ticks - before;
            return withoutSaving;
        });
        EXPECT_EQ(c->unload(), withoutSaving);
        EXPECT_EQ(ticksWhileAsked, 0) << withoutSaving;
        const int closedAt = c->ticks;
        runEventsFor(30);
        EXPECT_EQ(c->ticks > closedAt, !withoutSaving) << "only the window kept open goes on";
        EXPECT_EQ(c->refresh->isEnabled(), !withoutSaving);
        if (!withoutSaving) {
            dialogs::setHandler([](const dialogs::Shown&) { return dialogs::Reply(true); });
            c->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A second close while a window's closing asks whether to close without
// saving, whichever way either close comes, is refused: the window stays on
// the screen and the one answer decides alone.
TEST_F(FormsTest, ASecondCloseWhileTheClosingAsksIsRefused)
{
    const std::pair<const char*, std::function<void(FormBase*)>> closes[] = {
        {"close box",
         [](FormBase* f) {
             queuedinput::closeBox(f);
             queuedinput::deliver();
         }},
        {"close()", [](FormBase* f) { f->close(); }},
        {"unload()", [](FormBase* f) { f->unload(); }},
    };
    for (const auto& [first, closeFirst] : closes) {
        for (const auto& [second, closeSecond] : closes) {
            for (const bool withoutSaving : {false, true}) {
                SCOPED_TRACE(std::string(first) + ", then " + second + (withoutSaving ? ", Ja" : ", Nein"));
                const QPointer<FormC> c = forms::show<FormC>();
                std::optional<bool> shownMeanwhile;
                closeAtNextMessage([&, closeSecond = closeSecond] {
                    closeSecond(c);
                    shownMeanwhile = c && c->isVisible() && !c->isUnloading();
                });
                const qsizetype told = messages().size();
                answer({withoutSaving});
                closeFirst(c);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                EXPECT_EQ(shownMeanwhile, true);
                EXPECT_EQ(messages().size(), told + 1) << "asked once";
                EXPECT_EQ(c.isNull(), withoutSaving);
                if (c) {
                    EXPECT_TRUE(c->isVisible());
                    answer({true});
                    forms::unloadAll();
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                }
            }
        }
    }
}

// A close run by the message box during load or activation deletes the window;
// neither the registry nor the activation touch it afterwards.
TEST_F(FormsTest, AWindowClosedWhileItsLoadOrActivationTellsSomethingIsLeftAlone)
{
    for (const bool atLoad : {true, false}) {
        Noticing::atLoad = atLoad;
        forms::show<FormB>();
        closeAtNextMessage([] { forms::unload<Noticing>(); });
        EXPECT_EQ(forms::show<Noticing>(), nullptr) << atLoad;
        EXPECT_FALSE(forms::isOpen<Noticing>());
    }
    const QPointer<Noticing> shown = forms::show<Noticing>();
    forms::show<FormB>();
    closeAtNextMessage([] { forms::unload<Noticing>(); });
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(shown, &activation);
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(messages().size(), 4);
}

// The window that opens one is closed while the new one tells of its load:
// the new one stays, and is placed beside no window that is gone.
TEST_F(FormsTest, AnOpenerClosedWhileTheWindowItOpensTellsOfItsLoadIsLeftAlone)
{
    Noticing::atLoad = true;
    const QPointer<FormB> opener = forms::show<FormB>();
    closeAtNextMessage([] { forms::unload<FormB>(); });
    EXPECT_NE(forms::show<Noticing>(), nullptr);
    EXPECT_TRUE(opener.isNull());
    EXPECT_EQ(forms::ifOpen<Noticing>()->pos(), QPoint(0, 0));
}

// A list's Click tells something, and its window is closed meanwhile: the
// list was chosen by a click on another item or on the chosen one, by a key,
// or by code, and neither Qt nor the list touch it once Click ran.
TEST_F(FormsTest, AListsWindowClosedWhileItsClickTellsIsLeftAlone)
{
    const auto press = [](ListBox* l, int row) {
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QMouseEvent e(QEvent::MouseButtonPress, at, l->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(l->viewport(), &e);
    };
    const struct {
        const char* name;
        std::function<void(ListBox*)> choose;
    } ways[] = {
        {"a click on another item", [&](ListBox* l) { press(l, 1); }},
        {"a click on the chosen item", [&](ListBox* l) { press(l, 0); }},
        {"the down key",
         [](ListBox* l) {
             QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
             QCoreApplication::sendEvent(l, &down);
         }},
        {"code", [](ListBox* l) { l->setListIndex(1); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        const QPointer<FormB> f = forms::show<FormB>();
        ListBox* l = controls::list(f, "List1");
        l->setGeometry(0, 0, 200, 100);
        l->AddItems({"Raum 1", "Raum 2"});
        l->show();
        {
            const QSignalBlocker quiet(l);
            l->setListIndex(0);
        }
        QObject::connect(l, &ListBox::Click, [] { MsgBox(QStringLiteral("Der Raum ist belegt.")); });
        const qsizetype told = messages().size();
        closeAtNextMessage([] { forms::unload<FormB>(); });
        way.choose(l);
        EXPECT_TRUE(f.isNull());
        EXPECT_EQ(messages().size(), told + 1);
    }
}

// The end of the program unloads every window; one closed while another asks
// whether to close without saving is not unloaded again.
TEST_F(FormsTest, AWindowClosedWhileAnotherAsksAtTheEndOfTheProgramIsLeftAlone)
{
    forms::get<FormA>();
    forms::get<FormB>();
    forms::get<Placed>();
    forms::get<Unplaced>();
    forms::get<FormC>();
    closeAtNextMessage([] {
        for (FormBase* f : forms::all()) {
            if (f != forms::ifOpen<FormC>())
                f->unload();
        }
    });
    answer({true});
    forms::unloadAll();
    EXPECT_TRUE(forms::all().isEmpty());
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(gUnloads, 1);
}

TEST(Controls, TextBoxChangeFiresOnEveryAssignment)
{
    TextBox t;
    QSignalSpy change(&t, &TextBox::Change);
    t.setText("A");
    t.setText("A");
    EXPECT_EQ(change.count(), 2);
    QTest::keyClicks(&t, "b");
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(t.text(), "Ab");
}

TEST(Controls, KeyPressSeesEnterAndCanSwallowKeys)
{
    TextBox t;
    QList<int> seen;
    QObject::connect(&t, &TextBox::KeyPress, [&](int& k) {
        seen << k;
        if (k == 'x')
            k = 0;
    });
    QTest::keyClicks(&t, "axb");
    QTest::keyClick(&t, Qt::Key_Return);
    EXPECT_EQ(seen, (QList<int>{'a', 'x', 'b', 13}));
    EXPECT_EQ(t.text(), "ab");
}

TEST(Controls, SortedListBoxUsesTheListOrder)
{
    ListBox l(nullptr, true);
    for (const char* s : {"2 ", "11", "1 ", "10"})
        l.AddItem(s);
    EXPECT_EQ(l.items(), (QStringList{"1 ", "10", "11", "2 "}));
    QSignalSpy click(&l, &ListBox::Click);
    l.setListIndex(2);
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(l.List(l.ListIndex()), "11");
}

TEST(Controls, ManyItemsAtOnceStandAsAddedOneByOne)
{
    const QStringList texts{"2 ", "Ärger", "11", "b", "1 ", "10", "a", "11"};
    for (const bool sorted : {false, true}) {
        ListBox oneByOne(nullptr, sorted), atOnce(nullptr, sorted);
        for (const QString& text : texts)
            oneByOne.AddItem(text);
        atOnce.AddItems(texts.mid(0, 3));
        atOnce.AddItems(texts.mid(3));
        EXPECT_EQ(atOnce.items(), oneByOne.items()) << sorted;
    }
}

TEST(Controls, RowsAreSelectedInOneChange)
{
    ListBox l;
    l.setSelectionMode(QAbstractItemView::MultiSelection);
    l.AddItems({"A", "B", "C", "D", "E", "F"});
    l.item(1)->setSelected(true);
    QSignalSpy changed(&l, &QListWidget::itemSelectionChanged);
    l.selectRows({0, 2, 3, 5});
    EXPECT_EQ(changed.count(), 1);
    QStringList selected;
    for (int i = 0; i < l.count(); ++i)
        if (l.item(i)->isSelected())
            selected << l.List(i);
    EXPECT_EQ(selected, (QStringList{"A", "C", "D", "F"}));
    EXPECT_EQ(l.ListIndex(), -1);
}

TEST(Controls, FocusDoesNotSelectAListItem)
{
    ListBox l;
    l.AddItem("Raum 1");
    l.AddItem("Raum 2");
    QSignalSpy click(&l, &ListBox::Click);
    l.show();
    l.setFocus(Qt::TabFocusReason);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&l, &in);
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(click.count(), 0);

    // A list of many choices keeps every chosen item.
    ListBox many;
    many.setSelectionMode(QAbstractItemView::MultiSelection);
    for (const char* s : {"Anna", "Ben", "Cem"}) {
        many.AddItem(s);
        many.item(many.ListCount() - 1)->setSelected(true);
    }
    many.show();
    QCoreApplication::sendEvent(&many, &in);
    EXPECT_EQ(many.selectedItems().size(), 3);
    EXPECT_EQ(many.ListIndex(), -1);
}

TEST(Controls, ClickingTheChosenItemAgainIsAClick)
{
    ListBox l;
    l.AddItem("Raum 1");
    l.AddItem("Raum 2");
    l.show();
    QSignalSpy click(&l, &ListBox::Click);
    const QPoint second = l.visualItemRect(l.item(1)).center();
    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(click.count(), 2);
    EXPECT_EQ(l.ListIndex(), 1);
}

TEST(Controls, EnablingARunningTimerDoesNotRestartIt)
{
    Timer t(nullptr, 60000);
    t.setEnabled(true);
    QTest::qWait(30);
    const int left = t.remainingTime();
    t.setEnabled(true);
    EXPECT_LE(t.remainingTime(), left);
    t.setEnabled(false);
    EXPECT_FALSE(t.isEnabled());
}

TEST(Controls, ComboBoxFillsWithoutASelectionAndClicksWhenCodeChooses)
{
    ComboBox c;
    QSignalSpy click(&c, &ComboBox::Click);
    for (const char* s : {"nichts", "M", "D"})
        c.AddItem(s);
    EXPECT_EQ(c.ListIndex(), -1);
    c.setListIndex(2);
    c.setListIndex(2);
    EXPECT_EQ(click.count(), 2) << "choosing the item already chosen is a Click as well";
    EXPECT_EQ(c.List(c.ListIndex()), "D");
    for (int outside : {3, -1, 200}) {
        c.setListIndex(outside);
        EXPECT_EQ(c.ListIndex(), -1) << outside;
    }
    c.Clear();
    EXPECT_EQ(click.count(), 2);
}

TEST(Controls, SSCheckPassesMinusOneOrZeroOnlyWhenClicked)
{
    SSCheck box(nullptr, "Leistungsgruppen");
    QList<int> values;
    QObject::connect(&box, &SSCheck::Click, [&](int v) { values << v; });
    box.setValue(5);
    EXPECT_EQ(box.value(), -1);
    box.click();
    box.click();
    EXPECT_EQ(values, (QList<int>{0, -1}));
}

// Enter presses a focused button unless its KeyDown handler takes it first;
// held, it presses it once.
TEST(Controls, EnterOnAFocusedButtonPressesIt)
{
    QWidget window;
    QPushButton* plain = controls::button(&window, "plain", "fertig");
    QPushButton* handled = controls::button(&window, "handled", "los");
    controls::onKeyDown(handled, [](const QKeyEvent& key) { return controls::isEnter(key.key()); });
    QDialog dialog;
    QPushButton* inDialog = controls::button(&dialog, "inDialog", "laden");
    window.show();
    dialog.show();
    const std::pair<QPushButton*, int> cases[] = {{plain, 1}, {handled, 0}, {inDialog, 1}};
    quint64 at = 0;
    for (const auto& [button, clicks] : cases) {
        button->window()->activateWindow();
        button->setFocus();
        queuedinput::deliver();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            // Held, X repeats a release and a press of the same moment; Qt
            // marks some of them as repeats.
            for (const bool marked : {true, false}) {
                QSignalSpy clicked(button, &QPushButton::clicked);
                queuedinput::press(button->window(), key, at += 1000);
                queuedinput::repeats(button->window(), key, at + 500, 3, marked);
                queuedinput::deliver();
                EXPECT_EQ(clicked.count(), clicks) << button->objectName().toStdString();
            }
        }
    }
}
