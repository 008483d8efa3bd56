#include "core/plan_files.h"

#include "core/model.h"
#include "core/plan_list_file.h"
#include "core/plan_set_record.h"
#include "core/timetable.h"
#include "platform/datafile.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

namespace {

// How many teachers, classes, subjects and teacher slots the files of a plan
// hold; older program versions wrote fewer.
struct Layout {
    int teachers, classes, subjects, teacherSlots;
};

constexpr Layout kWrittenLayout{60, 24, 99, 9};
const QString kWrittenVersion = QStringLiteral("9.0");
constexpr int kExtraTeachers = 60;
constexpr int kSspTeachers = 60, kSspDays = 6, kSspPeriods = 11;

Layout layoutOf(double version)
{
    if (version <= 4.0)
        return {52, 0, 52, 6};
    if (version < 5.02)
        return {60, 20, 52, 6};
    if (version <= 5.03)
        return {60, 20, 72, 6};
    if (version < 7.06)
        return {60, 24, 72, 6};
    if (version < 9.0)
        return {60, 24, 99, 6};
    return kWrittenLayout;
}

QString planFile(const QString& tag, const QString& plan = gPlanName) { return PlanFilePath(tag, plan); }
const QString kHeaderTag = QStringLiteral("T&E");

QString fileName(const QString& tag, const QString& plan = gPlanName) { return tag + plan + QStringLiteral(".xxx"); }

QByteArray hashOf(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex(); }

// One file of a plan's set as it is on disk. Its hash is of its lines as a
// save writes them, so a copy with lone LF line ends compares by content.
struct DiskFile {
    datafile::FileRead read;
    QByteArray hash;
    qint64 modified = 0;
};

DiskFile diskFile(const QString& path)
{
    DiskFile f;
    f.modified = PlanFileModifiedAt(path);
    f.read = datafile::readFile(path);
    if (f.read.state == datafile::FileRead::State::Read)
        f.hash = hashOf(datafile::bytesOf(f.read.lines));
    return f;
}

using SetHashes = std::vector<QByteArray>;

// What the last load or save of a plan left: the hash of what SavePlan wrote
// or would have written then, and the hashes of the files as they were.
struct PlanRecord {
    QByteArray written;
    std::optional<SetHashes> files;
};

// Keyed by folder and plan: the data folder can be switched while running,
// and "" (the current folder) names the same folder as its full path.
std::map<QString, PlanRecord> gRecords;
QString recordKey(const QString& plan)
{
    const QDir folder(gDataPath.isEmpty() ? QStringLiteral(".") : gDataPath);
    const QString canonical = folder.canonicalPath();
    return (canonical.isEmpty() ? folder.absolutePath() : canonical) + QLatin1Char('/') + plan;
}

// ---- Loading. The files of the set are read once; the parts of the model
// are filled from those reads, and whatever is wrong with them is kept for
// the user in words.

QHash<QString, DiskFile> gLoadedFiles;
QStringList gLoadFaults;
QString gMixedSaves;
PlanSave gLastSave;

void signalFault()
{
    Beep();
    gCheckOk = 0;
}

void noteFault(const QString& tag, const QString& what)
{
    gLoadFaults << fileName(tag) + QLatin1Char(' ') + what;
    signalFault();
}

// A file that ends before its layout does.
void noteIfShort(const QString& tag, bool whole)
{
    if (!whole)
        noteFault(tag, QStringLiteral("ist zu kurz"));
}

template <typename F>
void forClassSubjects(const Layout& l, F f)
{
    for (int c = 1; c <= l.classes; ++c) {
        for (int s = 1; s <= l.subjects; ++s)
            f(c, s);
    }
}

template <typename F>
void forDaysAndPeriods(F f)
{
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p)
            f(d, p);
    }
}

// Each file that exists replaces its whole part of the model, so a smaller
// plan never keeps lessons or hours of the plan loaded before.

