#pragma once
// The frame that the week grids of the whole school share: they are laid out
// in millimetres for an A3 sheet or a pen plotter, and each has a twin that
// prints the same layout reduced to A4. A member gives its layout in the A3
// millimetres and points; the frame divides them for the twin, drives the
// start, the page change and the end of the print job, keeps the print menu's
// status line up to date and fits texts into their cells.
//
// Every call that yields to the event loop returns false when the print menu
// has been closed meanwhile; the member then returns at once.
#include <QString>
#include <vector>

class Form14;

// A member's row of the frame's table.
struct LargeFormatMember {
    enum class Paper { Landscape, Portrait };
    Paper paper;
    // The twin reduced to A4.
    bool reduced;
    // Knows about plotters: refuses a plotter set to the other orientation,
    // leaves the orientation and the pen widths to the plotter, enlarges the
    // title for it and ends each of its documents with a code-0 line. The
    // reduced landscape twins print the same whatever the printer.
    bool plotterAware;
    QString startText;
    QString endText;
};

class LargeFormatJob {
public:
    LargeFormatJob(Form14& menu, const LargeFormatMember& member);

    // The start of the job up to the first page routine: false when a plotter
    // in the wrong orientation refuses it (said in the status line) or the
    // menu was closed. The staff grids show their start text without a yield.
    bool start(bool yieldAfterStartText = true);
    // The end of the last page, the next page's start in millimetres, and
    // "Seite gewechselt"; the member's page routine follows.
    bool changePage();
    // The end text, the end of the document and "Druckauftrag erledigt".
    bool finish();

    // Shows a text in the status line and yields.
    bool status(const QString& text);
    bool yield();

    // A3 millimetres and points to the member's: divided for the twin.
    float mm(float a3) const { return a3 / m_factor; }
    float points(float a3) const { return a3 / m_factor; }

    bool plotterMode() const;
    // The paper position of the member, unless a plotter keeps its own.
    void setOrientation();
    // A pen width of the member's table, unless a plotter keeps its own pen.
    void setPen(double width);
    // Font name of the print menu's font, colour 0.
    void setFontAndBlack();
    // The title in bold at the member's size, enlarged for a plotter.
    void printTitle(float x, float y, float size, const QString& text);

    void printText(float x, float y, const QString& text);
    // The same for a text that must end within `width` (A3) right of x: one
    // too wide is set smaller, to end there.
    void printTextWithin(float x, float y, const QString& text, float width);
    void blackLine(float x1, float y1, float x2, float y2);
    // A framed box in colour 0 and the current pen.
    void frame(float x1, float y1, float x2, float y2);
    // The page footer at the footer position the member gives, undivided: the
    // reduced landscape twins print it at full size, the reduced vertical
    // grid through the reduced footer, which divides it.
    void footer(float x, float y);

    // Before a subject's abbreviation in a cell: its colour, unless "nur SW".
    // The colour stays for what follows until a text sets colour 0.
    void setCellColour(int subject);

    // Steps the size down by 0.1 from `start` until the text fits `width`,
    // yielding at each step; a text that fits at no size down to `minimum` is
    // left out. Start and width are A3 values, the minimum is not divided.
    bool fitContinuous(float x, float y, const QString& text, float start, float minimum, float width);
    // Sets the first size of the ladder, then each further one while the text
    // is wider than `width` (A3); the caller prints it at the last size set,
    // also when it is still too wide. The sizes are taken as they stand.
    void setLadderSize(const QString& text, const std::vector<float>& sizes, float width);

private:
    Form14& m_menu;
    LargeFormatMember m_member;
    float m_factor;
};

// gText after ReplaceUmlautsForPlotter.
QString FoldedForPlotter(const QString& text);

// Checked look-ups of numbers that come from plan files.
bool IsPrintedSubject(int subject);
QString SubjectAbbreviation(int subject);
QString ClassPrintName(int cls);
QString TeacherName(int teacher);
// Classes that the whole-school grids print: named, and not left out by their
// skip flag.
bool IsGridClass(int cls);
