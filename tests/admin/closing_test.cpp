#include "admin/classroom_tools.h"
#include "admin/room_list.h"
#include "admin/settings_window.h"
#include "admin/student_list.h"
#include "admin/student_statistics.h"
#include "core/model.h"
#include "planner/editor/optimiser_window.h"
#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_database.h"
#include "platform/dates.h"
#include "register/entry_kinds.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"
#include "tests/register/register_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {
// A window that saves its edits when it closes, as the tests drive it.
struct SavingWindow {
    const char* name;
    std::function<FormBase*()> open;
    std::function<void()> edit;
    // The files it writes, and a line that is there once the edit is saved.
    QStringList files;
    QString savedLine;
    // The edit is in the data model (the room list puts names there at once).
    std::function<bool()> modelHasEdit;
};
}

// The data folder has become read-only (a share mounted so) after the windows
// read their files.
class ClosingTest : public RegisterTest {
protected:
    static std::vector<SavingWindow> savingWindows()
    {
        return {
            {"Einstellungen",
             [] {
                 Form2* f = forms::show<Form2>();
                 enter(f->Text2, "mur-pelt");
                 return f;
             },
             [] { forms::ifOpen<Form2>()->Text5->setText("NEU"); }, {"admin.dat", "Schuljahr.dat"}, "NEU",
             [] { return gAdminShort(1) == "NEU"; }},
            {"Räume",
             [] {
                 gRoomNames(5) = "Turnsaal";
                 return forms::show<Form8>();
             },
             [] {
                 Form8* f = forms::ifOpen<Form8>();
                 f->List1->setListIndex(4);
                 f->Text1->setText("Aula");
             },
             {"Raeume-qz.dat"}, "Aula", [] { return gRoomNames(5) == "Aula"; }},
            {"Globale Raumbelegungen",
             [] {
                 ShowRoomStandingBookings("4");
                 return forms::ifOpen<Form58>();
             },
             [] {
                 Form58* f = forms::ifOpen<Form58>();
                 f->List1->setListIndex(1);
                 enter(f->Text1, "203Chor");
             },
             {"Raum4.dat"}, "203Chor", [] { return false; }},
        };
    }

    void SetUp() override
    {
        RegisterTest::SetUp();
        writeLines("Raum4.dat", {"101Chor"});
    }
    void block(const SavingWindow& w) const
    {
        for (const QString& file : w.files)
            blockFile(file);
    }
    // The files are writable again; true when nothing was written meanwhile.
    bool unblockUntouched(const SavingWindow& w) const
    {
        bool untouched = true;
        for (const QString& file : w.files) {
            untouched = untouched && QDir(path(file)).isEmpty();
            unblockFile(file);
        }
        return untouched;
    }
    // The entry window with a teacher logged in.
    Form1* loggedIn()
    {
        Form1* f = startEntryWindow();
        gTeacherShort(1) = "MÜL";
        enter(f->Text1, "mül");
        return f;
    }
    // ... and a conference entry checked, ready to be written.
    Form1* checkedEntry()
    {
        Form1* f = loggedIn();
        f->Option1[7]->click();
        f->Text6->setText("Konferenz");
        f->Command9->click();
        return f;
    }
    bool saved(const SavingWindow& w) const
    {
        for (const QString& file : w.files) {
            if (readLines(file).contains(w.savedLine))
                return true;
        }
        return false;
    }
};

// Unchanged, a window closes without a word; with an edit it asks: "Ja" closes
// and takes the edit back, "Nein" keeps the window open with its edit, which
// the same closing saves once the folder can be written again.
TEST_F(ClosingTest, AnEditThatCannotBeSavedIsClosedOnlyWhenTheUserAgrees)
{
    for (const SavingWindow& w : savingWindows()) {
        SCOPED_TRACE(w.name);
        const qsizetype told = messages().size();
        FormBase* f = w.open();
        block(w);
        EXPECT_TRUE(f->unload());
        EXPECT_EQ(messages().size(), told);
        EXPECT_TRUE(unblockUntouched(w));

        f = w.open();
        w.edit();
        block(w);
        answer({true});
        EXPECT_TRUE(f->unload());
        ASSERT_EQ(messages().size(), told + 1);
        EXPECT_TRUE(messages().last().contains(w.files[0] + "): ")) << "names the file and the reason";
        EXPECT_TRUE(messages().last().endsWith(". Ohne Speichern schließen?"));
        EXPECT_FALSE(w.modelHasEdit());
        EXPECT_TRUE(unblockUntouched(w));

        f = w.open();
        w.edit();
        block(w);
        answer({false});
        EXPECT_FALSE(f->unload());
        EXPECT_FALSE(f->isUnloading());
        EXPECT_TRUE(unblockUntouched(w));
        EXPECT_TRUE(f->unload());
        EXPECT_TRUE(saved(w));
    }
}

