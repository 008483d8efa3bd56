#pragma once
// The program's printer: one object with the properties and drawing calls the
// printouts use. Properties (scale, paper, orientation, font, colour, pen) stay
// set across documents; the first drawing call starts a document, the end of a
// document sends it, and an end of document without output sends nothing.
// Positions count from the top-left corner of the paper.
//
// Output goes to a back end: Qt (a QPainter on a QPrinter, or a PDF file in the
// folder "Ausdrucke" of the data folder) or, in tests, a recorder.
//
// The paper is the device's own: a printer's default page size, A4 for
// "PDF-Datei" and A3 for "PDF-Datei A3", which stands in for an A3 printer or
// a plotter at a school that has none.
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

// The state a drawing call is made in, lengths in millimetres.
struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool italic = false;
};

// How a print run went: the PDF file it went to, whole on the disk (empty for
// a printer or a run without output), or that its output could not be made
// and why (German, naming the folder or the printer and the system's reason).
struct PrintRun {
    QString file;
    bool failed = false;
    QString reason;
};

struct PrintState {
    PrintFont font;
    std::uint32_t colour = 0; // BBGGRR
    double penWidth = 1;      // in printer dots, as the printouts give it
};

class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    // A print run ends with endRun; a document started outside a run is a run
    // of its own. A run to a PDF file goes to a new file in `folder`.
    virtual void beginRun(const QString& title, const QString& folder) = 0;
    virtual PrintRun endRun() = 0;
    virtual void beginDocument(const QPageSize& paper, QPageLayout::Orientation orientation) = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    virtual void text(double x, double y, const QString& text, const PrintState& state) = 0;
    virtual void line(double x1, double y1, double x2, double y2, const PrintState& state) = 0;
    virtual void box(double x1, double y1, double x2, double y2, bool filled, const PrintState& state) = 0;
    virtual double textWidth(const QString& text, const PrintFont& font) = 0;
    virtual double textHeight(const PrintFont& font) = 0;
};

// Keeps every operation, for tests. Text metrics are fixed: a character is half
// the font size wide, a line 1.2 times the font size high (in points).
class PrintRecorder : public PrintBackend {
public:
    enum class Kind { Text, Line, Box, FilledBox };
    struct Document {
        QPageSize paper;
        QPageLayout::Orientation orientation;
        int pageAdvances = 0; // new pages asked for within the document
    };
    struct Op {
        Kind kind;
        int document; // counted from 1 over all documents recorded
        int page;     // counted from 1 within the document
        double x, y, x2, y2;
        QString text;
        PrintState state;
    };

    QList<Op> ops;
    int documents = 0; // documents ended, i.e. sent
    int pagesSent = 0;
    QStringList runs;  // titles of the runs begun
    QList<Document> begun; // every document begun, in order

    // The texts in the order printed.
    QStringList texts() const;

    void beginRun(const QString& title, const QString& folder) override;
    PrintRun endRun() override;
    void beginDocument(const QPageSize& paper, QPageLayout::Orientation orientation) override;
    void newPage() override;
    void endDocument() override;
    void text(double x, double y, const QString& text, const PrintState& state) override;
    void line(double x1, double y1, double x2, double y2, const PrintState& state) override;
    void box(double x1, double y1, double x2, double y2, bool filled, const PrintState& state) override;
    double textWidth(const QString& text, const PrintFont& font) override;
    double textHeight(const PrintFont& font) override;

private:
    int m_page = 0;
};

class Printer {
public:
    enum class Scale { Twips, Millimetres };
    // How a printed text ends: a line end (the next text starts at the left
    // edge below), continuing right after it, or at the next print zone.
    enum class End { Line, Continue, NextZone };

    static constexpr const char* kPdfPrinter = "PDF-Datei";
    static constexpr const char* kPdfA3Printer = "PDF-Datei A3";

    Printer();
    ~Printer();

    void setScaleMode(Scale scale) { m_scale = scale; }
    Scale scaleMode() const { return m_scale; }
    void setPaperSize(QPageSize::PageSizeId id) { m_paper = QPageSize(id); }
    QPageSize::PageSizeId paperSize() const { return m_paper.id(); }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    // The paper's size in the current scale.
    double pageWidth() const;
    double pageHeight() const;
    // The paper's size in whole twips, whatever the scale.
    int pageWidthTwips() const;
    int pageHeightTwips() const;

