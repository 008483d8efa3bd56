#include "platform/printer.h"

#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/units.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr double kMmPerPoint = 25.4 / 72;
constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;
// Pen widths are given in dots of a 600 dpi printer.
constexpr double kDotsPerInch = 600;
// A print zone is 14 characters wide.
constexpr int kZoneChars = 14;

bool pdfOnly() { return QPrinterInfo::availablePrinterNames().isEmpty(); }

bool isPdfDevice(const QString& name)
{
    return name == QLatin1String(Printer::kPdfPrinter) || name == QLatin1String(Printer::kPdfA3Printer);
}

// The paper a device prints on unless a printout sets another.
QPageSize devicePaper(const QString& name)
{
    if (name == QLatin1String(Printer::kPdfA3Printer))
        return QPageSize(QPageSize::A3);
    if (name == QLatin1String(Printer::kPdfPrinter))
        return QPageSize(QPageSize::A4);
    const QPageSize paper = QPrinterInfo::printerInfo(name).defaultPageSize();
    return paper.isValid() ? paper : QPageSize(QPageSize::A4);
}

// The paper's size in twips, from the unit it is defined in: Qt gives other
// units rounded, points even to whole ones.
QSizeF paperTwips(const QPageSize& paper)
{
    switch (paper.definitionUnits()) {
    case QPageSize::Point:
        return paper.definitionSize() * kTwipsPerPoint;
    case QPageSize::Inch:
        return paper.definitionSize() * kTwipsPerInch;
    case QPageSize::Millimeter:
        return paper.definitionSize() * kTwipsPerMm;
    default:
        return paper.size(QPageSize::Millimeter) * kTwipsPerMm;
    }
}

// A plotter's code-0 line drives the pen, not the paper.
bool leavesNoMark(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// The script faces the printouts name come with Windows. Where they are
// missing, the script face installed with the program stands in for them:
// the system's fallback was its widest sans-serif, and a place and date in it
// ran over the signature line beside it.
void substituteScriptFaces()
{
    static const bool substituted = [] {
        for (const char* face : {"EnglischeSchT", "Brush Script MT kursiv"})
            QFont::insertSubstitution(QString::fromLatin1(face), QStringLiteral("Dancing Script"));
        return true;
    }();
    (void)substituted;
}

QFont qtFont(const PrintFont& f, double scale = 1)
{
    substituteScriptFaces();
    QFont font(f.name);
    font.setPointSizeF(f.size * scale);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

// Metrics in millimetres, the same whatever device the text goes to: measured
// at ten times the size on a 72 dpi image, where a pixel is a tenth of a point.
QFontMetricsF metrics(const PrintFont& f)
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(72 / 0.0254));
        image.setDotsPerMeterY(qRound(72 / 0.0254));
        return image;
    }();
    return QFontMetricsF(qtFont(f, 10), &device);
}

QString freeFileName(const QString& folder, const QString& title)
{
    const QString base = folder + QLatin1Char('/') + title + QLatin1Char(' ')
        + Clock::now().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QStringLiteral(" (%1).pdf").arg(n);
    return name;
}

// Names a finished PDF tries where other PCs take them meanwhile.
constexpr int kNameTries = 8;

// The last bytes of a PDF hold its end: the offset of its table after
// "startxref", then "%%EOF".
constexpr qint64 kPdfTailBytes = 1024;

bool endsWhole(const QByteArray& tail)
{
    const qsizetype end = tail.lastIndexOf("%%EOF");
    return end >= 0 && tail.mid(end + 5).trimmed().isEmpty() && tail.lastIndexOf("startxref", end) >= 0;
}

// A run's PDF file while it is written, under a temporary name beside the
// name it is to get. Qt's PDF engine ignores a write the disk refuses and
// ends the file as if it were whole, so the file keeps the reason of the
// first write that failed and counts the bytes it was given. It is removed
// unless it was put in place.
class PdfFile : public QFile {
public:
    ~PdfFile() override
    {
        if (!m_putInPlace)
            remove();
    }

    // Why the file is not whole on the disk; empty when it is, synced.
    QString complete()
    {
        errno = 0;
        keepFailure(flush());
        errno = 0;
        keepFailure(fsync(handle()) == 0);
        errno = 0;
        close();
        keepFailure(error() == QFileDevice::NoError);
        if (m_failure != 0)
            return datafile::systemReason(m_failure);
        QFile written(fileName());
        const bool read = written.open(QIODevice::ReadOnly) && written.size() == m_given
            && written.seek(std::max<qint64>(0, m_given - kPdfTailBytes));
        if (!read || !endsWhole(written.readAll()))
            return QStringLiteral("Die Datei kam nicht vollständig auf dem Datenträger an");
        return {};
    }

