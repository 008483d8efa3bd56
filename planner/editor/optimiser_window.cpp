#include "planner/editor/optimiser_window.h"

#include "admin/room_list.h"
#include "admin/time_up_window.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "core/window_positions.h"
#include "planner/editor/free_period_rules.h"
#include "planner/editor/hidden_mode.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/runtime.h"
#include "platform/units.h"
#include "register/room_bookings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

namespace {

constexpr int kPositionSlot = 18;
constexpr int kBlinkMs = 400;

// Colours of the status line (entries of gBackColours).
constexpr int kDarkRed = 3;
constexpr int kLightRed = 4;
constexpr int kLightYellow = 7;
constexpr std::uint32_t kStatusGrey = 0xE0E0E0;
// The status line's height in twips: two lines.
constexpr int kStatusHeight = 600;

// gOptimizerMode of the option buttons "Modus 0", "Modus 1", "Modus 2".
constexpr short kModeOfOption[Form18::kModes] = {3, 1, 2};
constexpr short kFillMode = 3;
constexpr short kImproveMode = 2;
constexpr short kSearchMode = 1;

constexpr int kInputPositionColumn = 2;
constexpr double kSmallestMessagePoints = 8;

const QString kMode0Refused = QStringLiteral(
    "Zum Start von Planungsmodus 0 muss die Lage von Nachmittagen und Mittagspausen durch Fixierungen "
    "gekennzeichnet werden.");
const QString kMode2Refused = QStringLiteral(
    "Zum Start von Planungsmodus 2 muss ein fertiger Plan vorliegen. Alle Stunden müssen sich fehlerlos im Plan "
    "befinden.");

bool gRunInProgress = false;

// What waits for the run to return, in the order it was given: a command
// (its kind the type of its callable) of the window that gave it, or what a
// stop asked for afterwards (no kind, no window).
struct Waiting {
    QPointer<QWidget> window;
    const QObject* control = nullptr;
    std::optional<std::type_index> kind;
    std::function<void()> call;
};
std::vector<Waiting> gWaiting;

std::uint32_t backColour(int index) { return static_cast<std::uint32_t>(gBackColours(index).toDouble()); }

int days() { return timetable::days(); }
int periods() { return timetable::periods(); }

// A class slot without a name, or named "-", holds no class.
bool namedClass(int cls)
{
    const QString name = rules::className(cls);
    return !name.isEmpty() && name != QLatin1String("-");
}

bool dayHasFixation(int cls, int day)
{
    for (int p = 1; p <= periods(); ++p) {
        if (gFixations(day, p, cls, 0) > 0)
            return true;
    }
    return false;
}

bool everyDayHasFixation()
{
    for (int cls = 1; cls <= timetable::lastClass(); ++cls) {
        if (!namedClass(cls))
            continue;
        for (int d = 1; d <= days(); ++d) {
            if (!dayHasFixation(cls, d))
                return false;
        }
    }
    return true;
}

bool planComplete()
{
    long required = 0;
    long placed = 0;
    for (int cls = 1; cls <= timetable::lastClass(); ++cls) {
        for (int s = 1; s <= gMaxSubjects; ++s)
            required += gCurriculumHours(cls, s);
        for (int d = 1; d <= days(); ++d)
            for (int p = 1; p <= periods(); ++p)
                for (int k = 0; k <= 1; ++k)
                    placed += gTimetable(d, p, cls, k) > 0 ? 1 : 0;
    }
    return placed >= required;
}

bool leftOnly(int subject) { return rules::property(subject, kInputPositionColumn) == 0; }

int cellsHolding(int cls, int subject)
{
    int n = 0;
    for (int d = 1; d <= days(); ++d)
        for (int p = 1; p <= periods(); ++p)
            n += gTimetable(d, p, cls, 0) == subject ? 1 : 0;
    return n;
}

int greyFields(int cls)
{
    int n = 0;
    for (int d = 1; d <= days(); ++d)
        for (int p = 1; p <= periods(); ++p)
            n += gFixations(d, p, cls, 0) == 0 && gTimetable(d, p, cls, 0) == 0 ? 1 : 0;
    return n;
}

int openHours(int cls)
{
    int n = 0;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gCurriculumHours(cls, s) >= 1 && leftOnly(s))
            n += gCurriculumHours(cls, s) - cellsHolding(cls, s);
    }
    return n;
}

