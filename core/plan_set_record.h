#pragma once
// The record of a saved plan set, "SUM<n>.xxx": a save writes it after the
// set's files, one line per file with its tag, the hash of its lines and when
// it was renamed into place: a file that holds the recorded lines belongs to
// the save, and one that also has the recorded time is left as the save left
// it. No reader of the plan formats opens it, and deleting a plan's
// "???n.xxx" files takes it along.
#include "platform/datafile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

struct RecordedFile {
    QByteArray hash;
    qint64 modified = 0;
};

// When the file at `path` was last written, in the file system's own
// resolution; 0 without the file.
qint64 PlanFileModifiedAt(const QString& path);

// The record of plan `plan`, by tag; empty without one. Lines that hold no
// whole entry (cut off, garbage) are left out: they record no file.
QHash<QString, RecordedFile> ReadPlanSetRecord(const QString& plan);

// One file of a set as a save wrote it.
struct SavedFile {
    QString tag;
    QByteArray hash;
};

// The record's file of plan `plan` in the data folder.
QString PlanSetRecordPath(const QString& plan);

// Records the set of plan `plan` as written: each file with its hash and the
// time of the file on disk. A record that holds that already is left as it
// is. Says why, naming the record's file, when it could not be written.
datafile::WriteResult WritePlanSetRecord(const QString& plan, const std::vector<SavedFile>& files);