    // Renames the file to `name`, never over a file that stands there (another
    // PC's printout of the same second); false with errno when that failed.
    bool putInPlace(const QString& name)
    {
        const QByteArray from = QFile::encodeName(fileName()), to = QFile::encodeName(name);
        int renamed = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        // A file system that cannot rename onto a free name alone renames
        // after a look.
        if (renamed != 0 && (errno == EINVAL || errno == ENOSYS)) {
            errno = EEXIST;
            renamed = QFileInfo::exists(name) ? -1 : std::rename(from.constData(), to.constData());
        }
        if (renamed != 0)
            return false;
        m_putInPlace = true;
        return true;
    }

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        m_given += len;
        errno = 0;
        const qint64 written = QFile::writeData(data, len);
        keepFailure(written == len);
        return written;
    }

private:
    // The first failure counts; what fails after it follows from it.
    void keepFailure(bool done)
    {
        if (!done && m_failure == 0)
            m_failure = errno != 0 ? errno : EIO;
    }

    int m_failure = 0;
    qint64 m_given = 0;
    bool m_putInPlace = false;
};

// A QPainter on a QPrinter, or for a PDF file on a QPdfWriter that writes the
// run's PdfFile. A run to a PDF file keeps one painter over all its
// documents, so the file holds every page of the run; a run to a printer
// sends each document as a job of its own.
class QtBackend : public PrintBackend {
public:
    explicit QtBackend(const QString& device) : m_device(device) {}

    void beginRun(const QString& title, const QString& folder) override
    {
        m_title = title;
        m_folder = folder;
        m_file.clear();
        m_failed = false;
        m_reason.clear();
    }

    PrintRun endRun() override
    {
        finish();
        PrintRun run{m_failed ? QString() : m_file, m_failed, m_reason};
        m_file.clear();
        m_failed = false;
        m_reason.clear();
        return run;
    }

    void beginDocument(const QPageSize& paper, QPageLayout::Orientation orientation) override
    {
        const QPageLayout layout(paper, orientation, QMarginsF());
        m_drawn = false;
        if (m_painter.isActive()) {
            m_paper->setPageLayout(layout);
            m_paper->newPage();
            return;
        }
        if (toPdf()) {
            errno = 0;
            if (!QDir().mkpath(m_folder)) {
                fail(QStringLiteral("Der Ordner %1 ließ sich nicht anlegen (%2).")
                         .arg(QDir::toNativeSeparators(m_folder), folderReason(m_folder, errno)));
                return;
            }
            m_file = freeFileName(m_folder, m_title);
            m_pdfFile = std::make_unique<PdfFile>();
            if (!datafile::openTemporary(*m_pdfFile, m_file)) {
                const int code = errno;
                m_pdfFile.reset();
                fail(QStringLiteral("Die Datei %1 im Ordner %2 ließ sich nicht anlegen (%3).")
                         .arg(QFileInfo(m_file).fileName(), QDir::toNativeSeparators(m_folder),
                              datafile::systemReason(code != 0 ? code : EACCES)));
                return;
            }
            m_paper = std::make_unique<QPdfWriter>(m_pdfFile.get());
        } else {
            auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
            device->setPrinterName(m_device);
            device->setFullPage(true);
            m_paper = std::move(device);
        }
        m_paper->setPageLayout(layout);
        // A PDF file whose painting could not begin is not whole, and its
        // check at the end of the run tells so.
        if (!m_painter.begin(m_paper.get()) && !toPdf())
            fail(QStringLiteral("Der Drucker %1 hat den Ausdruck nicht angenommen.").arg(m_device));
    }

    // A plotter printout asks for a new page before its first one; a sheet
    // with nothing on it would be wasted.
    void newPage() override
    {
        if (m_painter.isActive() && m_drawn)
            m_paper->newPage();
        m_drawn = false;
    }

    void endDocument() override
    {
        if (!toPdf())
            finish();
    }

