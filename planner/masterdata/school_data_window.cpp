#include "planner/masterdata/school_data_window.h"

#include "core/model.h"
#include "core/settings_file.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

namespace {
const controls::Font kBold{"Arial", 9.75, true};
const QString kSettingsFile = QStringLiteral("vorda.ver");
const QString kPeriodFile = QStringLiteral("Time.txt");
const QString kTitleFile = QStringLiteral("Titel.txt");

// The button of the value in force is drawn bold, the others of its row plain.
void markChosen(std::initializer_list<QPushButton*> row, QPushButton* chosen)
{
    for (QPushButton* b : row) {
        QFont font = b->font();
        font.setBold(b == chosen);
        b->setFont(font);
    }
}

// The button of a row whose caption is `value`, or none.
QPushButton* buttonOf(std::initializer_list<QPushButton*> row, const Variant& value)
{
    for (QPushButton* b : row) {
        if (Variant(b->text()) == value)
            return b;
    }
    return nullptr;
}

QString textOf(const Variant& v) { return v.toString(); }

// The files of one save, named for the message should it fail.
struct FileSet {
    std::vector<datafile::FileBytes> files;
    QStringList names;

    // A file that holds these lines already is left untouched, its time
    // stamp too: the other PCs of the school see no change where none is.
    void add(const QString& name, const QStringList& lines)
    {
        const QString path = gDataPath + name;
        const QByteArray bytes = datafile::bytesOf(lines);
        if (datafile::holds(path, bytes))
            return;
        files.push_back({path, bytes});
        names << name;
    }
    // Why the set was not written, and which of its files it changed all the same.
    QString failure(const datafile::WriteResult& written) const
    {
        return QStringLiteral("Die Schuldaten konnten nicht gespeichert werden (%1). %2")
            .arg(written.reason, datafile::setChanges(written, names));
    }
};

bool leftChanged(const datafile::WriteResult& written, const QString& name)
{
    return std::any_of(written.changed.begin(), written.changed.end(),
                       [&](const QString& path) { return QFileInfo(path).fileName() == name; });
}
}

