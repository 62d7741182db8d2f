#include "storage/Windows1251.h"

#include <QTest>
#include <cerrno>
#include <iconv.h>
#include <optional>

// glibc's converter is the reference the table is checked against; only the tests use it.
class Iconv
{
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(m_handle);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // The converted bytes, or nothing when iconv has no conversion for the input.
    std::optional<QByteArray> convert(QByteArray input)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char* in = input.data();
        size_t inLeft = static_cast<size_t>(input.size());
        char* outAt = out;
        size_t outLeft = sizeof out;
        if (iconv(m_handle, &in, &inLeft, &outAt, &outLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        return QByteArray(out, static_cast<qsizetype>(outAt - out));
    }

private:
    iconv_t m_handle;
};

static QByteArray utf32le(char32_t cp)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((cp >> (8 * i)) & 0xFF);
    return bytes;
}

class TestWindows1251 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyCharacterOfTheBasicPlaneAgreesWithIconv()
    {
        Iconv toCodePage("WINDOWS-1251", "UTF-32LE");
        QVERIFY(toCodePage.valid());
        int mapped = 0;
        for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
            const std::optional<QByteArray> reference = toCodePage.convert(utf32le(cp));
            const QString text(QChar(static_cast<char16_t>(cp)));
            if (reference) {
                QVERIFY2(inWindows1251(cp), qPrintable(QString::number(cp, 16)));
                QCOMPARE(toWindows1251(text), *reference);
                ++mapped;
            } else {
                QVERIFY2(!inWindows1251(cp), qPrintable(QString::number(cp, 16)));
                QCOMPARE(toWindows1251(text), QByteArray("?"));
            }
        }
        QCOMPARE(mapped, 255); // every byte but 0x98
    }

    void everyByteAgreesWithIconv()
    {
        Iconv fromCodePage("UTF-32LE", "WINDOWS-1251");
        QVERIFY(fromCodePage.valid());
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, static_cast<char>(b));
            const std::optional<QByteArray> reference = fromCodePage.convert(byte);
            const QString ours = fromWindows1251(byte);
            QCOMPARE(ours.size(), 1);
            if (reference) {
                QCOMPARE(reference->size(), 4);
                const char32_t cp = static_cast<unsigned char>(reference->at(0)) |
                                    static_cast<unsigned char>(reference->at(1)) << 8 |
                                    static_cast<unsigned char>(reference->at(2)) << 16;
                QCOMPARE(ours.at(0).unicode(), static_cast<char16_t>(cp));
            } else {
                QCOMPARE(b, 0x98);
                QCOMPARE(ours, QString(QChar(0xFFFD)));
            }
        }
    }

    void textRoundTrips()
    {
        const QString text = QStringLiteral("Ёлкин ёж №5 «Щука» — 100 €");
        const QByteArray bytes = toWindows1251(text);
        QCOMPARE(bytes, QByteArray("\xa8\xeb\xea\xe8\xed \xb8\xe6 \xb9"
                                   "5 \xab\xd9\xf3\xea\xe0"
                                   "\xbb \x97 100 \x88"));
        QCOMPARE(fromWindows1251(bytes), text);
    }

    void unmappableCharactersBecomeOneQuestionMarkEach_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("é") << QStringLiteral("Renée") << QByteArray("Ren?e");
        QTest::newRow("surrogate pair") << QStringLiteral("a😀b") << QByteArray("a?b");
        QTest::newRow("lone high surrogate")
            << (QStringLiteral("a") + QChar(0xD83D)) << QByteArray("a?");
        QTest::newRow("lone low surrogate")
            << (QChar(0xDE00) + QStringLiteral("b")) << QByteArray("?b");
        QTest::newRow("U+0098") << QString(QChar(0x98)) << QByteArray("?");
    }
    void unmappableCharactersBecomeOneQuestionMarkEach()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWindows1251(text), bytes);
    }
};

QTEST_GUILESS_MAIN(TestWindows1251)
#include "tst_windows1251.moc"