TEST_F(ClosingTest, TheProgramEndsAfterAskingForEachWindowThatCannotSave)
{
    startEntryWindow();
    QStringList blocked;
    for (const SavingWindow& w : savingWindows()) {
        w.open();
        w.edit();
        block(w);
        blocked << w.files;
    }
    answer({false, true, false});
    ASSERT_TRUE(entry->unload());
    EXPECT_EQ(messages().size(), 3);
    EXPECT_TRUE(forms::all().isEmpty());
    for (const QString& file : blocked)
        unblockFile(file);
}

// The idle logout and the reminder of missing lesson content would unload and
// open windows while the program ends.
TEST_F(ClosingTest, TheEntryWindowsTimersRestWhileItAsksAtTheEndOfTheProgram)
{
    startEntryWindow();
    const SavingWindow settings = savingWindows().front();
    settings.open();
    settings.edit();
    block(settings);
    bool timerRan = true;
    dialogs::setHandler([&](const dialogs::Shown&) -> dialogs::Reply {
        timerRan = entry->Timer1->isEnabled() || entry->Timer2->isEnabled();
        return true;
    });
    ASSERT_TRUE(entry->unload());
    EXPECT_FALSE(timerRan);
    for (const QString& file : settings.files)
        unblockFile(file);
}

// "Exit" or the close box, waiting in the queue, closes and deletes the
// window while its handler yields; the handler leaves it alone.
TEST_F(ClosingTest, AWindowClosedWhileItsHandlerYieldsIsLeftAlone)
{
    const std::pair<std::function<FormBase*()>, std::function<void(FormBase*)>> handlers[] = {
        {[this] { return checkedEntry(); }, [](FormBase* f) { static_cast<Form1*>(f)->Command1->click(); }},
        {[this] { return startEntryWindow(); }, [](FormBase* f) { enter(static_cast<Form1*>(f)->Text4, "3."); }},
        {[] {
             Form25* f = forms::show<Form25>();
             f->List1->setListIndex(0);
             f->Text1->setText("Neu Nina");
             return f;
         },
         [](FormBase* f) { static_cast<Form25*>(f)->Command2_Click(); }},
    };
    for (const auto& [open, run] : handlers) {
        const QPointer<FormBase> window = open();
        closeAtNextYield([window] { window->unload(); });
        run(window);
        EXPECT_TRUE(window.isNull()) << "closed during the yield";
    }
    EXPECT_TRUE(readLines("schüler.dat").contains("Neu Nina")) << "the student typed in is saved all the same";
}