bool fewGreyFields()
{
    QString classes;
    for (int cls = 1; cls <= timetable::lastClass(); ++cls) {
        if (!namedClass(cls))
            continue;
        const int grey = greyFields(cls);
        if (grey >= 1 && openHours(cls) < grey)
            classes += rules::className(cls) + QLatin1Char(' ');
    }
    if (classes.isEmpty())
        return true;
    gText = QStringLiteral("Problem(e) in der/den Klasse(n):") + classes
            + QStringLiteral(". Planungsmodus 1 kann nicht ausgeführt werden. Es gibt in diesem Plan zuviele graue "
                             "Felder. ")
            + QStringLiteral("Setzen Sie mehr Fixierungen. Es dürfen nicht mehr leere Plätze (graue Felder) im Plan "
                             "sein, ")
            + QStringLiteral(" als zu verplanende Stunden vorhanden sind.");
    return false;
}

int leftOnlyHours(int cls)
{
    int n = 0;
    for (int s = 1; s <= gMaxSubjects; ++s)
        n += leftOnly(s) ? gCurriculumHours(cls, s) : 0;
    return n;
}

// The cells of a class that may hold a lesson: all but the fixed empty ones.
int freeCells(int cls)
{
    int n = 0;
    for (int d = 1; d <= days(); ++d)
        for (int p = 1; p <= periods(); ++p)
            n += gFixations(d, p, cls, 0) != 0 && gTimetable(d, p, cls, 0) == 0 ? 0 : 1;
    return n;
}

// The message window's label holds a short designed text in a big font: a
// check's message wraps, and the font shrinks until all of it shows.
void fitMessage(QLabel* label)
{
    label->setWordWrap(true);
    QFont font = label->font();
    const QRect area = label->contentsRect();
    while (font.pointSizeF() > kSmallestMessagePoints) {
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), 100000),
                                                             Qt::TextWordWrap | Qt::AlignCenter, label->text());
        if (needed.height() <= area.height() && needed.width() <= area.width())
            break;
        font.setPointSizeF(font.pointSizeF() - 1);
    }
    label->setFont(font);
}

void stopRun()
{
    if (Form18* f = forms::ifOpen<Form18>())
        f->announceStop();
    gOptimizerRunning = 0;
}

QString droppedMessage(const QString& unread, qsizetype commands)
{
    return QStringLiteral("Das Ergebnis der Optimierung (Plan 0) konnte nicht gelesen werden: %1. ").arg(unread)
         + (commands == 1 ? QStringLiteral("Der während der Optimierung gegebene Befehl wurde nicht ausgeführt; ")
                          : QStringLiteral("Die während der Optimierung gegebenen Befehle wurden nicht ausgeführt; "))
         + QStringLiteral("der Plan im Speicher ist ein unfertiger Zwischenstand der Optimierung. Laden Sie Plan 0, "
                          "sobald seine Dateien wieder lesbar sind, oder einen anderen Plan.");
}

// After the run has returned: what a stop asked for is done; a command is
// carried out for a window still open, and only on the run's plan. A grid
// left in the middle of a pass is no plan to save, print or publish.
void carryOutWaiting(std::vector<Waiting> waiting, const QString& unread)
{
    const auto stillWaiting = [](const Waiting& w) { return w.kind && forms::listening(w.window); };
    bool told = false;
    for (auto it = waiting.begin(); it != waiting.end(); ++it) {
        if (!it->kind) {
            it->call();
            continue;
        }
        if (!forms::listening(it->window))
            continue;
        if (unread.isEmpty()) {
            // A run started before this turn came is stopped in turn.
            AfterOptimisationRun(it->window, std::move(it->call), it->control);
        } else if (!told) {
            told = true;
            MsgBox(droppedMessage(unread, std::count_if(it, waiting.end(), stillWaiting)), kPlannerDialogTitle);
        }
    }
}