    void setFontName(const QString& name) { m_state.font.name = name; }
    void setFontSize(double points) { m_state.font.size = points; }
    void setFontBold(bool bold) { m_state.font.bold = bold; }
    void setFontItalic(bool italic) { m_state.font.italic = italic; }
    const PrintFont& font() const { return m_state.font; }
    void setColour(std::uint32_t bgr) { m_state.colour = bgr; }
    void setPenWidth(double dots) { m_state.penWidth = dots; }

    void setCurrentX(double x) { m_x = toMm(x); }
    void setCurrentY(double y) { m_y = toMm(y); }
    double currentX() const { return fromMm(m_x); }
    double currentY() const { return fromMm(m_y); }

    // A text of control characters only (a plotter's code-0 line) moves the
    // position like any text but leaves no mark on paper.
    void print(const QString& text, End end = End::Line);
    void line(double x1, double y1, double x2, double y2);
    void box(double x1, double y1, double x2, double y2);
    void filledBox(double x1, double y1, double x2, double y2);
    // In a colour of their own; the colour set for what follows stays.
    void line(double x1, double y1, double x2, double y2, std::uint32_t bgr);
    void filledBox(double x1, double y1, double x2, double y2, std::uint32_t bgr);
    double textWidth(const QString& text) const;
    double textHeight() const;

    void newPage();
    void endDoc();

    // A window that prints marks its run; a run to "PDF-Datei" (or with no
    // printer installed) is one file "<title> <time stamp>.pdf" in `pdfFolder`,
    // written under a hidden name and given its own only once it is whole.
    void beginRun(const QString& title, const QString& pdfFolder);
    PrintRun endRun();

    // The installed printers, "PDF-Datei A3" and "PDF-Datei".
    static QStringList printerNames();
    // False for a name not in the list. The paper becomes the device's own.
    // A choice made while a run prints (a window that yields) takes effect
    // when the run ends: a printout never continues on another device.
    bool choosePrinter(const QString& name);
    // The chosen printer, else the system's default one, else "PDF-Datei".
    QString deviceName() const;

    // Replaces the back end (tests install a recorder); the properties stay.
    void setBackend(std::unique_ptr<PrintBackend> backend);
    // The same, the back end standing for a device of that name and paper.
    void setBackend(std::unique_ptr<PrintBackend> backend, const QString& device, const QPageSize& paper);
    PrintBackend& backend() { return *m_backend; }

private:
    double toMm(double v) const;
    double fromMm(double mm) const;
    void startDocument();
    void useDevice(const QString& name);

    std::unique_ptr<PrintBackend> m_backend;
    QString m_device; // empty: the default
    QString m_chosenDuringRun;
    Scale m_scale = Scale::Twips;
    QPageSize m_paper{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    PrintState m_state;
    double m_x = 0;
    double m_y = 0;
    bool m_inDocument = false;
    bool m_inRun = false;
};

// The program's one printer.
Printer& printer();

// What the user is told of a run: the whole path of its PDF file, or that its
// output could not be made and why; empty for a run to a printer.
QString printRunReport(const PrintRun& run);
// Tells it in a message box.
void reportPrintRun(const PrintRun& run);

// A text with its top-left corner at (x, y) in the current scale.
void printAt(double x, double y, const QString& text);
// The same for a text that must end at `right`: one too wide is set smaller,
// to end there. The size set stays for what follows.
void printWithin(double x, double y, const QString& text, double right);
// A title: one too wide for the paper, by a long school or plan name, is set
// smaller, to end as far from the paper's right edge as it begins from its
// left, instead of being cut off at the edge.
void printTitleAt(double x, double y, const QString& text);
// The font's size and weight in one step.
void setPrintFont(double points, bool bold);

// Tests: records everything printed from now on; the recorder lives until the
// next call or resetPrinter().
PrintRecorder& recordPrinting();
// The same, standing for the device `name` with its paper ("HP Plotter" on A3).
PrintRecorder& recordPrinting(const QString& name, const QPageSize& paper);
// A fresh printer with the Qt back end and default properties.
void resetPrinter();