// A close run by a notice or question during load or activation deletes the window unharmed.
TEST_F(ClosingTest, AWindowClosedWhileItsLoadOrActivationTellsOrAsksIsLeftAlone)
{
    blockFile(dayFile(today));
    const struct {
        const char* name;
        std::function<void()> prepare;
        std::function<FormBase*()> open;
        std::function<void()> close;
    } cases[] = {
        {"the tools on an unreadable day", [this] { startEntryWindow(); }, [] { return forms::show<Form39>(); },
         [] { forms::unload<Form39>(); }},
        {"the rooms closing a bookings editor that cannot save",
         [this] {
             const SavingWindow bookings = savingWindows().back();
             bookings.open();
             bookings.edit();
             block(bookings);
             answer({true});
         },
         [] { return forms::show<Form8>(); }, [] { forms::unload<Form8>(); }},
        {"the entry window opening the tools at start", [this] { writeLines("code.dat", {"Sonne"}); },
         [this] { return startEntryWindow(); }, [] { forms::unload<Form1>(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        const qsizetype told = messages().size();
        closeAtNextMessage(c.close);
        EXPECT_EQ(c.open(), nullptr);
        EXPECT_EQ(messages().size(), told + 1);
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A window is closed while a window it opens tells or asks something as it
// loads or activates: the click that opened it goes no further.
TEST_F(ClosingTest, AWindowClosedWhileAWindowItOpensTellsOrAsksIsLeftAlone)
{
    const SavingWindow bookings = savingWindows().back();
    // The bookings editor, open with an edit it cannot save: the room list
    // asks about it as it comes up.
    const auto bookingsThatAsk = [this, &bookings] {
        bookings.open();
        bookings.edit();
        block(bookings);
        answer({true});
    };
    const auto settings = [] { return savingWindows().front().open(); };
    QStringList students;
    for (int i = 1; i <= 1001; ++i)
        students << QStringLiteral("S%1").arg(i) << QStringLiteral("2a");
    const struct {
        const char* name;
        std::function<void()> prepare;
        std::function<FormBase*()> open;
        std::function<void(FormBase*)> click;
        std::function<bool()> opened;
    } cases[] = {
        {"the student list beyond its capacity from the settings", [&] { writeLines("schüler.dat", students); },
         settings, [](FormBase* f) { static_cast<Form2*>(f)->Command5->click(); }, &forms::isOpen<Form25>},
        {"the room list from the settings", bookingsThatAsk, settings,
         [](FormBase* f) { static_cast<Form2*>(f)->Command4->click(); }, &forms::isOpen<Form8>},
        {"the room list from the optimiser", bookingsThatAsk, [] { return forms::show<Form18>(); },
         [](FormBase* f) { static_cast<Form18*>(f)->Command9->click(); }, &forms::isOpen<Form8>},
        {"the key date from the substitution database",
         [this] { writeBytes("stand.sup", " 1.28a \r\n10.09.2026\r\n 3 \r\n"); }, [] { return forms::show<Form38>(); },
         [](FormBase* f) { static_cast<Form38*>(f)->Command3->click(); }, &forms::isOpen<Form47>},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        const QPointer<FormBase> opener = c.open();
        const qsizetype told = messages().size();
        closeAtNextMessage([opener] { opener->unload(); });
        c.click(opener);
        EXPECT_TRUE(opener.isNull()) << "closed while the box was up";
        EXPECT_TRUE(c.opened());
        EXPECT_EQ(messages().size(), told + 1);
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (QFileInfo(path(bookings.files[0])).isDir())
            unblockUntouched(bookings);
    }
}

// A window is closed while its handler tells what went wrong: the handler
// leaves it alone.
TEST_F(ClosingTest, AWindowClosedWhileItsHandlerTellsIsLeftAlone)
{
    const std::pair<std::function<FormBase*()>, std::function<void(FormBase*)>> handlers[] = {
        {[this] {
             gTeacherShort(1) = "MÜL";
             blockFile("MÜL.pw");
             Form2* f = static_cast<Form2*>(savingWindows().front().open());
             f->Text1->setText("Start1");
             return f;
         },
         [](FormBase* f) { static_cast<Form2*>(f)->Command3->click(); }},
        {[this] {
             blockFile(dayFile(today));
             Form21* f = forms::show<Form21>();
             f->Text2->setText(dates::shortText(today));
             return f;
         },
         [](FormBase* f) { static_cast<Form21*>(f)->Command9->click(); }},
        {[this] {
             startEntryWindow();
             Form10* f = forms::show<Form10>();
             blockFile(dayFile(today));
             return f;
         },
         [](FormBase*) { RefreshRoomBookingOverview(); }},
        {[this] {
             Form1* f = checkedEntry();
             blockFile(dayFile(today));
             return f;
         },
         [](FormBase* f) { static_cast<Form1*>(f)->Command1->click(); }},
        {[this] {
             Form1* f = loggedIn();
             blockFile(dayFile(today));
             return f;
         },
         [](FormBase* f) { static_cast<Form1*>(f)->Option1[entrykinds::kRoomReservation]->click(); }},
    };
    for (const auto& [open, run] : handlers) {
        const QPointer<FormBase> window = open();
        const qsizetype told = messages().size();
        closeAtNextMessage([window] { window->unload(); });
        run(window);
        EXPECT_TRUE(window.isNull()) << "closed while the box was up";
        EXPECT_EQ(messages().size(), told + 1);
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        unblockFile(QFileInfo(path("MÜL.pw")).isDir() ? "MÜL.pw" : dayFile(today));
    }
}