QString unplacedLine(int cls)
{
    QString line = numbers::text(cls);
    for (int s = 1; s <= 99; ++s) {
        const float missing = gUnplacedHours(cls, s);
        if (missing > 0)
            line += QLatin1Char(' ') + gSubjectNames(s, 1) + numbers::text(missing);
    }
    return line;
}

}

bool StopOptimisationRun(std::function<void()> afterwards)
{
    if (!gRunInProgress)
        return false;
    stopRun();
    gWaiting.push_back({nullptr, nullptr, std::nullopt, std::move(afterwards)});
    return true;
}

void AfterOptimisationRun(QWidget* window, std::function<void()> command, const QObject* control)
{
    if (!gRunInProgress) {
        command();
        return;
    }
    const std::type_index kind(command.target_type());
    if (!control)
        control = window;
    // A double click gives the command twice; it is carried out once.
    const bool given = std::any_of(gWaiting.begin(), gWaiting.end(), [&](const Waiting& w) {
        return w.kind == kind && w.window == window && w.control == control;
    });
    stopRun();
    if (!given)
        gWaiting.push_back({window, control, kind, std::move(command)});
}

bool OptimisationRunInProgress() { return gRunInProgress; }

Form18::Form18() : FormBase(kPositionSlot)
{
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Optimierung"));

    Frame1 = controls::named<QGroupBox>(this, QStringLiteral("Frame1"));
    Frame1->setTitle(QStringLiteral("Planungsmodus"));
    place(Frame1, 120, 120, 5520, 1320);
    const char* modes[kModes] = {"Modus 0 - Füllversuche / blindes Probieren",
                                 "Modus 1 - alle Möglichkeiten in einem begrenzten Bereich",
                                 "Modus 2 - Optimierung eines fertigen Planes"};
    for (int i = 0; i < kModes; ++i) {
        Option1[i] = controls::named<QRadioButton>(Frame1, QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setText(QString::fromUtf8(modes[i]));
        place(Option1[i], 120, 300 + 330 * i, 5280, 300);
    }

    const auto command = [this](const char* name, const char* caption, int top) {
        QPushButton* b = controls::button(this, name, QString::fromUtf8(caption));
        place(b, 5880, top, 2640, 400);
        return b;
    };
    Command2 = command("Command2", "starte Optimierung", 120);
    Command3 = command("Command3", "beende Optimierung", 570);
    Command4 = command("Command4", "Qualitätsprüfung", 1020);
    Command5 = command("Command5", "Hohlstundenregeln", 1470);
    Command6 = command("Command6", "Fixierungen testen", 1920);
    Command6->setToolTip(QStringLiteral("zur Vorbereitung der Optimierung 1"));
    Command9 = command("Command9", "Fächer", 2370);
    Command1 = command("Command1", "zurück", 2820);
    Command7 = command("Command7", "hide", 3270);
    Command7->setToolTip(QStringLiteral("damit kann der Start- und Optimierschirm versteckt werden"));
    Command7->hide();
    Command8 = command("Command8", "Command8", 3720);
    Command8->hide();

    // Two lines high and wrapping, and higher for a longer text (setStatus).
    Label1 = controls::label(this, "Label1", QStringLiteral("Status"), {"Arial", 10, true});
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    controls::setBackColor(Label1, kStatusGrey);
    place(Label1, 120, 1500, 5520, kStatusHeight);

    const auto caption = [this](const char* name, const char* text, int left, int top) {
        QLabel* l = controls::label(this, name, QString::fromUtf8(text));
        place(l, left, top, 1500, 255);
    };
    const auto value = [this](const char* name, const char* text, int left, int top, int width) {
        QLabel* l = controls::label(this, name, QString::fromUtf8(text));
        controls::setBackColor(l, 0xFFFFFF);
        place(l, left, top, width, 255);
        return l;
    };
    caption("Label6", "Durchgang", 120, 2100);
    Label2 = value("Label2", "x", 1680, 2100, 1080);
    caption("Label7", "Qualität", 120, 2400);
    Label3 = value("Label3", "x", 1680, 2400, 1080);
    caption("Label9", "Serienfenster", 120, 2700);
    Label5 = value("Label5", "x", 1680, 2700, 1080);
    caption("Label10", "Stunden", 2880, 2100);
    Label11 = value("Label11", "x", 4440, 2100, 1200);
    caption("Label13", "Wünsche erf.", 2880, 2400);
    Label15 = value("Label15", "x", 4440, 2400, 1200);
    caption("Label14", "nicht erfüllt", 2880, 2700);
    Label12 = value("Label12", "x", 4440, 2700, 1200);
    caption("Label17", "Sperrungen", 2880, 3000);
    Label16 = value("Label16", "x", 4440, 3000, 1200);
    caption("Label8", "Fenster", 120, 3000);
    Label4 = value("Label4", "x", 120, 3300, 5520);
    Label19 = value("Label19", "", 120, 3720, 2700);
    Label20 = value("Label20", "", 2940, 3720, 2700);

    Check6 = controls::named<QCheckBox>(this, QStringLiteral("Check6"));
    Check6->setText(QStringLiteral("ai"));
    place(Check6, 120, 4140, 900, 255);
    Label22 = value("Label22", "---", 1680, 4140, 1080);
    Label23 = value("Label23", "---", 2880, 4140, 1080);

    Label21 = controls::label(this, "Label21", QStringLiteral("Optimiermethoden für Modus 2"));
    place(Label21, 120, 4560, 5520, 255);
    const char* methods[kMethods] = {"1T", "LG", "Wa", "1K", "ZF"};
    std::array<QCheckBox**, kMethods> checks{&Check1, &Check2, &Check3, &Check4, &Check5};
    for (int i = 0; i < kMethods; ++i) {
        QCheckBox* c = controls::named<QCheckBox>(this, QStringLiteral("Check%1").arg(i + 1));
        c->setText(QString::fromUtf8(methods[i]));
        c->setChecked(true);
        place(c, 120 + 1100 * i, 4860, 700, 255);
        *checks[i] = c;
        Label18[i] = controls::label(this, QStringLiteral("Label18_%1").arg(i), QStringLiteral("x"));
        place(Label18[i], 120 + 1100 * i, 5160, 1000, 255);
    }

    Timer1 = controls::named<Timer>(this, "Timer1", kBlinkMs);
    resize(units::twipsToPixels(8700), units::twipsToPixels(5700));

    connect(Command1, &QPushButton::clicked, this, &Form18::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form18::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form18::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form18::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form18::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form18::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form18::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form18::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form18::Command9_Click);
    connect(Timer1, &Timer::Tick, this, &Form18::Timer1_Timer);
}

void Form18::Form_Load()
{
    if (gOptimizerRunning == 1)
        setStatus(QStringLiteral("Optimierung läuft"));
    ShowOptimisationStatus();
    Timer1->setEnabled(false);
}

void Form18::Form_Activate()
{
    if (gOptimizerRunning == 1)
        Command2->setEnabled(false);
    if (gOptimizerRunning == 0)
        Command3->setEnabled(false);
    Timer1->setEnabled(false);
    int chosen = 0;
    for (int s = 1; s <= gMaxSubjects; ++s)
        chosen += gOptimizeSubjects(s) == 1 ? 1 : 0;
    if (chosen == 0) {
        for (int s = 1; s <= gMaxSubjects; ++s)
            gOptimizeSubjects(s) = 1;
    }
}

void Form18::Form_Unload(bool& cancel)
{
    forms::unload<Form59>(FormBase::Closing::Always);
    if (!gRunInProgress)
        return;
    // The run writes into this window until it returns: closed meanwhile, the
    // window only hides, and the start window shows it again.
    cancel = true;
    StoreWindowPosition(*this, kPositionSlot);
    hide();
}

void Form18::Command1_Click() { unload(); }

void Form18::Command2_Click()
{
    if (gRunInProgress)
        return;
    FindLastUsedClass();
    gOptimizerMode = 0;
    for (int i = 0; i < kModes; ++i) {
        if (Option1[i]->isChecked())
            gOptimizerMode = kModeOfOption[i];
    }
    if (gOptimizerMode != kFillMode && gOptimizerMode != kImproveMode && gOptimizerMode != kSearchMode) {
        setStatus(QStringLiteral("bitte Modus wählen !"));
        return;
    }
    if (!startCheckPasses()) {
        showCheckMessage();
        return;
    }
    // A run keeps its backup and its result in plan "0": a result of the
    // last run not yet saved under a number of its own would be lost.
    const QPointer<Form18> self(this);
    if (optimiser::holdsRunResult()
        && (!AskYesNo(QStringLiteral("Das Ergebnis der letzten Optimierung (Plan 0) ist noch unter keiner eigenen "
                                     "Nummer gespeichert und wird von dieser Optimierung überschrieben. Trotzdem "
                                     "optimieren?"),
                      kPlannerDialogTitle, Preselected::No)
            || !forms::listening(self)))
        return;
    gOptStartDate = Clock::now();
    Label3->setText(QStringLiteral("x"));
    Label4->clear();
    gOptimizerRunning = 1;
    if (gOptimizerMode == kImproveMode)
        Command7->show();
    Command2->setEnabled(false);
    Command3->setEnabled(true);
    Command3->setFocus();
    // The blinking of the last run's end would otherwise recolour the status
    // of this one.
    Timer1->setEnabled(false);
    setStatus(QStringLiteral("Optimierung wird vorbereitet"));
    controls::setBackColor(Label1, backColour(kLightYellow));
    // The run counts as going from here: a close waiting in the queue only
    // hides this window, which the run still writes into, and a command
    // given meanwhile waits for the run's plan.
    gRunInProgress = true;
    DoEvents();
    runChosenMode();
}

void Form18::runChosenMode()
{
    if (gOptimizerMode == kFillMode)
        RunFillOptimisation();
    else
        RunTimetableOptimisation();
    gRunInProgress = false;
    gOptimizerRunning = 0;
    if (optimiser::lastFailure().isEmpty())
        setStatus(QStringLiteral("Optimierung wurde beendet"));
    controls::setBackColor(Label1, backColour(kLightRed));
    Command2->setEnabled(true);
    Command3->setEnabled(false);
    Timer1->setEnabled(true);
    if (!gWaiting.empty()) {
        QTimer::singleShot(0, qApp, [waiting = std::exchange(gWaiting, {}), unread = optimiser::unreadResult()] {
            carryOutWaiting(waiting, unread);
        });
    }
}

bool Form18::startCheckPasses()
{
    gCheckOk = 1;
    gText = QString();
    bool passes = true;
    switch (gOptimizerMode) {
    case kFillMode:
        passes = everyDayHasFixation();
        if (!passes)
            gText = kMode0Refused;
        break;
    case kImproveMode:
        passes = planComplete();
        if (!passes)
            gText = kMode2Refused;
        break;
    default:
        passes = fewGreyFields();
        break;
    }
    if (!passes)
        gCheckOk = 0;
    return passes;
}

void Form18::showCheckMessage()
{
    Form59* message = forms::show<Form59>();
    message->Label1->setText(gText.toString());
    fitMessage(message->Label1);
}

void Form18::Command3_Click()
{
    announceStop();
    gOptimizerRunning = 0;
    DoEvents();
}

void Form18::announceStop()
{
    // The mode chosen, not "Qualitätsprüfung" on the grid the run still fills.
    QRadioButton* mode = Option1[0];
    for (QRadioButton* option : Option1) {
        if (option->isChecked())
            mode = option;
    }
    controls::disableHandingFocusTo(Command3, mode);
    setStatus(QStringLiteral("Abbruch wurde eingeleitet"));
    controls::setBackColor(Label1, backColour(kLightYellow));
}

void Form18::Command4_Click()
{
    RateTimetable();
    gSavedQualityRatio = static_cast<float>(gQualityRatio.toDouble());
    gSavedSeriesGaps = gSumSeriesGaps;
    ShowOptimisationStatus();
}

void Form18::Command5_Click() { forms::show<Form19>(); }

void Form18::Command6_Click()
{
    FindLastUsedClass();
    gText = QString();
    int short_ = 0;
    for (int cls = 1; cls <= timetable::lastClass(); ++cls) {
        if (!namedClass(cls))
            continue;
        const int shortage = freeCells(cls) - leftOnlyHours(cls);
        if (shortage <= 0)
            continue;
        ++short_;
        gLoopI = shortage;
        if (shortage == 1)
            gText = QStringLiteral("Klasse ") + rules::className(cls) + QStringLiteral(": noch eine Fixierung setzen");
        else
            gText = rules::className(cls) + QLatin1Char(':') + numbers::strForm(shortage)
                    + QStringLiteral(" Fixierungen zu wenig !");
    }
    gCheckOk = short_;
    if (short_ == 0)
        gText = QStringLiteral("Verteilung der Fixierungen = ok !");
    setStatus(gText.toString());
}

// A status longer than two lines (a run's failure names the file, the reason
// and what the save changed) is shown whole: the line grows, and what lies
// below it moves down with the window's foot. A shorter one gives the room
// back.
void Form18::setStatus(const QString& text)
{
    Label1->setText(text);
    const int needed = std::max(units::twipsToPixels(kStatusHeight), Label1->heightForWidth(Label1->width()));
    const int grown = needed - Label1->height();
    if (grown == 0)
        return;
    const QRect line = Label1->geometry();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->y() > line.bottom() && w->x() <= line.right())
            w->move(w->x(), w->y() + grown);
    }
    Label1->resize(line.width(), needed);
    resize(width(), height() + grown);
}

