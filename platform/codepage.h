#pragma once
// Windows-1252, the code page of every data file. The five bytes that the code
// page leaves undefined map to the C1 controls of the same value, so all 256
// byte values survive a read and a write.
#include <QByteArray>
#include <QString>

namespace codepage {
QString decode(const QByteArray& bytes);
// Characters the code page cannot hold become "?".
QByteArray encode(const QString& text);
// Whether the character has a byte in the code page.
bool representable(QChar c);
// The byte of a representable character (0..255), or -1.
int byteOf(QChar c);
QChar charOf(unsigned char byte);
}