Form9::Form9() : FormBase(9)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Schuldaten"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Tage pro Woche"), kBold);
    command2 = controls::button(this, "command2", QStringLiteral("5"));
    Command3 = controls::button(this, "Command3", QStringLiteral("6"));
    Label2 = controls::label(this, "Label2", QStringLiteral("x"), kBold);
    Label3 = controls::label(this, "Label3", QStringLiteral("Einheiten pro Tag"), kBold);
    Command4 = controls::button(this, "Command4", QStringLiteral("9"));
    Command5 = controls::button(this, "Command5", QStringLiteral("10"));
    Command6 = controls::button(this, "Command6", QStringLiteral("11"));
    Label5 = controls::label(this, "Label5", QStringLiteral(" x"), kBold);
    Label4 = controls::label(this, "Label4", QStringLiteral("Mittagspause meist in der Einheit"), kBold);
    Label4->setWordWrap(true);
    Command7 = controls::button(this, "Command7", QStringLiteral("5"));
    Command8 = controls::button(this, "Command8", QStringLiteral("6"));
    Command9 = controls::button(this, "Command9", QStringLiteral("7"));
    Label6 = controls::label(this, "Label6", QStringLiteral("x"), kBold);

    Frame1 = controls::named<QGroupBox>(this, "Frame1");
    Frame1->setTitle(QStringLiteral("zeitliche Überschneidungen der Unterrichtseinheiten"));
    Option1 = controls::named<QRadioButton>(Frame1, "Option1");
    Option1->setText(QStringLiteral("keine Überschneidungen"));
    Option2 = controls::named<QRadioButton>(Frame1, "Option2");
    Option2->setText(QStringLiteral("5.+6. Einheit"));
    Option3 = controls::named<QRadioButton>(Frame1, "Option3");
    Option3->setText(QStringLiteral("6.+7. Einheit"));

    Check1 = controls::named<QCheckBox>(this, "Check1");
    Check1->setText(QStringLiteral("mindestens 1 nicht-kognitives Fach bis zur 6. Einheit"));
    Check2 = controls::named<QCheckBox>(this, "Check2");
    Check2->setText(QStringLiteral("5.Eh."));
    Label9 = controls::label(this, "Label9", QStringLiteral("Aktuellen Plan automatisch laden"), kBold);
    Check3 = controls::named<QCheckBox>(this, "Check3");
    Check3->setText(QStringLiteral("AUTOLOAD"));
    Label10 = controls::label(this, "Label10", QString());
    Label10->setWordWrap(true);
    Label11 = controls::label(this, "Label11", QStringLiteral("Schuljahr"), kBold);
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("1997/98"));

    Label7 = controls::label(this, "Label7", QStringLiteral("Titel / Verwendung"), kBold);
    List1 = controls::list(this, "List1");
    Label8 = controls::label(this, "Label8", QStringLiteral("Änderung / neu"), kBold);
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("neuer Titel"));
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);

    place(Label1, 120, 165, 2400, 255);
    place(command2, 2640, 90, 480, 390);
    place(Command3, 3180, 90, 480, 390);
    place(Label2, 4320, 165, 600, 255);
    place(Label3, 120, 645, 2400, 255);
    place(Command4, 2640, 570, 480, 390);
    place(Command5, 3180, 570, 480, 390);
    place(Command6, 3720, 570, 480, 390);
    place(Label5, 4320, 645, 600, 255);
    place(Label4, 120, 1050, 2400, 480);
    place(Command7, 2640, 1050, 480, 390);
    place(Command8, 3180, 1050, 480, 390);
    place(Command9, 3720, 1050, 480, 390);
    place(Label6, 4320, 1125, 600, 255);
    place(Frame1, 120, 1650, 5040, 1260);
    place(Option1, 180, 300, 4200, 285);
    place(Option2, 180, 600, 4200, 285);
    place(Option3, 180, 900, 4200, 285);
    place(Check1, 120, 3030, 5160, 300);
    place(Check2, 5340, 3030, 900, 300);
    place(Label9, 120, 3480, 3360, 255);
    place(Check3, 3540, 3450, 1500, 300);
    place(Label10, 120, 3780, 5040, 480);
    place(Label11, 120, 4440, 1200, 255);
    place(Text2, 1380, 4380, 1500, 330);
    place(Label7, 6360, 165, 2280, 255);
    place(List1, 6360, 450, 2280, 2520);
    place(Label8, 6360, 3480, 2280, 255);
    place(Text1, 6360, 3750, 2280, 330);
    place(Command1, 6360, 4320, 2280, 450);
    resize(units::twipsToPixels(8880), units::twipsToPixels(5040));

    connect(Command1, &QPushButton::clicked, this, &Form9::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &Form9::command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form9::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form9::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form9::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form9::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form9::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form9::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form9::Command9_Click);
    // An option set by code runs its handler too, as the design's did.
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) { if (on) Option3_Click(); });
    // A check box's Click fires whenever its value changes, also by code.
    connect(Check1, &QCheckBox::toggled, this, &Form9::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form9::Check2_Click);
    // A click, not a toggle: Qt is done with the box when the handler yields,
    // in which the window may close and be deleted with the box.
    connect(Check3, &QCheckBox::clicked, this, &Form9::Check3_Click);
    connect(Text2, &TextBox::Change, this, &Form9::Text2_Change);
    connect(List1, &ListBox::Click, this, &Form9::List1_Click);
    connect(Text1, &TextBox::Change, this, &Form9::Text1_Change);
    connect(Text1, &TextBox::LostFocus, this, &Form9::Text1_LostFocus);
    // The first button of the chain is "5" of the days: a stray Enter there
    // would make a school of 6 days one of 5.
    List1->setFocus();
}

