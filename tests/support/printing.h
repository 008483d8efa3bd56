#pragma once
// A printer reset around each test, and what a PDF file holds, read by
// poppler's command-line tools.
#include "platform/printer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

// A member of a fixture: the test starts and ends with the printer as the program starts.
struct PrinterReset {
    PrinterReset() { resetPrinter(); }
    ~PrinterReset() { resetPrinter(); }
    PrinterReset(const PrinterReset&) = delete;
    PrinterReset& operator=(const PrinterReset&) = delete;
};

// The first text recorded as `text`; fails the test when there is none.
inline const PrintRecorder::Op& printedText(const PrintRecorder& rec, const QString& text)
{
    for (const PrintRecorder::Op& op : rec.ops) {
        if (op.kind == PrintRecorder::Kind::Text && op.text == text)
            return op;
    }
    ADD_FAILURE() << "not printed: " << text.toStdString();
    static const PrintRecorder::Op none{};
    return none;
}

// Where a recorded text ends, in mm from the paper's left edge.
inline double rightEdge(PrintRecorder& rec, const PrintRecorder::Op& op)
{
    return op.x + rec.textWidth(op.text, op.state.font);
}

// The width of the paper a recorded operation went onto, in mm.
inline double paperWidth(const PrintRecorder& rec, const PrintRecorder::Op& op)
{
    const PrintRecorder::Document& document = rec.begun.at(op.document - 1);
    const QSizeF size = document.paper.size(QPageSize::Millimeter);
    return document.orientation == QPageLayout::Landscape ? size.height() : size.width();
}

inline QString runTool(const QString& tool, const QStringList& arguments)
{
    QProcess p;
    p.start(tool, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdfPageCount(const QString& file)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of the pages in their layout; "-" writes it to standard output.
inline QString pdfText(const QString& file)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
}