std::optional<datafile::Reader> openPlanFile(const QString& tag)
{
    const DiskFile& f = gLoadedFiles[tag];
    switch (f.read.state) {
    case datafile::FileRead::State::Read:
        return datafile::Reader(f.read.lines);
    case datafile::FileRead::State::Missing:
        noteFault(tag, QStringLiteral("fehlt"));
        break;
    case datafile::FileRead::State::Unreadable:
        noteFault(tag, QStringLiteral("ist nicht lesbar (%1)").arg(f.read.reason));
        break;
    }
    return std::nullopt;
}

std::optional<Layout> readHeader()
{
    auto r = openPlanFile(kHeaderTag);
    if (!r)
        return std::nullopt;
    QString version;
    r->numberInput(gDaysPerWeek);
    r->numberInput(gPeriodsPerDay);
    r->lineInput(gPlanTitle);
    noteIfShort(kHeaderTag, r->lineInput(version));
    gDaysPerWeek = std::clamp(gDaysPerWeek.toInt(), 5, 6);
    gPeriodsPerDay = std::clamp(gPeriodsPerDay.toInt(), 9, 11);
    return layoutOf(numbers::val(version));
}

void readAssignments(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("LFV"));
    if (!r)
        return;
    gSubjectTeachers.fill(0);
    bool whole = true;
    forClassSubjects(l, [&](int c, int s) {
        for (int k = 0; k < l.teacherSlots; ++k)
            whole &= r->numberInput(gSubjectTeachers(c, s, k));
    });
    noteIfShort(QStringLiteral("LFV"), whole);
}

void readLessons(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("KSP"));
    if (!r)
        return;
    gTimetable.fill(0);
    gFixations.fill(0);
    bool whole = true;
    forDaysAndPeriods([&](int d, int p) {
        for (int c = 1; c <= l.classes; ++c) {
            for (int half = 0; half <= 1; ++half) {
                whole &= r->numberInput(gTimetable(d, p, c, half));
                whole &= r->numberInput(gFixations(d, p, c, half));
            }
        }
    });
    noteIfShort(QStringLiteral("KSP"), whole);
}

void readCurriculum(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("STU"));
    if (!r)
        return;
    gCurriculumHours.fill(0);
    bool whole = true;
    forClassSubjects(l, [&](int c, int s) { whole &= r->numberInput(gCurriculumHours(c, s)); });
    noteIfShort(QStringLiteral("STU"), whole);
}

Currency curriculumAsCurrency(int c, int s) { return Currency::fromDouble(gCurriculumHours(c, s)); }

// At full capacity, so no hours of the plan loaded before are kept.
void copyCurriculumToClassHours()
{
    for (int c = 0; c <= gClassSubjectHours.upper(0); ++c) {
        for (int s = 0; s <= gClassSubjectHours.upper(1); ++s)
            gClassSubjectHours(c, s) = curriculumAsCurrency(c, s);
    }
}

// The hours per class and subject are written with the German decimal comma;
// a line that is no number counts as the curriculum hours.
void readClassHours(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("SPW"));
    if (!r) {
        copyCurriculumToClassHours();
        return;
    }
    gClassSubjectHours.fill(Currency{});
    bool whole = true;
    forClassSubjects(l, [&](int c, int s) {
        QString line;
        if (r->lineInput(line))
            gClassSubjectHours(c, s) = Currency::parse(line).value_or(curriculumAsCurrency(c, s));
        else
            whole = false;
    });
    noteIfShort(QStringLiteral("SPW"), whole);
}

void readAvailability(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("LKN"));
    if (!r)
        return;
    gTeacherUnavailable.fill(0);
    bool whole = true;
    for (int t = 1; t <= l.teachers; ++t)
        forDaysAndPeriods([&](int d, int p) { whole &= r->numberInput(gTeacherUnavailable(t, d, p)); });
    noteIfShort(QStringLiteral("LKN"), whole);
}

