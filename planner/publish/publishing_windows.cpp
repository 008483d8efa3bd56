#include "planner/publish/publishing_windows.h"

#include "planner/editor/optimiser_window.h"

#include "core/model.h"
#include "planner/publish/page_upload.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/ftp.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>

namespace {
constexpr int kMessageLines = 3;
// The status text's height as designed, in twips: four lines.
constexpr int kStatusHeight = 960;
constexpr std::uint32_t kMessageColour = 0xC0FFC0;
constexpr std::uint32_t kAddressColour = 0xFFFFC0;
const controls::Font kFont{"Arial", 8.25};
const controls::Font kButtonFont{"Arial", 8.25, true};
const controls::Font kStatusFont{"Arial", 9.75};
const QString kGeneratedText = QStringLiteral(
    "Die Datei %1 liegt im aktuellen VORDA-Verzeichnis z.B. C:\\ORV\\SCHULE und kann nun ins Internet hochgeladen werden.");
const QString kSuccessText = QStringLiteral("Der %1 kann nun mit einem Browser unter %2 aufgerufen werden.");
// An upload may wait up to a minute for a silent server.
const QString kUploadingText = QStringLiteral("Hochladen ...");
const QString kUnsettledText = QStringLiteral(
    "Das Hochladen von %1 ließ sich vor dem Beenden nicht abschließen: die bisherige Seite liegt womöglich als %2 auf "
    "dem Server %3 und fehlt dort, bis das nächste Hochladen sie zurücklegt.");
// How often an upload looks whether the earlier uploads of its page ended.
constexpr int kAwaitMilliseconds = 25;

// Uploads whose window closed before they ended, each with its state; and
// those that ended with the published page set aside, until the program's
// end tells it.
QList<std::pair<QThread*, std::shared_ptr<UploadJob>>>& closedWindowsUploads()
{
    static QList<std::pair<QThread*, std::shared_ptr<UploadJob>>> uploads;
    return uploads;
}

TextBox* messageBox(QWidget* parent, const QString& name)
{
    auto* box = controls::named<TextBox>(parent, name);
    controls::setFont(box, kFont);
    controls::setBackColor(box, kMessageColour);
    return box;
}
}

struct UploadJob {
    std::shared_ptr<Inet> inet;
    UploadOrder order;
    UploadStops stops;
    UploadResult result;
    // Set by the upload's thread as it ends.
    std::atomic<bool> ended{false};
    // Uploads of the same page that closed windows left running: they share
    // its incoming copy and the page set aside on the server, so this one
    // begins once they ended.
    QList<std::shared_ptr<UploadJob>> earlier;
    // Set by the upload's thread when the earlier ones had all ended: it took
    // over the page they left aside, and its own result tells what stands.
    bool tookOver = false;
    // On the windows' thread: a later upload of the page took over what this one left.
    bool takenOver = false;
};

namespace {
// Once an upload ended, what the earlier ones of its page left is its own to tell.
void markTakenOver(const UploadJob& job)
{
    if (!job.tookOver)
        return;
    for (const auto& earlier : job.earlier)
        earlier->takenOver = true;
}

bool leftPageAside(const UploadJob& job) { return !job.result.pageAside.isEmpty() && !job.takenOver; }

void forgetClosedWindowsUpload(QThread* thread)
{
    auto& uploads = closedWindowsUploads();
    const auto upload = std::find_if(uploads.begin(), uploads.end(), [thread](const auto& u) { return u.first == thread; });
    if (upload == uploads.end())
        return;
    markTakenOver(*upload->second);
    // The page is missing until the next upload: the program's end tells it.
    if (leftPageAside(*upload->second))
        return;
    uploads.erase(upload);
    thread->deleteLater();
}

// The thread goes once it has ended; the program waits for it before it ends.
void leaveToItself(QThread* thread, std::shared_ptr<UploadJob> job)
{
    closedWindowsUploads().append({thread, std::move(job)});
    QObject::connect(thread, &QThread::finished, thread, [thread] { forgetClosedWindowsUpload(thread); });
    // An end before the connection was made reports nowhere.
    if (thread->isFinished())
        forgetClosedWindowsUpload(thread);
}

QList<std::shared_ptr<UploadJob>> closedWindowsUploadsOf(const UploadOrder& order)
{
    QList<std::shared_ptr<UploadJob>> same;
    // What one left that a later upload took over is that one's to tell.
    for (const auto& [thread, job] : closedWindowsUploads()) {
        if (!job->takenOver && job->order.serverFolder == order.serverFolder && job->order.page.name == order.page.name)
            same << job;
    }
    return same;
}

// Runs on the upload's thread; a stopped upload waits no longer. Returns
// where the earlier ones left the published page aside, if they did.
QString awaitEarlierUploads(UploadJob& job)
{
    QString aside;
    for (const auto& earlier : job.earlier) {
        while (!earlier->ended && !job.stops.window && !job.stops.program)
            QThread::msleep(kAwaitMilliseconds);
        if (!earlier->ended)
            return {};
        if (!earlier->result.pageAside.isEmpty())
            aside = earlier->result.pageAside;
    }
    job.tookOver = true;
    return aside;
}
}

