#include "platform/codepage.h"

#include <array>
#include <unordered_map>

namespace codepage {
namespace {
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Every byte's character, so that decoding a day file is one look-up a byte.
constexpr std::array<char16_t, 256> kChars = [] {
    std::array<char16_t, 256> chars{};
    for (int b = 0; b < 256; ++b)
        chars[b] = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    return chars;
}();

const std::unordered_map<char16_t, unsigned char>& reverseHigh()
{
    static const auto table = [] {
        std::unordered_map<char16_t, unsigned char> t;
        for (int i = 0; i < 32; ++i)
            t.emplace(kHigh[i], static_cast<unsigned char>(0x80 + i));
        return t;
    }();
    return table;
}
}

QChar charOf(unsigned char byte) { return QChar(kChars[byte]); }

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    auto it = reverseHigh().find(u);
    return it == reverseHigh().end() ? -1 : it->second;
}

bool representable(QChar c) { return byteOf(c) >= 0; }

QString decode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (char b : bytes)
        *p++ = QChar(kChars[static_cast<unsigned char>(b)]);
    return out;
}

QByteArray encode(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    for (QChar c : text) {
        const int b = byteOf(c);
        *p++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return out;
}
}