void readTeacherExtras()
{
    auto r = openPlanFile(QStringLiteral("KOP"));
    if (!r)
        return;
    gTeacherPlanExtra.fill(Variant(0));
    bool whole = true;
    for (int t = 1; t <= kExtraTeachers; ++t) {
        double unused = 0;
        whole &= r->numberInput(gTeacherPlanExtra(t));
        whole &= r->numberInput(unused);
        whole &= r->numberInput(unused);
    }
    noteIfShort(QStringLiteral("KOP"), whole);
}

// Optional and only read; a short file stops at its end.
void readSspTable()
{
    gPlanSspFlag = 0;
    datafile::Reader r(planFile(QStringLiteral("SSP")));
    if (!r.isOpen())
        return;
    gPlanSspTable.fill(0);
    for (int t = 1; t <= kSspTeachers; ++t) {
        for (int d = 1; d <= kSspDays; ++d) {
            for (int p = 1; p <= kSspPeriods; ++p) {
                if (!r.numberInput(gPlanSspTable(t, d, p)))
                    return;
            }
        }
    }
}

// ---- Saving: always the newest layout. The files are composed in memory,
// so what a save would write can also be compared with what it wrote.

QString currencyForm(Currency c) { return (c.units() >= 0 ? QStringLiteral(" ") : QString()) + c.toString() + QLatin1Char(' '); }

datafile::Writer headerFile()
{
    datafile::Writer w;
    w.number(timetable::days());
    w.number(timetable::periods());
    w.line(datafile::sanitizeField(gPlanTitle));
    w.line(kWrittenVersion);
    return w;
}

datafile::Writer assignmentFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) {
        for (int k = 0; k < kWrittenLayout.teacherSlots; ++k)
            w.number(gSubjectTeachers(c, s, k));
    });
    return w;
}

datafile::Writer lessonFile()
{
    datafile::Writer w;
    forDaysAndPeriods([&](int d, int p) {
        for (int c = 1; c <= kWrittenLayout.classes; ++c) {
            for (int half = 0; half <= 1; ++half) {
                w.number(gTimetable(d, p, c, half));
                w.number(gFixations(d, p, c, half));
            }
        }
    });
    return w;
}

datafile::Writer curriculumFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) { w.number(gCurriculumHours(c, s)); });
    return w;
}

datafile::Writer classHoursFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) { w.line(currencyForm(gClassSubjectHours(c, s))); });
    return w;
}

datafile::Writer availabilityFile()
{
    datafile::Writer w;
    for (int t = 1; t <= kWrittenLayout.teachers; ++t)
        forDaysAndPeriods([&](int d, int p) { w.number(gTeacherUnavailable(t, d, p)); });
    return w;
}

datafile::Writer teacherExtrasFile()
{
    datafile::Writer w;
    for (int t = 1; t <= kExtraTeachers; ++t) {
        w.number(gTeacherPlanExtra(t).toDouble());
        w.number(0);
        w.number(0);
    }
    return w;
}

struct PlanFile {
    const char* tag;
    datafile::Writer (*compose)();
};

const PlanFile kPlanFiles[] = {
    {"T&E", headerFile},     {"LFV", assignmentFile},   {"KSP", lessonFile},        {"STU", curriculumFile},
    {"SPW", classHoursFile}, {"LKN", availabilityFile}, {"KOP", teacherExtrasFile},
};

QString tagOf(const PlanFile& f) { return QString::fromLatin1(f.tag); }

// What SavePlan writes, file by file in the order of kPlanFiles.
using SetBytes = std::vector<QByteArray>;

SetBytes composeSet()
{
    SetBytes set;
    for (const PlanFile& f : kPlanFiles)
        set.push_back(datafile::bytesOf(f.compose().lines()));
    return set;
}

SetHashes hashesOf(const SetBytes& set)
{
    SetHashes hashes;
    for (const QByteArray& bytes : set)
        hashes.push_back(hashOf(bytes));
    return hashes;
}

QByteArray hashOfSet(const SetBytes& set)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QByteArray& bytes : set) {
        h.addData(QByteArray::number(bytes.size()));
        h.addData(bytes);
    }
    return h.result().toHex();
}

