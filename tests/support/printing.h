#pragma once
// A printer reset around each test, and what a PDF file holds, read by
// poppler's command-line tools.
#include "platform/printer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>

// A member of a fixture: the test starts and ends with the printer as the program starts.
struct PrinterReset {
    PrinterReset() { resetPrinter(); }
    ~PrinterReset() { resetPrinter(); }
    PrinterReset(const PrinterReset&) = delete;
    PrinterReset& operator=(const PrinterReset&) = delete;
};

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
