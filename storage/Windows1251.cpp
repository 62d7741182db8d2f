#include "storage/Windows1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Bytes 0x80 … 0xFF; 0x00 … 0x7F are ASCII.
constexpr std::array<char16_t, 128> HighHalf{
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021', // 80
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F', // 88
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014', // 90
    u'\uFFFD', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F', // 98
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7', // A0
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407', // A8
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7', // B0
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457', // B8
    u'\u0410', u'\u0411', u'\u0412', u'\u0413', u'\u0414', u'\u0415', u'\u0416', u'\u0417', // C0
    u'\u0418', u'\u0419', u'\u041A', u'\u041B', u'\u041C', u'\u041D', u'\u041E', u'\u041F', // C8
    u'\u0420', u'\u0421', u'\u0422', u'\u0423', u'\u0424', u'\u0425', u'\u0426', u'\u0427', // D0
    u'\u0428', u'\u0429', u'\u042A', u'\u042B', u'\u042C', u'\u042D', u'\u042E', u'\u042F', // D8
    u'\u0430', u'\u0431', u'\u0432', u'\u0433', u'\u0434', u'\u0435', u'\u0436', u'\u0437', // E0
    u'\u0438', u'\u0439', u'\u043A', u'\u043B', u'\u043C', u'\u043D', u'\u043E', u'\u043F', // E8
    u'\u0440', u'\u0441', u'\u0442', u'\u0443', u'\u0444', u'\u0445', u'\u0446', u'\u0447', // F0
    u'\u0448', u'\u0449', u'\u044A', u'\u044B', u'\u044C', u'\u044D', u'\u044E', u'\u044F', // F8
};

constexpr int ByteOf0x98 = 0x98 - 0x80;

using Pair = std::pair<char16_t, unsigned char>;

// The high half sorted by character, for the way back; the undefined byte is left out.
constexpr std::array<Pair, 127> reverseTable()
{
    std::array<Pair, 127> table{};
    std::size_t n = 0;
    for (int i = 0; i < 128; ++i) {
        if (i != ByteOf0x98)
            table[n++] = {HighHalf[static_cast<std::size_t>(i)],
                          static_cast<unsigned char>(0x80 + i)};
    }
    std::sort(table.begin(), table.end());
    return table;
}

constexpr std::array<Pair, 127> Reverse = reverseTable();

// The byte of a code point, or -1.
int byteOf(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<int>(codePoint);
    // А … я, the letters of nearly every name, are the bytes 0xC0 … 0xFF in order.
    if (codePoint >= 0x0410 && codePoint <= 0x044F)
        return static_cast<int>(codePoint - 0x0410 + 0xC0);
    if (codePoint > 0xFFFF)
        return -1;
    const auto c = static_cast<char16_t>(codePoint);
    const auto it = std::lower_bound(Reverse.begin(), Reverse.end(), c,
                                     [](const Pair& p, char16_t key) { return p.first < key; });
    if (it == Reverse.end() || it->first != c)
        return -1;
    return it->second;
}

} // namespace

bool inWindows1251(char32_t codePoint)
{
    return byteOf(codePoint) >= 0;
}

QByteArray toWindows1251(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            bytes.append('?');
            continue;
        }
        const int b = byteOf(c.unicode());
        bytes.append(b >= 0 ? static_cast<char>(b) : '?');
    }
    return bytes;
}

QString fromWindows1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = b < 0x80 ? QChar(b) : QChar(HighHalf[b - 0x80u]);
    }
    return text;
}