SetHashes hashesOnDisk(const QString& plan)
{
    SetHashes hashes;
    for (const PlanFile& f : kPlanFiles)
        hashes.push_back(diskFile(planFile(tagOf(f), plan)).hash);
    return hashes;
}

// The optimiser's working plan is written many times a run by this program
// alone: only what it holds is kept, to tell the user's edits of it by, never
// its files.
bool keepsRecord() { return gPlanName != kOptimiserPlanName; }

void remember(const PlanRecord& record) { gRecords[recordKey(gPlanName)] = record; }

// ---- The set as a whole. A save writes every file to a temporary file
// before it renames any, and writes the record of the set last. A loader
// that finds a file holding something else than the record has, beside one
// left as the save left it (its content and its time as recorded), has a set
// that a save interrupted half-way, or two saves at the same moment, made of
// two versions. When no file is left as saved, a program that keeps no
// record (an older one, which writes every file) has written the whole set
// since, which is a set again. A file rewritten with its own bytes (restored
// from a backup, passed on by a sync client, touched) is still the file that
// was saved: its time alone tells nothing.

datafile::WriteResult writeSetRecord(const SetHashes& hashes)
{
    std::vector<SavedFile> files;
    for (std::size_t i = 0; i < hashes.size(); ++i)
        files.push_back({tagOf(kPlanFiles[i]), hashes[i]});
    return WritePlanSetRecord(gPlanName, files);
}

// A failed save's files that it left with their new bytes are as this program
// wrote them: no other program's save is told of them at the next save, and
// the list's plans are the ones it names now. The plan itself stays unsaved.
void takeLeftChanged(const QStringList& changed, const SetBytes& set, const PlanListEntry& list)
{
    if (changed.contains(list.file.path))
        list.keep();
    const auto record = gRecords.find(recordKey(gPlanName));
    if (record == gRecords.end() || !record->second.files)
        return;
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (changed.contains(planFile(tagOf(kPlanFiles[i]))))
            (*record->second.files)[i] = hashOf(set[i]);
    }
}

bool writeSet(const SetBytes& set)
{
    // A file that holds its bytes already is left as it is: the optimiser
    // saves plan "0" again and again, most of its files unchanged, and each
    // write waits for the disk.
    std::vector<datafile::FileBytes> files;
    for (std::size_t i = 0; i < set.size(); ++i) {
        const QString path = planFile(tagOf(kPlanFiles[i]));
        if (!datafile::holds(path, set[i]))
            files.push_back({path, set[i]});
    }
    // The list belongs to the set: a plan written whole is never left out
    // of it, nor listed without its files. It is read again just before the
    // renames, as another PC may list a plan while the files are written.
    PlanListEntry list = EnterIntoPlanList();
    std::vector<datafile::FileBefore> before;
    const bool listChanges = !datafile::holds(list.file.path, list.file.bytes);
    if (listChanges) {
        files.push_back({list.file.path, list.file.bytes, [&list, &before](QByteArray& bytes) {
                             // Given back as it is now, should the record fail.
                             before.back() = datafile::fileBefore(list.file.path);
                             list = EnterIntoPlanList();
                             bytes = list.file.bytes;
                             return datafile::WriteResult{list.unreadable.isEmpty(), list.unreadable};
                         }});
    }
    for (const datafile::FileBytes& file : files)
        gLastSave.files << QFileInfo(file.path).fileName();
    gLastSave.files << QFileInfo(PlanSetRecordPath(gPlanName)).fileName();
    const auto failed = [&](const datafile::WriteResult& written) {
        gLastSave.written = written;
        takeLeftChanged(written.changed, set, list);
        return false;
    };
    if (!list.unreadable.isEmpty())
        return failed({false, QFileInfo(list.file.path).fileName() + QStringLiteral(": ") + list.unreadable});
    for (const datafile::FileBytes& file : files)
        before.push_back(datafile::fileBefore(file.path));
    // The folder is synced once, after the record.
    const datafile::FolderSync action;
    if (const datafile::WriteResult written = datafile::rewriteSet(files); !written)
        return failed(written);
    // The list's bytes as the set wrote them.
    if (listChanges)
        files.back().bytes = list.file.bytes;
    const SetHashes hashes = hashesOf(set);
    // The record comes last, as it holds the times of the files written.
    // Beside the record of an earlier save, the files would pass for a set
    // of two saves at the next load: without its record the save is taken
    // back.
    if (datafile::WriteResult recorded = writeSetRecord(hashes); !recorded) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!before[i].unreadable.isEmpty() || !datafile::giveBack(files[i].path, before[i], files[i].bytes))
                recorded.changed << files[i].path;
        }
        return failed(recorded);
    }
    list.keep();
    remember({hashOfSet(set), keepsRecord() ? std::optional(hashes) : std::nullopt});
    return true;
}