Form9::Settings Form9::current()
{
    Settings s{gDaysPerWeek, gPeriodsPerDay, gLunchPeriod, gOverlapPeriod, gNonCognitiveRule,
               gFifthPeriodFlag, gAutoLoadPlan, gSchoolYear, {}};
    for (int t = 1; t <= gMaxTitles.toInt(); ++t)
        s.titles << gTitles(t);
    return s;
}

Form9::FileLines Form9::fileLines()
{
    return {current(), PeriodFileLines(PeriodTexts::AsHeld), TitleFileLines()};
}

void Form9::Form_Load()
{
    m_opened = current();
    m_savedFiles = fileLines();
}

void Form9::Form_Activate()
{
    Label2->setText(textOf(gDaysPerWeek));
    QString periods = textOf(gPeriodsPerDay);
    if (periods.size() == 1)
        periods.prepend(QLatin1Char(' '));
    Label5->setText(periods);
    Label6->setText(textOf(gLunchPeriod));
    // The window opens with the buttons of the values in force in bold.
    markChosen({command2, Command3}, buttonOf({command2, Command3}, gDaysPerWeek));
    markChosen({Command4, Command5, Command6}, buttonOf({Command4, Command5, Command6}, gPeriodsPerDay));
    markChosen({Command7, Command8, Command9}, buttonOf({Command7, Command8, Command9}, gLunchPeriod));

    QStringList titles;
    for (int t = 1; t <= gMaxTitles.toInt(); ++t)
        titles << gTitles(t);
    m_title = -1;
    List1->Clear();
    List1->AddItems(titles);

    if (gOverlapPeriod == 0)
        Option1->setChecked(true);
    else if (gOverlapPeriod == 5)
        Option2->setChecked(true);
    else if (gOverlapPeriod == 6)
        Option3->setChecked(true);
    Check1->setChecked(gNonCognitiveRule == 1);
    Check2->setChecked(gFifthPeriodFlag == 1);
    Text2->setText(textOf(gSchoolYear));
    // Set by code, the box does what a click does, without the click's yield.
    if (Check3->isChecked() != (gAutoLoadPlan == 1)) {
        Check3->setChecked(gAutoLoadPlan == 1);
        takeAutoLoad();
    }
    Text1->setEnabled(false);
}

void Form9::Command1_Click() { unload(); }

void Form9::showDays()
{
    Label2->setText(textOf(gDaysPerWeek));
    markChosen({command2, Command3}, gDaysPerWeek == 5 ? command2 : Command3);
}

void Form9::command2_Click()
{
    gDaysPerWeek = 5;
    showDays();
}

void Form9::Command3_Click()
{
    gDaysPerWeek = 6;
    showDays();
}

void Form9::showPeriods()
{
    Label5->setText(gPeriodsPerDay == 9 ? QStringLiteral(" 9") : textOf(gPeriodsPerDay));
    markChosen({Command4, Command5, Command6}, buttonOf({Command4, Command5, Command6}, gPeriodsPerDay));
}

void Form9::Command4_Click()
{
    gPeriodsPerDay = 9;
    showPeriods();
}

void Form9::Command5_Click()
{
    gPeriodsPerDay = 10;
    showPeriods();
}

void Form9::Command6_Click()
{
    gPeriodsPerDay = 11;
    showPeriods();
}

void Form9::showLunch()
{
    Label6->setText(textOf(gLunchPeriod));
    markChosen({Command7, Command8, Command9}, buttonOf({Command7, Command8, Command9}, gLunchPeriod));
}

void Form9::Command7_Click()
{
    gLunchPeriod = 5;
    showLunch();
}

void Form9::Command8_Click()
{
    gLunchPeriod = 6;
    showLunch();
}

void Form9::Command9_Click()
{
    gLunchPeriod = 7;
    showLunch();
}

void Form9::Option1_Click()
{
    if (Option1->isChecked())
        gOverlapPeriod = 0;
}

void Form9::Option2_Click()
{
    if (Option2->isChecked())
        gOverlapPeriod = 5;
}

void Form9::Option3_Click()
{
    if (Option3->isChecked())
        gOverlapPeriod = 6;
}