    void text(double x, double y, const QString& text, const PrintState& state) override
    {
        if (!m_painter.isActive() || leavesNoMark(text))
            return;
        m_drawn = true;
        const QFont font = qtFont(state.font);
        m_painter.setFont(font);
        m_painter.setPen(units::colourFromBgr(state.colour));
        const double ascent = QFontMetricsF(font, m_paper.get()).ascent();
        m_painter.drawText(QPointF(px(x), px(y) + ascent), text);
    }

    void line(double x1, double y1, double x2, double y2, const PrintState& state) override
    {
        if (!m_painter.isActive())
            return;
        m_drawn = true;
        m_painter.setPen(pen(state));
        m_painter.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
    }

    void box(double x1, double y1, double x2, double y2, bool filled, const PrintState& state) override
    {
        if (!m_painter.isActive())
            return;
        m_drawn = true;
        const QRectF r = QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))).normalized();
        if (filled) {
            m_painter.fillRect(r, units::colourFromBgr(state.colour));
            return;
        }
        m_painter.setPen(pen(state));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(r);
    }

    double textWidth(const QString& text, const PrintFont& font) override
    {
        return metrics(font).horizontalAdvance(text) / 10 * kMmPerPoint;
    }

    double textHeight(const PrintFont& font) override { return metrics(font).height() / 10 * kMmPerPoint; }

private:
    bool toPdf() const { return isPdfDevice(m_device) || pdfOnly(); }
    double px(double mm) const { return mm / 25.4 * m_paper->logicalDpiX(); }

    QPen pen(const PrintState& state) const
    {
        return QPen(units::colourFromBgr(state.colour), state.penWidth / kDotsPerInch * m_paper->logicalDpiX());
    }

    void finish()
    {
        if (m_painter.isActive() && !m_painter.end() && !toPdf())
            fail(QStringLiteral("Der Drucker %1 hat den Ausdruck nicht angenommen.").arg(m_device));
        m_paper.reset();
        if (m_pdfFile)
            putPdfInPlace();
    }

    // Only a PDF file that is whole on the disk takes its name: one the
    // disk could not hold would otherwise be told as written, cut at a page.
    void putPdfInPlace()
    {
        const std::unique_ptr<PdfFile> file = std::move(m_pdfFile);
        if (const QString reason = file->complete(); !reason.isEmpty()) {
            fail(unfinished(reason));
            return;
        }
        // Another PC may have printed under the same name meanwhile.
        for (int tries = 0; tries < kNameTries; ++tries) {
            errno = 0;
            if (file->putInPlace(m_file))
                return;
            if (errno != EEXIST)
                break;
            m_file = freeFileName(m_folder, m_title);
        }
        fail(unfinished(datafile::systemReason(errno != 0 ? errno : EIO)));
    }

    QString unfinished(const QString& reason) const
    {
        return QStringLiteral("Die Datei %1 im Ordner %2 ließ sich nicht fertig schreiben (%3).")
            .arg(QFileInfo(m_file).fileName(), QDir::toNativeSeparators(m_folder), reason);
    }

    // The first cause of a run counts; what fails after it follows from it.
    void fail(const QString& reason)
    {
        if (!m_failed)
            m_reason = reason;
        m_failed = true;
    }

    static QString folderReason(const QString& folder, int code)
    {
        const QFileInfo info(folder);
        if (info.exists() && !info.isDir())
            return QStringLiteral("An Stelle des Ordners steht eine Datei");
        return datafile::systemReason(code != 0 ? code : EACCES);
    }

    QString m_device;
    QString m_title = QStringLiteral("Ausdruck");
    QString m_folder = QStringLiteral("Ausdrucke");
    QString m_file;
    bool m_failed = false;
    QString m_reason;
    // Something is on the current page.
    bool m_drawn = false;
    // Declared in the order they are needed: the painter ends before its
    // paper goes, the paper before the file it writes.
    std::unique_ptr<PdfFile> m_pdfFile;
    std::unique_ptr<QPagedPaintDevice> m_paper;
    QPainter m_painter;
};

QString defaultDevice()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    return names.isEmpty() ? QString::fromLatin1(Printer::kPdfPrinter) : names.first();
}

std::unique_ptr<Printer>& instance()
{
    static std::unique_ptr<Printer> p;
    return p;
}
}

QStringList PrintRecorder::texts() const
{
    QStringList t;
    for (const Op& op : ops) {
        if (op.kind == Kind::Text)
            t << op.text;
    }
    return t;
}