void readSetFromDisk()
{
    gLoadedFiles.clear();
    for (const PlanFile& f : kPlanFiles)
        gLoadedFiles.insert(tagOf(f), diskFile(planFile(tagOf(f))));
}

void noteFilesOfAnotherSave()
{
    const auto recorded = ReadPlanSetRecord(gPlanName);
    if (recorded.isEmpty())
        return;
    QStringList asRecorded, others;
    bool oneLeftAsSaved = false;
    for (const PlanFile& f : kPlanFiles) {
        const DiskFile& d = gLoadedFiles[tagOf(f)];
        // A file the record does not name (a record cut off) tells nothing.
        if (d.read.state != datafile::FileRead::State::Read || !recorded.contains(tagOf(f)))
            continue;
        const RecordedFile r = recorded.value(tagOf(f));
        (r.hash == d.hash ? asRecorded : others) << fileName(tagOf(f));
        oneLeftAsSaved |= r.hash == d.hash && r.modified == d.modified;
    }
    if (!oneLeftAsSaved || others.isEmpty())
        return;
    gMixedSaves = others.join(QStringLiteral(", ")) + QStringLiteral(" aus einem anderen als ")
        + asRecorded.join(QStringLiteral(", "));
    signalFault();
}

void rememberLoad()
{
    if (!keepsRecord()) {
        remember({hashOfSet(composeSet()), std::nullopt});
        return;
    }
    SetHashes files;
    for (const PlanFile& f : kPlanFiles)
        files.push_back(gLoadedFiles[tagOf(f)].hash);
    remember({hashOfSet(composeSet()), files});
}

}

namespace {
// The files of plan gPlanName into the model, without the teacher-side
// tables; false when the header is missing and nothing else was read.
bool readPlanFiles()
{
    gCheckOk = 1;
    gLoadFaults.clear();
    gMixedSaves.clear();
    readSetFromDisk();
    const auto layout = readHeader();
    if (!layout)
        return false;
    readAssignments(*layout);
    readLessons(*layout);
    readCurriculum(*layout);
    readClassHours(*layout);
    readAvailability(*layout);
    readTeacherExtras();
    readSspTable();
    noteFilesOfAnotherSave();
    return true;
}
}

QString PlanFilePath(const QString& tag, const QString& plan) { return gDataPath + tag + plan + QStringLiteral(".xxx"); }

void LoadPlan()
{
    if (readPlanFiles()) {
        // The rebuild places lessons, which sets gCheckOk for each; the result
        // of the load is whether every file was found whole.
        const Variant allWhole = gCheckOk;
        RebuildTeacherTimetables();
        gCheckOk = allWhole;
    }
    rememberLoad();
    gLoadedFiles.clear();
}

