#include "admin/backup_window.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"
#include "register/day_file.h"
#include "register/school_week.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {
// A school year has fewer days; a wrong last school day must not make the
// backup run on for years.
constexpr int kMaxDays = 350;
// Day files copied together; a failure is still told per file.
constexpr std::size_t kDaysCopiedTogether = 32;
const QString kSeparator = QStringLiteral("/");
}

Form69::Form69() : FormBase(69)
{
    setObjectName(QStringLiteral("Form69"));
    setWindowTitle(QStringLiteral("Datensicherung"));

    Label3 = controls::label(this, "Label3", QStringLiteral("Pfad zum Sicherungsordner"));
    // Preset: the root of the file tree.
    Text3 = controls::named<TextBox>(this, "Text3");
    Text3->setText(kSeparator);
    controls::setBackColor(Text3, BackColour(6));
    Command4 = controls::button(this, "Command4", QStringLiteral("testen"));
    Command1 = controls::button(this, "Command1", QStringLiteral("Sicherung starten"));
    Command1->setEnabled(false);
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setReadOnly(true);
    controls::setBackColor(Text1, BackColour(6));
    Text1->hide();
    Command2 = controls::button(this, "Command2", QStringLiteral("fertig"));

    place(Label3, 120, 120, 4800, 255);
    place(Text3, 120, 400, 4800, 400);
    place(Command4, 5040, 360, 1200, 480);
    place(Command1, 120, 1000, 2400, 480);
    place(Text1, 2640, 1040, 1500, 400);
    place(Command2, 4840, 1000, 1400, 480);
    resize(units::twipsToPixels(6400), units::twipsToPixels(1650));

    connect(Command4, &QPushButton::clicked, this, &Form69::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form69::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form69::Command2_Click);
}

void Form69::Command4_Click()
{
    Command1->setEnabled(false);
    QString p = Text3->text().trimmed();
    // A relative path would land in whatever folder the program was started from.
    if (!QDir::isAbsolutePath(p))
        return;
    if (!p.endsWith(kSeparator)) {
        p += kSeparator;
        Text3->setText(p);
    }
    gCheckOk = 0;
    if (!datafile::rewrite(p + QStringLiteral("test.txt"), {QStringLiteral("test")}))
        return;
    gCheckOk = 1;
    if (!QDir(p).mkpath(QStringLiteral("qz")) || !QFileInfo(p + QStringLiteral("qz")).isDir())
        return;
    Command1->setEnabled(gCheckOk == 1);
}

void Form69::Command1_Click()
{
    setCopying(true);
    Text1->show();
    // The folder may have been changed after its test, without the separator.
    QString p = Text3->text().trimmed();
    if (!p.endsWith(kSeparator))
        p += kSeparator;
    CopyDayFiles(p + QStringLiteral("qz") + kSeparator);
    setCopying(false);
    unload();
}

void Form69::Command2_Click() { unload(); }

void Form69::Form_Unload(bool& cancel) { cancel = m_copying; }

void Form69::setCopying(bool copying)
{
    m_copying = copying;
    Command1->setEnabled(false);
    Command2->setEnabled(!copying);
    Command4->setEnabled(!copying);
    Text3->setEnabled(!copying);
}

void Form69::CopyDayFiles(const QString& target)
{
    const std::optional<QDate> firstDay = SchoolYearFirstDay();
    if (!firstDay || !gSchoolYearEnd.isValid()) {
        MsgBox(QStringLiteral("Beginn oder Ende des Schuljahres ist nicht eingestellt: es wurde nichts gesichert."));
        return;
    }
    const QDate lastDay = gSchoolYearEnd.date();
    int found = 0;
    int failed = 0;
    // The first copy that failed, named, with its reason.
    QString firstFailure;
    std::vector<datafile::Copy> batch;
    // The copies of a batch go to the disk together: one wait for the disk
    // serves them all.
    const auto copyBatch = [&] {
        const std::vector<datafile::WriteResult> copied = datafile::copyEach(batch);
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (copied[i] || ++failed > 1)
                continue;
            // The reason of a day file that could not be read names it.
            const QString source = QFileInfo(batch[i].from).fileName();
            firstFailure = copied[i].reason.startsWith(source + QStringLiteral(": "))
                               ? copied[i].reason
                               : QFileInfo(batch[i].to).fileName() + QStringLiteral(": ") + copied[i].reason;
        }
        batch.clear();
    };
    {
        // The backup folder is synced once, after the last copy.
        const datafile::FolderSync action;
        QDate day = *firstDay;
        for (int count = 1; count <= kMaxDays && day <= lastDay; ++count, day = day.addDays(1)) {
            Text1->setText(dates::shortText(day));
            DoEvents();
            const QString dayFile = DayFilePath(day);
            const QString source = datafile::find(dayFile);
            if (source.isEmpty())
                continue;
            ++found;
            batch.push_back({source, target + QFileInfo(dayFile).fileName()});
            if (batch.size() == kDaysCopiedTogether)
                copyBatch();
            DoEvents();
        }
        copyBatch();
    }
    if (failed == 0)
        return;
    MsgBox(QStringLiteral("Die Sicherung ist unvollständig: %1 von %2 Tagesdateien konnten nicht nach %3 kopiert "
                          "werden (zuerst %4). Die Tagesdateien im Datenordner sind unverändert.")
               .arg(failed)
               .arg(found)
               .arg(QDir::toNativeSeparators(target), firstFailure));
}