void Form18::Command7_Click()
{
    Command7->hide();
    forms::show<Form56>();
}

void Form18::Command8_Click()
{
    Form57* list = forms::show<Form57>();
    list->List1->Clear();
    QStringList lines;
    for (int cls = 1; cls <= 24; ++cls) {
        const QString line = unplacedLine(cls);
        if (line.size() > 5)
            lines << line;
    }
    list->List1->AddItems(lines);
}

void Form18::Command9_Click()
{
    // Bookings of no chosen room would go to a file of no room ("RaumX.dat"):
    // the room is chosen in the room list first.
    const Form8* rooms = forms::ifOpen<Form8>();
    if (rooms && numbers::val(rooms->Label1->text()) != 0) {
        ShowRoomStandingBookings(rooms->Label1->text());
        return;
    }
    // The room list may ask about the bookings editor it closes: this window
    // may be closed while the box is up.
    if (forms::stillOpenAfter(this, [] { forms::show<Form8>(); }))
        setStatus(QStringLiteral("bitte in der Raumliste einen Raum wählen, dann \"Fächer\""));
}

void Form18::Timer1_Timer()
{
    gCounter = gCounter.toInt() + 1;
    if (gCounter.toInt() > 1)
        gCounter = 0;
    controls::setBackColor(Label1, backColour(gCounter.toInt() == 0 ? kLightRed : kDarkRed));
}

Form57::Form57()
{
    setObjectName(QStringLiteral("Form57"));
    setWindowTitle(QStringLiteral("Form57"));
    List1 = controls::list(this, "List1");
    place(List1, 120, 120, 6000, 3600);
    resize(units::twipsToPixels(6360), units::twipsToPixels(3960));
}