PublishingWindow::PublishingWindow(const Design& design)
    : FormBase(design.slot), Inet1(std::make_shared<Inet>()), m_addressWithScheme(design.addressWithScheme),
      m_published(design.published)
{
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(design.caption);

    Label2 = controls::label(this, "Label2", design.messageCaption, kFont);
    Text2 = messageBox(this, "Text2");
    Command11 = controls::button(this, "Command11", design.generateCaption, kButtonFont);
    Command1 = controls::button(this, "Command1", design.uploadCaption, kButtonFont);
    Command2 = controls::button(this, "Command2", QStringLiteral("Exit"), kButtonFont);
    Label1 = controls::label(this, "Label1", QString(), kStatusFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text1 = controls::named<TextBox>(this, "Text1");
    controls::setFont(Text1, kStatusFont);
    controls::setBackColor(Text1, kAddressColour);
    Command1->setEnabled(false);

    const int below = design.lowered;
    place(Label2, 270, 270, 2985, 285);
    place(Text2, 270, 540, 7440, 285);
    place(Command11, 270, 1080 + below, 4335, 420);
    place(Command1, 270, 1755 + below, 4335, 420);
    place(Command2, 6750, 1755 + below, 960, 420);
    place(Label1, 270, 2430 + below, 7440, kStatusHeight);
    place(Text1, 270, 3645 + below, 7440, 360);
    resize(units::twipsToPixels(design.width), units::twipsToPixels(design.height));

    connect(Command11, &QPushButton::clicked, this, &PublishingWindow::Command11_Click);
    connect(Command1, &QPushButton::clicked, this, &PublishingWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PublishingWindow::Command2_Click);
    connect(Text1, &TextBox::Click, this, &PublishingWindow::Text1_Click);
}

void PublishingWindow::Form_Load()
{
    gPublishedUrl = SchoolFolderAddress(m_addressWithScheme);
    Text1->setText(gPublishedUrl);
}

// A page generated while a run fills the grid would publish a timetable in
// the making: it waits for the run to return with its best plan.
void PublishingWindow::Command11_Click()
{
    controls::disableHandingFocusTo(Command11, Text2);
    AfterOptimisationRun(this, [this] { generatePage(); });
}

void PublishingWindow::generatePage()
{
    const BusyPointer busy;
    m_page = writePage();
    // A page that was not written can be generated again once the cause is
    // gone; there is nothing to upload meanwhile.
    if (!m_page) {
        tell(m_page.failure + QLatin1Char('.'));
        Command11->setEnabled(true);
        return;
    }
    tell(kGeneratedText.arg(m_page.name));
    Command1->setEnabled(true);
}

PublishingWindow::~PublishingWindow() { stopUpload(); }

void PublishingWindow::Form_Unload(bool& cancel)
{
    (void)cancel;
    stopUpload();
}

void PublishingWindow::Command1_Click()
{
    controls::disableHandingFocusTo(Command1, Text2);
    // The busy pointer with an arrow: the window's "Exit" still works.
    setCursor(Qt::BusyCursor);
    tell(kUploadingText);
    static quint64 lastTicket = 0;
    m_uploadTicket = ++lastTicket;
    m_job = std::make_shared<UploadJob>(Inet1, OrderUpload(m_page));
    m_job->earlier = closedWindowsUploadsOf(m_job->order);
    m_upload = QThread::create([job = m_job] {
        const QString aside = awaitEarlierUploads(*job);
        job->result = UploadPage(*job->inet, job->order, job->stops, aside);
        job->ended = true;
    });
    connect(m_upload, &QThread::finished, this, [this, ticket = m_uploadTicket] { uploadEnded(ticket); });
    m_upload->start();
}

void PublishingWindow::uploadEnded(quint64 ticket)
{
    // Disconnecting does not take back an end that was already queued.
    if (ticket != m_uploadTicket)
        return;
    m_upload->wait();
    delete m_upload;
    m_upload = nullptr;
    markTakenOver(*m_job);
    const UploadResult result = std::exchange(m_job, nullptr)->result;
    unsetCursor();
    if (!result.pagePut) {
        tell(result.report);
        return;
    }
    gPublishedUrl = SchoolFolderAddress(m_addressWithScheme) + m_page.name;
    const QString success = kSuccessText.arg(m_published, gPublishedUrl);
    tell(result.report.isEmpty() ? success : success + QLatin1Char(' ') + result.report);
    Text1->setText(gPublishedUrl);
}

// A report with more lines than the status text was designed for (a failure,
// what it left on the server, notes on the probe) is shown whole: the status
// text grows and pushes the address box and the window's foot down. A shorter
// one gives the room back.
void PublishingWindow::tell(const QString& text)
{
    Label1->setText(text);
    const int needed = std::max(units::twipsToPixels(kStatusHeight), Label1->heightForWidth(Label1->width()));
    const int grown = needed - Label1->height();
    Label1->resize(Label1->width(), needed);
    Text1->move(Text1->x(), Text1->y() + grown);
    resize(width(), height() + grown);
}

void PublishingWindow::stopUpload()
{
    if (!m_upload)
        return;
    // A closed window hears nothing of its upload.
    disconnect(m_upload, nullptr, this, nullptr);
    m_uploadTicket = 0;
    m_job->stops.window = true;
    leaveToItself(std::exchange(m_upload, nullptr), std::exchange(m_job, nullptr));
}

void PublishingWindow::Command2_Click() { unload(); }

void PublishingWindow::Text1_Click() { Text1->setText(gPublishedUrl); }

Form61::Form61()
    : PublishingWindow({61, "Form61", QStringLiteral("Stundenplan im Internet veröffenlichen"),
                        QStringLiteral("Nachricht im Stundenplan"), QStringLiteral("Stundenplan HTML-File erzeugen"),
                        QStringLiteral("Stundenplan ins Internet hochladen"), 0, 7980, 4260, false,
                        QStringLiteral("Stundenplan")})
{
}

WrittenPage Form61::writePage() { return WriteTimetablePage(Text2->text()); }

Form62::Form62()
    : PublishingWindow({62, "Form62", QStringLiteral("Vertretungsplan im Internet veröffentlichen"),
                        QStringLiteral("Nachricht im Vertretungsplan"), QStringLiteral("Vertretungsplan HTML-File erzeugen"),
                        QStringLiteral("Vertretungsplan ins Internet hochladen"), 810, 7950, 5055, true,
                        QStringLiteral("Vertretungsplan")})
{
    Text3 = messageBox(this, "Text3");
    Text4 = messageBox(this, "Text4");
    place(Text3, 270, 945, 7440, 285);
    place(Text4, 270, 1350, 7440, 285);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Command11);
}