void PrintRecorder::beginRun(const QString& title, const QString&) { runs << title; }

PrintRun PrintRecorder::endRun() { return {}; }

void PrintRecorder::beginDocument(const QPageSize& paper, QPageLayout::Orientation orientation)
{
    m_page = 1;
    begun.append({paper, orientation});
}

void PrintRecorder::newPage()
{
    ++m_page;
    if (!begun.isEmpty())
        ++begun.last().pageAdvances;
}

void PrintRecorder::endDocument()
{
    ++documents;
    pagesSent += m_page;
}

void PrintRecorder::text(double x, double y, const QString& text, const PrintState& state)
{
    ops.append({Kind::Text, documents + 1, m_page, x, y, x, y, text, state});
}

void PrintRecorder::line(double x1, double y1, double x2, double y2, const PrintState& state)
{
    ops.append({Kind::Line, documents + 1, m_page, x1, y1, x2, y2, {}, state});
}

void PrintRecorder::box(double x1, double y1, double x2, double y2, bool filled, const PrintState& state)
{
    ops.append({filled ? Kind::FilledBox : Kind::Box, documents + 1, m_page, x1, y1, x2, y2, {}, state});
}

double PrintRecorder::textWidth(const QString& text, const PrintFont& font)
{
    return text.size() * font.size / 2 * kMmPerPoint;
}

double PrintRecorder::textHeight(const PrintFont& font) { return font.size * 1.2 * kMmPerPoint; }

Printer::Printer() : m_backend(std::make_unique<QtBackend>(QString())), m_paper(devicePaper(deviceName())) {}

Printer::~Printer() = default;

double Printer::pageWidth() const
{
    const QSizeF size = m_paper.size(QPageSize::Millimeter);
    return fromMm(m_orientation == QPageLayout::Portrait ? size.width() : size.height());
}

double Printer::pageHeight() const
{
    const QSizeF size = m_paper.size(QPageSize::Millimeter);
    return fromMm(m_orientation == QPageLayout::Portrait ? size.height() : size.width());
}

int Printer::pageWidthTwips() const
{
    const QSizeF size = paperTwips(m_paper);
    return qRound(m_orientation == QPageLayout::Portrait ? size.width() : size.height());
}

int Printer::pageHeightTwips() const
{
    const QSizeF size = paperTwips(m_paper);
    return qRound(m_orientation == QPageLayout::Portrait ? size.height() : size.width());
}

void Printer::print(const QString& text, End end)
{
    startDocument();
    m_backend->text(m_x, m_y, text, m_state);
    const double width = m_backend->textWidth(text, m_state.font);
    switch (end) {
    case End::Line:
        m_x = 0;
        m_y += m_backend->textHeight(m_state.font);
        break;
    case End::Continue:
        m_x += width;
        break;
    case End::NextZone: {
        const double zone = kZoneChars * m_backend->textWidth(QStringLiteral("0"), m_state.font);
        m_x = (std::floor((m_x + width) / zone) + 1) * zone;
        break;
    }
    }
}

void Printer::line(double x1, double y1, double x2, double y2)
{
    startDocument();
    m_backend->line(toMm(x1), toMm(y1), toMm(x2), toMm(y2), m_state);
    m_x = toMm(x2);
    m_y = toMm(y2);
}

void Printer::box(double x1, double y1, double x2, double y2)
{
    startDocument();
    m_backend->box(toMm(x1), toMm(y1), toMm(x2), toMm(y2), false, m_state);
}

void Printer::filledBox(double x1, double y1, double x2, double y2)
{
    startDocument();
    m_backend->box(toMm(x1), toMm(y1), toMm(x2), toMm(y2), true, m_state);
}

void Printer::line(double x1, double y1, double x2, double y2, std::uint32_t bgr)
{
    const std::uint32_t fore = m_state.colour;
    m_state.colour = bgr;
    line(x1, y1, x2, y2);
    m_state.colour = fore;
}

void Printer::filledBox(double x1, double y1, double x2, double y2, std::uint32_t bgr)
{
    const std::uint32_t fore = m_state.colour;
    m_state.colour = bgr;
    filledBox(x1, y1, x2, y2);
    m_state.colour = fore;
}

double Printer::textWidth(const QString& text) const { return fromMm(m_backend->textWidth(text, m_state.font)); }

double Printer::textHeight() const { return fromMm(m_backend->textHeight(m_state.font)); }

