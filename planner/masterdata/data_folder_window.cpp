#include "planner/masterdata/data_folder_window.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/folder_lists.h"
#include "platform/units.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {
const controls::Font kBold{"Arial", 9.75, true};
const QString kFolderFile = QStringLiteral("Pfad.dat");
}

Form24::Form24() : FormBase(24)
{
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Wechsel"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Arbeitsverzeichnis wechseln"), {"Arial", 12, true});
    Label3 = controls::label(this, "Label3", QStringLiteral("aktuell"), kBold);
    Label5 = controls::label(this, "Label5", QString(), kBold);
    Drive1 = controls::named<DriveList>(this, "Drive1");
    Dir1 = controls::named<FolderList>(this, "Dir1");
    Label4 = controls::label(this, "Label4", QStringLiteral("neu"), kBold);
    Label2 = controls::label(this, "Label2", QString(), kBold);
    Command2 = controls::button(this, "Command2", QStringLiteral("auf neues Verzeichnis umschalten"), kBold);
    Command1 = controls::button(this, "Command1", QStringLiteral("Ende"), kBold);

    place(Label1, 120, 120, 5400, 360);
    place(Label3, 120, 600, 900, 255);
    place(Label5, 1080, 600, 4440, 255);
    place(Drive1, 120, 960, 5400, 330);
    place(Dir1, 120, 1380, 5400, 2880);
    place(Label4, 120, 4380, 900, 255);
    place(Label2, 1080, 4380, 4440, 255);
    place(Command2, 120, 4800, 3600, 450);
    place(Command1, 3840, 4800, 1680, 450);
    resize(units::twipsToPixels(5640), units::twipsToPixels(5400));

    connect(Drive1, &DriveList::Change, this, &Form24::Drive1_Change);
    connect(Dir1, &FolderList::Change, this, &Form24::Dir1_Change);
    connect(Command2, &QPushButton::clicked, this, &Form24::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form24::Command1_Click);
}

void Form24::Form_Load()
{
    // The lists open at the data folder in use.
    Dir1->setPath(gDataPath.isEmpty() ? QDir::currentPath() : gDataPath);
    const int drive = Drive1->findText(QDir::rootPath());
    if (drive >= 0)
        Drive1->setCurrentIndex(drive);
}

void Form24::Form_Activate()
{
    Label5->setText(gDataPath);
    Label2->setText(QString());
    Command2->setEnabled(false);
}

void Form24::Drive1_Change() { Dir1->setPath(Drive1->drive()); }

void Form24::Dir1_Change()
{
    Command2->setEnabled(true);
    QString folder = Dir1->path();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    gText = folder;
    Label2->setText(folder);
}

void Form24::Command2_Click()
{
    if (Label2->text().isEmpty())
        return;
    gText = Label2->text();
    gDataPath = gText.toString();
    // Nothing reads the file; it goes into the folder the program was started
    // in, as the fixed folder of old does not exist here, and a failed write
    // does not undo the switch.
    gFileName = QDir::current().filePath(kFolderFile);
    datafile::rewrite(gFileName, {datafile::sanitizeField(gDataPath)});
    Label5->setText(gDataPath);
}

void Form24::Command1_Click() { unload(); }