// Every part of the model that reading the plan files writes.
struct PlanContents::Parts {
    Variant daysPerWeek, periodsPerDay;
    QString title;
    std::remove_reference_t<decltype(gSubjectTeachers)> subjectTeachers;
    std::remove_reference_t<decltype(gTimetable)> timetable;
    std::remove_reference_t<decltype(gFixations)> fixations;
    std::remove_reference_t<decltype(gCurriculumHours)> curriculumHours;
    std::remove_reference_t<decltype(gClassSubjectHours)> classSubjectHours;
    std::remove_reference_t<decltype(gTeacherUnavailable)> teacherUnavailable;
    std::remove_reference_t<decltype(gTeacherPlanExtra)> teacherPlanExtra;
    std::remove_reference_t<decltype(gPlanSspTable)> sspTable;
    short sspFlag = 0;

    void takeFromModel()
    {
        daysPerWeek = gDaysPerWeek;
        periodsPerDay = gPeriodsPerDay;
        title = gPlanTitle;
        subjectTeachers = gSubjectTeachers;
        timetable = gTimetable;
        fixations = gFixations;
        curriculumHours = gCurriculumHours;
        classSubjectHours = gClassSubjectHours;
        teacherUnavailable = gTeacherUnavailable;
        teacherPlanExtra = gTeacherPlanExtra;
        sspTable = gPlanSspTable;
        sspFlag = gPlanSspFlag;
    }
    void putIntoModel() const
    {
        gDaysPerWeek = daysPerWeek;
        gPeriodsPerDay = periodsPerDay;
        gPlanTitle = title;
        gSubjectTeachers = subjectTeachers;
        gTimetable = timetable;
        gFixations = fixations;
        gCurriculumHours = curriculumHours;
        gClassSubjectHours = classSubjectHours;
        gTeacherUnavailable = teacherUnavailable;
        gTeacherPlanExtra = teacherPlanExtra;
        gPlanSspTable = sspTable;
        gPlanSspFlag = sspFlag;
    }
};

PlanContents::PlanContents() : m_parts(std::make_unique<Parts>()) {}
PlanContents::~PlanContents() = default;

bool PlanContents::read()
{
    // A plan with a file missing is left to LoadPlan, which signals it.
    for (const PlanFile& f : kPlanFiles)
        if (!datafile::exists(planFile(tagOf(f))))
            return false;
    Parts current;
    current.takeFromModel();
    const Variant checked = gCheckOk;
    const QStringList faults = gLoadFaults;
    const QString mixedSaves = gMixedSaves;
    const bool complete = readPlanFiles() && gCheckOk == 1;
    if (complete)
        m_parts->takeFromModel();
    current.putIntoModel();
    gCheckOk = checked;
    gLoadFaults = faults;
    gMixedSaves = mixedSaves;
    gLoadedFiles.clear();
    return complete;
}

void PlanContents::load() const
{
    m_parts->putIntoModel();
    RebuildTeacherTimetables();
    gCheckOk = 1;
}

QStringList PlanLoadFaults() { return gLoadFaults; }

QString PlanLoadMixedSaves() { return gMixedSaves; }

PlanSave LastPlanSave() { return gLastSave; }

void SavePlan()
{
    gCheckOk = 1;
    gLastSave = {};
    if (!writeSet(composeSet()))
        signalFault();
}

bool PlanHasUnsavedChanges()
{
    const auto record = gRecords.find(recordKey(gPlanName));
    return record == gRecords.end() || record->second.written != hashOfSet(composeSet());
}

void RememberPlanInMemory() { remember({hashOfSet(composeSet()), std::nullopt}); }

std::optional<bool> PlanFilesAsLastSeen(const QString& plan)
{
    const auto record = gRecords.find(recordKey(plan));
    if (record == gRecords.end() || !record->second.files)
        return std::nullopt;
    return *record->second.files == hashesOnDisk(plan);
}

std::optional<QString> PlanTitle(const QString& plan)
{
    const auto lines = datafile::readLines(planFile(kHeaderTag, plan));
    if (!lines)
        return std::nullopt;
    return lines->value(2);
}

void LoadStartPlan()
{
    if (gPlanName.isEmpty())
        return;
    if (gAutoLoadPlan == 1) {
        LoadPlan();
        gStartPlanName = gPlanName;
        return;
    }
    // The plan number stands without its plan.
    RememberPlanInMemory();
}