void Printer::newPage()
{
    startDocument();
    m_backend->newPage();
    m_x = 0;
    m_y = 0;
}

void Printer::endDoc()
{
    if (!m_inDocument)
        return;
    m_backend->endDocument();
    m_inDocument = false;
    m_x = 0;
    m_y = 0;
    if (!m_inRun)
        m_backend->endRun();
}

void Printer::beginRun(const QString& title, const QString& pdfFolder)
{
    if (m_inRun)
        endRun();
    m_backend->beginRun(title, pdfFolder);
    m_inRun = true;
}

PrintRun Printer::endRun()
{
    endDoc();
    m_inRun = false;
    const PrintRun run = m_backend->endRun();
    if (!m_chosenDuringRun.isEmpty())
        useDevice(std::exchange(m_chosenDuringRun, QString()));
    return run;
}

QStringList Printer::printerNames()
{
    return QPrinterInfo::availablePrinterNames() << QString::fromLatin1(kPdfA3Printer)
                                                 << QString::fromLatin1(kPdfPrinter);
}

bool Printer::choosePrinter(const QString& name)
{
    if (!printerNames().contains(name))
        return false;
    if (m_inRun)
        m_chosenDuringRun = name;
    else
        useDevice(name);
    return true;
}

void Printer::useDevice(const QString& name)
{
    endRun();
    m_device = name;
    m_backend = std::make_unique<QtBackend>(name);
    m_paper = devicePaper(name);
}

QString Printer::deviceName() const { return m_device.isEmpty() ? defaultDevice() : m_device; }

void Printer::setBackend(std::unique_ptr<PrintBackend> backend)
{
    endRun();
    m_backend = std::move(backend);
}

void Printer::setBackend(std::unique_ptr<PrintBackend> backend, const QString& device, const QPageSize& paper)
{
    setBackend(std::move(backend));
    m_device = device;
    m_paper = paper;
}

double Printer::toMm(double v) const { return m_scale == Scale::Millimetres ? v : v / kTwipsPerMm; }

double Printer::fromMm(double mm) const { return m_scale == Scale::Millimetres ? mm : mm * kTwipsPerMm; }

void Printer::startDocument()
{
    if (m_inDocument)
        return;
    if (!m_inRun)
        m_backend->beginRun(QStringLiteral("Ausdruck"), QStringLiteral("Ausdrucke"));
    m_backend->beginDocument(m_paper, m_orientation);
    m_inDocument = true;
}

Printer& printer()
{
    std::unique_ptr<Printer>& p = instance();
    if (!p)
        p = std::make_unique<Printer>();
    return *p;
}

QString printRunReport(const PrintRun& run)
{
    if (run.failed)
        return QStringLiteral("Der Ausdruck konnte nicht erstellt werden.")
            + (run.reason.isEmpty() ? QString() : QLatin1Char('\n') + run.reason);
    if (!run.file.isEmpty())
        return QStringLiteral("Der Ausdruck steht in der Datei\n")
            + QDir::toNativeSeparators(QFileInfo(run.file).absoluteFilePath());
    return {};
}

void reportPrintRun(const PrintRun& run)
{
    const QString report = printRunReport(run);
    if (!report.isEmpty())
        MsgBox(report);
}

void printAt(double x, double y, const QString& text)
{
    printer().setCurrentX(x);
    printer().setCurrentY(y);
    printer().print(text);
}

void printWithin(double x, double y, const QString& text, double right)
{
    if (const double width = printer().textWidth(text); x + width > right)
        printer().setFontSize(printer().font().size * (right - x) / width);
    printAt(x, y, text);
}

void printTitleAt(double x, double y, const QString& text) { printWithin(x, y, text, printer().pageWidth() - x); }

void setPrintFont(double points, bool bold)
{
    printer().setFontSize(points);
    printer().setFontBold(bold);
}

PrintRecorder& recordPrinting()
{
    auto recorder = std::make_unique<PrintRecorder>();
    PrintRecorder& r = *recorder;
    printer().setBackend(std::move(recorder));
    return r;
}

PrintRecorder& recordPrinting(const QString& name, const QPageSize& paper)
{
    auto recorder = std::make_unique<PrintRecorder>();
    PrintRecorder& r = *recorder;
    printer().setBackend(std::move(recorder), name, paper);
    return r;
}

void resetPrinter() { instance() = std::make_unique<Printer>(); }
