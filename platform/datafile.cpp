#include "platform/datafile.h"

#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace datafile {

QString find(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return {};
    if (info.isFile())
        return path;
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    }
    return {};
}

bool exists(const QString& path) { return !find(path).isEmpty(); }

void clearAttributes(const QString& path)
{
    const QString real = find(path);
    if (real.isEmpty())
        return;
    QFile::setPermissions(real, QFile::permissions(real) | QFile::ReadOwner | QFile::WriteOwner);
}

std::optional<QStringList> readLines(const QString& path)
{
    const QString real = find(path);
    if (real.isEmpty())
        return std::nullopt;
    QFile f(real);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = codepage::decode(f.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    return lines;
}

QString sanitizeField(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            out += QLatin1Char(' ');
        } else if (!codepage::representable(c)) {
            out += QLatin1Char('?');
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
QByteArray withLineEnds(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += codepage::encode(l);
        bytes += "\r\n";
    }
    return bytes;
}

// An existing file keeps its name as it is on disk ("KLASSEN.TXT").
QString targetOf(const QString& path)
{
    const QString real = find(path);
    return real.isEmpty() ? path : real;
}
}

bool rewrite(const QString& path, const QStringList& lines, QString* reason)
{
    QSaveFile f(targetOf(path));
    const QByteArray bytes = withLineEnds(lines);
    // A file that is not committed is dropped with its temporary file.
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    if (reason)
        *reason = f.errorString();
    return false;
}

bool appendLine(const QString& path, const QString& line)
{
    QFile f(targetOf(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = withLineEnds({line});
    const bool ok = f.write(bytes) == bytes.size();
    f.close();
    return ok && f.error() == QFileDevice::NoError;
}

bool copy(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    const QString target = targetOf(to);
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(from).canonicalFilePath())
        return false;
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

Reader::Reader(const QString& path)
{
    if (auto lines = readLines(path)) {
        m_lines = std::move(*lines);
        m_open = true;
    }
}

bool Reader::atEnd() const { return m_line >= m_lines.size(); }

bool Reader::lineInput(QString& into)
{
    if (atEnd())
        return false;
    into = m_lines[m_line].mid(m_column);
    ++m_line;
    m_column = 0;
    return true;
}

bool Reader::lineInput(Variant& into)
{
    QString s;
    if (!lineInput(s))
        return false;
    into = s;
    return true;
}

std::optional<double> Reader::nextNumber()
{
    if (atEnd())
        return std::nullopt;
    const QString rest = m_lines[m_line].mid(m_column);
    int used = 0;
    const double d = numbers::numberInput(rest, &used);
    // A comma leaves the next value on the same line; otherwise the line is done.
    if (used > 0 && used <= rest.size() && rest[used - 1] == QLatin1Char(',') && used < rest.size()) {
        m_column += used;
    } else {
        ++m_line;
        m_column = 0;
    }
    return d;
}

bool Reader::numberInput(double& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    into = *d;
    return true;
}

bool Reader::numberInput(float& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (std::abs(*d) <= 3.4e38)
        into = static_cast<float>(*d);
    return true;
}

bool Reader::numberInput(short& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (auto v = numbers::toInt16(*d))
        into = *v;
    return true;
}

bool Reader::numberInput(int& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (auto v = numbers::toInt32(*d))
        into = *v;
    return true;
}

bool Reader::numberInput(Variant& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    into = *d;
    return true;
}

}
