#pragma once
// Uploading a generated web page into the school's folder on the publishing
// server (gServerFolder), with the account of "ftp.dat". A small probe file,
// "test.dat" with the date, the time and the teachers, tells whether the
// school's folder exists: when it cannot be fetched the folder is made. The
// probe stays on the server; the local copy never stays in the data folder.
// The page replaces the one on the server only when all of it arrived.
#include "planner/publish/web_pages.h"

#include <QString>
#include <functional>

class Inet;

// The public address of the school's folder: the web host (fourth line of
// "ftp.dat") or else the FTP host, then "/VORDA/", the school's folder name
// and "/"; "http://" in front when `withScheme`. Empty without any host.
QString SchoolFolderAddress(bool withScheme);

struct UploadResult {
    bool pagePut = false;
    // For the window's status line: why the upload failed, or notes on the
    // probe besides a success; sentences with their full stops.
    QString report;
};

// Uploads `page` through `inet`, yielding to the event loop while each
// command runs. When `stopped` turns true (the window closed) the running
// command is cancelled and nothing more is sent.
UploadResult UploadPage(Inet& inet, const WrittenPage& page, const std::function<bool()>& stopped);
