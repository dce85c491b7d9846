#include "app/core/cp1252.h"

#include <array>

namespace vandrel::cp1252 {

namespace {
// 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString toUnicode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(high[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray fromUnicode(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = static_cast<char>(c);
        } else {
            for (std::size_t k = 0; k < high.size(); ++k) {
                if (high[k] == c) {
                    b = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        out[i] = b;
    }
    return out;
}

const std::array<unsigned char, 256>& lowerCaseTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[c] = static_cast<unsigned char>(c);
        for (int c = 'A'; c <= 'Z'; ++c)
            t[c] = static_cast<unsigned char>(c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7) // multiplication sign
                t[c] = static_cast<unsigned char>(c + 32);
        }
        t[0x8A] = 0x9A; // Š
        t[0x8C] = 0x9C; // Œ
        t[0x8E] = 0x9E; // Ž
        t[0x9F] = 0xFF; // Ÿ
        return t;
    }();
    return table;
}

} // namespace vandrel::cp1252