void Form9::Check1_Click() { gNonCognitiveRule = Check1->isChecked() ? 1 : 0; }

void Form9::Check2_Click() { gFifthPeriodFlag = Check2->isChecked() ? 1 : 0; }

void Form9::Check3_Click()
{
    // The choice is taken before the yield: a "fertig" or close box waiting
    // behind the click saves it with the rest, instead of losing it.
    gAutoLoadPlan = Check3->isChecked() ? 1 : 0;
    if (!forms::stillOpenAfterEvents(this))
        return;
    takeAutoLoad();
}

void Form9::takeAutoLoad()
{
    if (Check3->isChecked()) {
        gAutoLoadPlan = 1;
        Label10->setText(QStringLiteral("Plan ") + PlanToLoadAtStart()
                         + QStringLiteral(" wird bei Programmstart automatisch geladen."));
    } else {
        gAutoLoadPlan = 0;
        Label10->setText(QStringLiteral("Bei Programmstart wird KEIN Plan geladen."));
    }
}

void Form9::Text2_Change() { gSchoolYear = Text2->text(); }

void Form9::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0 || index >= gMaxTitles.toInt())
        return;
    m_title = index;
    Text1->setText(gTitles(m_title + 1));
    Text1->setEnabled(true);
}

void Form9::Text1_Change()
{
    if (m_title > -1)
        gTitles(m_title + 1) = Text1->text();
}

void Form9::Text1_LostFocus()
{
    if (m_title < 0 || isUnloading())
        return;
    List1->setItemText(m_title, gTitles(m_title + 1));
    List1->setListIndex(m_title);
}

bool Form9::hasUnsavedEdits() const { return fileLines() != m_savedFiles; }

QString Form9::saveEdits()
{
    const FileLines now = fileLines();
    FileSet set;
    QStringList settings;
    if (now.settings != m_savedFiles.settings) {
        settings = SettingsFileLines();
        set.add(kSettingsFile, settings);
    }
    if (now.periods != m_savedFiles.periods)
        set.add(kPeriodFile, now.periods);
    if (now.titles != m_savedFiles.titles)
        set.add(kTitleFile, now.titles);
    // The files are written all or none: a close without saving takes every
    // setting back in memory, and one file written without the others would
    // give the next start settings this start no longer holds.
    if (const datafile::WriteResult written = datafile::rewriteSet(set.files); !written) {
        keepLeftChanged(written, now, settings);
        return set.failure(written);
    }
    if (!settings.isEmpty())
        SettingsFileWritten(settings);
    m_savedFiles = now;
    return {};
}

// A file that a failed set left with its new bytes holds the new settings:
// they stay in memory, also when the window closes without saving, or the
// next start would read other settings than this one holds. "Titel.txt",
// the last file of its set, is never left changed.
void Form9::keepLeftChanged(const datafile::WriteResult& written, const FileLines& now, const QStringList& settings)
{
    if (leftChanged(written, kSettingsFile)) {
        SettingsFileWritten(settings);
        m_savedFiles.settings = now.settings;
        const Settings opened = m_opened;
        m_opened = now.settings;
        m_opened.lunch = opened.lunch;
        m_opened.titles = opened.titles;
    }
    if (leftChanged(written, kPeriodFile)) {
        m_savedFiles.periods = now.periods;
        m_opened.lunch = now.settings.lunch;
    }
}

void Form9::discardEdits()
{
    gDaysPerWeek = m_opened.days;
    gPeriodsPerDay = m_opened.periods;
    gLunchPeriod = m_opened.lunch;
    gOverlapPeriod = m_opened.overlap;
    gNonCognitiveRule = m_opened.nonCognitive;
    gFifthPeriodFlag = m_opened.fifthPeriod;
    gAutoLoadPlan = m_opened.autoLoad;
    gSchoolYear = m_opened.schoolYear;
    for (int t = 1; t <= m_opened.titles.size(); ++t)
        gTitles(t) = m_opened.titles[t - 1];
}
