#pragma once
// Uploading a generated web page into the school's folder on the publishing
// server (gServerFolder), with the account of "ftp.dat". A small probe file,
// "test.dat" with the date, the time and the teachers, tells whether the
// school's folder exists: when it cannot be fetched the folder is made. The
// probe stays on the server; its local copy lives in a folder of its own for
// the one upload, so two uploads at once never share it.
//
// The page replaces the one on the server only when all of it arrived, and
// the published page is never gone for longer than the upload: a page that
// stepped aside for the new one is put back under its name (the new one or
// the old) even when the window closes or the connection breaks meanwhile.
// A page set aside goes back only onto a name the server shows free, and
// after a break the upload looks where the pages stand before it reports.
#include "planner/publish/web_pages.h"

#include <QString>
#include <QStringList>
#include <atomic>

class Inet;

// The public address of the school's folder: the web host (fourth line of
// "ftp.dat") or else the FTP host, then "/VORDA/", the school's folder name
// and "/"; "http://" in front when `withScheme`. Empty without any host.
QString SchoolFolderAddress(bool withScheme);

// What an upload takes from the data model, read when it starts: the upload
// itself runs apart from the windows.
struct UploadOrder {
    QString host;
    QString user;
    QString password;
    QString serverFolder;
    QStringList probeLines;
    WrittenPage page;
};
UploadOrder OrderUpload(const WrittenPage& page);

struct UploadResult {
    bool pagePut = false;
    // For the window's status line: why the upload failed, or notes on the
    // probe besides a success; sentences with their full stops.
    QString report;
    // The name on the server of the published page when the upload ended
    // while the page was, or may have been, set aside (it broke twice, or the
    // program stopped it, or the name was refused to it); empty when a page
    // stands under the page's name.
    QString pageAside;
};

// How a running upload is told to stop.
struct UploadStops {
    // Its window closed: the running command is cancelled and nothing more is
    // sent, except that a published page which the upload has set aside is
    // first put back under its name, the new one or the old.
    std::atomic<bool> window{false};
    // The program ends and cannot wait any longer: the upload stops at once,
    // wherever it is.
    std::atomic<bool> program{false};
};

// Uploads the ordered page through `inet`, waiting for each command: it runs
// on a thread of its own, never on the windows' one. `pageAside` is where
// earlier uploads of the page left the published one set aside, if they did:
// the upload takes that over and tells it in its result until it sees to it.
UploadResult UploadPage(Inet& inet, const UploadOrder& order, const UploadStops& stops, const QString& pageAside);