void Form62::Form_Load()
{
    PublishingWindow::Form_Load();
    TextBox* const boxes[] = {Text2, Text3, Text4};
    for (int i = 1; i <= kMessageLines; ++i)
        boxes[i - 1]->setText(gSubstPageMessages(i));
}

void Form62::Form_Unload(bool& cancel)
{
    PublishingWindow::Form_Unload(cancel);
    const TextBox* const boxes[] = {Text2, Text3, Text4};
    for (int i = 1; i <= kMessageLines; ++i)
        gSubstPageMessages(i) = boxes[i - 1]->text().trimmed();
}

WrittenPage Form62::writePage() { return WriteSubstitutionPage(Text2->text(), Text3->text(), Text4->text()); }

void FinishUploadsOfClosedWindows(std::chrono::milliseconds longest)
{
    const QDeadlineTimer deadline(longest);
    for (const auto& [thread, job] : closedWindowsUploads()) {
        if (!thread->wait(deadline))
            job->stops.program = true;
    }
    const auto uploads = std::exchange(closedWindowsUploads(), {});
    for (const auto& [thread, job] : uploads) {
        thread->wait();
        delete thread;
        markTakenOver(*job);
    }
    QStringList unsettled;
    for (const auto& [thread, job] : uploads) {
        if (leftPageAside(*job))
            unsettled << kUnsettledText.arg(job->order.page.name, job->result.pageAside, job->order.host);
    }
    // The page is missing until the next upload: the user hears of it before the program goes.
    if (!unsettled.isEmpty())
        MsgBox(unsettled.join(QLatin1Char('\n')), kPlannerDialogTitle);
}
