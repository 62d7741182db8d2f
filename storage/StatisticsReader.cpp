#include "storage/StatisticsReader.h"

#include "state/AnswerCodes.h"
#include "state/SubjectCatalogue.h"
#include "storage/SurveyRecord.h"
#include "storage/Windows1251.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace StatisticsReader {
namespace {

using AnswerCodes::Question;
using SurveyRecord::Field;
using SurveyRecord::Layout;
using SurveyRecord::PlaceWidth;

// Big enough to read a file at the speed of the disk, small enough to never matter.
constexpr qsizetype BufferSize = 64 * 1024;
// How much of a line that is not a counter the message quotes.
constexpr qsizetype QuotedLength = 40;

constexpr std::size_t indexOf(std::string_view name)
{
    for (std::size_t i = 0; i < Layout.size(); ++i)
        if (std::string_view(Layout[i].name) == name)
            return i;
    return Layout.size(); // not a field: the constant below then fails to compile
}

constexpr const Field& SurnameField = Layout[indexOf("Surname")];
constexpr const Field& GenderField = Layout[indexOf("GenderCode")];
constexpr const Field& GradesField = Layout[indexOf("GradesAnswer")];
constexpr const Field& HomeworkField = Layout[indexOf("HomeworkAnswer")];
constexpr const Field& DistractionField = Layout[indexOf("DistractionAnswer")];
constexpr const Field& InterestField = Layout[indexOf("InterestAnswer")];
constexpr const Field& FavouriteField = Layout[indexOf("FavouriteTeachersAnswer")];
constexpr const Field& DemandingField = Layout[indexOf("DemandingTeachersAnswer")];
constexpr const Field& ExtraField = Layout[indexOf("ExtraAnswer")];
constexpr const Field& ClassmatesField = Layout[indexOf("ClassmateChoiceAnswer")];
constexpr const Field& GradesSecondsField = Layout[indexOf("GradesSeconds")];
constexpr const Field& DemandingSecondsField = Layout[indexOf("DemandingTeachersSeconds")];

// The fields as the staff call them in the messages.
struct FieldTitle
{
    const char* field;
    const char* title;
};
constexpr std::array<FieldTitle, 12> FieldTitles{{
    {"Surname", "фамилия"},
    {"GenderCode", "пол"},
    {"GradesAnswer", "оценка"},
    {"HomeworkAnswer", "домашнее задание"},
    {"DistractionAnswer", "отвлечение на уроке"},
    {"InterestAnswer", "интерес к предмету"},
    {"FavouriteTeachersAnswer", "любимые учителя"},
    {"DemandingTeachersAnswer", "требовательные учителя"},
    {"ExtraAnswer", "дополнительные области"},
    {"ClassmateChoiceAnswer", "выбор одноклассников"},
    {"GradesSeconds", "секунды на экране оценок"},
    {"DemandingTeachersSeconds", "секунды теста до требовательных учителей"},
}};

QString titleOf(const Field& field)
{
    for (const FieldTitle& t : FieldTitles)
        if (qstrcmp(t.field, field.name) == 0)
            return QString::fromUtf8(t.title);
    return QString::fromLatin1(field.name);
}

const Field* fieldAt(qsizetype position)
{
    for (const Field& field : Layout)
        if (position >= field.position && position < field.position + field.width)
            return &field;
    return nullptr;
}

// What is left of a place once its trailing blanks are taken off: only U+0020, so that a
// no-break space (0xA0) or a leading blank stays and shows that the value is not a code.
QByteArrayView trailingBlanksOff(QByteArrayView bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && bytes[n - 1] == ' ')
        --n;
    return bytes.first(n);
}

// A text to quote in a message: no control characters, nothing of unbounded length.
QString quoted(QByteArrayView bytes)
{
    QString text = fromWindows1251(bytes.first(std::min(bytes.size(), QuotedLength)));
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == 0xFFFD)
            c = QLatin1Char('?');
    }
    if (bytes.size() > QuotedLength)
        text += QStringLiteral("…");
    return text;
}

// The checks of one record line of 804 bytes for one class; the first failure is the reason.
class RecordCheck
{
public:
    RecordCheck(QByteArrayView line, const QString& classNumber)
        : m_line(line), m_class(classNumber)
    {
    }

    std::optional<Answers> answers()
    {
        Answers a;
        a.surname = text(SurnameField, 0);
        if (!code(GenderField, 0, Question::Gender, a.genderCode, QString()))
            return std::nullopt;
        if (!subjectPlaces(GradesField, Question::Grades, a.grades) ||
            !subjectPlaces(HomeworkField, Question::Homework, a.homework) ||
            !subjectPlaces(DistractionField, Question::Distraction, a.distraction) ||
            !subjectPlaces(InterestField, Question::Interest, a.interest) ||
            !teacherPlaces(FavouriteField, a.favourite) ||
            !teacherPlaces(DemandingField, a.demanding))
            return std::nullopt;
        for (int n = 0; n < static_cast<int>(a.extra.size()); ++n)
            if (!code(ExtraField, n, Question::Extra, a.extra[static_cast<std::size_t>(n)],
                      QString::fromUtf8(
                          AnswerCodes::extraAreas()[static_cast<std::size_t>(n)].caption)
                          .toLower()))
                return std::nullopt;
        for (std::size_t n = 0; n < a.classmates.size(); ++n)
            a.classmates[n] = text(ClassmatesField, static_cast<int>(n));
        if (!seconds(GradesSecondsField, a.gradesSeconds) ||
            !seconds(DemandingSecondsField, a.demandingSeconds))
            return std::nullopt;
        return a;
    }

    const QString& reason() const { return m_reason; }

private:
    QByteArrayView place(const Field& field, int n) const
    {
        return m_line.sliced(field.position - 1 + n * PlaceWidth, PlaceWidth);
    }

    QString text(const Field& field, int n) const
    {
        return fromWindows1251(trailingBlanksOff(place(field, n)));
    }

    // "поз. 37–48 (оценка: физика)"
    QString where(const Field& field, int n, const QString& detail) const
    {
        const int first = field.position + n * PlaceWidth;
        QString title = titleOf(field);
        if (!detail.isEmpty())
            title += QStringLiteral(": ") + detail;
        return QStringLiteral("поз. %1–%2 (%3)").arg(first).arg(first + PlaceWidth - 1).arg(title);
    }

    bool fail(const QString& reason)
    {
        m_reason = reason;
        return false;
    }

    bool invalidValue(const Field& field, int n, const QString& detail)
    {
        return fail(QStringLiteral("%1: недопустимое значение «%2»")
                        .arg(where(field, n, detail), quoted(trailingBlanksOff(place(field, n)))));
    }

    bool code(const Field& field, int n, Question question, QString& value, const QString& detail)
    {
        value = text(field, n);
        if (!AnswerCodes::isValid(AnswerCodes::scale(question), value, false))
            return invalidValue(field, n, detail);
        return true;
    }

    QString subjectName(int number) const
    {
        return SubjectCatalogue::heading(number, m_class).toLower();
    }

    // A subject the class has holds one of the scale's codes; one it does not have holds "0".
    bool subjectPlaces(const Field& field, Question question, std::array<QString, 10>& values)
    {
        for (int number = 1; number <= SubjectCatalogue::SubjectCount; ++number) {
            QString& value = values[static_cast<std::size_t>(number - 1)];
            if (SubjectCatalogue::taughtIn(number, m_class)) {
                if (!code(field, number - 1, question, value, subjectName(number)))
                    return false;
                continue;
            }
            value = text(field, number - 1);
            if (value != QLatin1String("0"))
                return fail(QStringLiteral("%1: этого предмета нет в %2 классе, должно быть «0», "
                                           "а стоит «%3»")
                                .arg(where(field, number - 1, subjectName(number)), m_class,
                                     quoted(trailingBlanksOff(place(field, number - 1)))));
        }
        return true;
    }

    // Three different subjects of the class, as their numbers.
    bool teacherPlaces(const Field& field, std::array<QString, 3>& values)
    {
        std::array<bool, SubjectCatalogue::SubjectCount + 1> marked{};
        for (int n = 0; n < static_cast<int>(values.size()); ++n) {
            QString& value = values[static_cast<std::size_t>(n)];
            value = text(field, n);
            bool isNumber = false;
            const int number = value.toInt(&isNumber);
            if (!isNumber || number < AnswerCodes::FirstTeacherCode ||
                number > AnswerCodes::LastTeacherCode || QString::number(number) != value)
                return invalidValue(field, n, QString());
            const QString subject =
                QStringLiteral("предмет %1 (%2)").arg(value, subjectName(number));
            if (!SubjectCatalogue::taughtIn(number, m_class))
                return fail(QStringLiteral("%1: %2 — его нет в %3 классе")
                                .arg(where(field, n, QString()), subject, m_class));
            if (marked[static_cast<std::size_t>(number)])
                return fail(QStringLiteral("%1: %2 отмечен дважды")
                                .arg(where(field, n, QString()), subject));
            marked[static_cast<std::size_t>(number)] = true;
        }
        return true;
    }

    // A number place: decimal digits, a minus before them when negative, blanks after them.
    bool seconds(const Field& field, qint32& value)
    {
        static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,11}$"));
        const QString text = this->text(field, 0);
        bool fits = false;
        const qlonglong parsed = text.toLongLong(&fits);
        if (!number.match(text).hasMatch() || !fits ||
            parsed < std::numeric_limits<qint32>::min() ||
            parsed > std::numeric_limits<qint32>::max())
            return invalidValue(field, 0, QString());
        value = static_cast<qint32>(parsed);
        return true;
    }

    QByteArrayView m_line;
    QString m_class;
    QString m_reason;
};

// Bytes that no record holds: the control bytes, and 0x98, which has no character in the code
// page (0x80 … 0x9F are letters and signs there).
QString badByteReason(QByteArrayView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b >= 0x20 && b != 0x7F && b != 0x98)
            continue;
        const Field* field = fieldAt(i + 1);
        const QString where = field ? QStringLiteral("поз. %1 (%2)").arg(i + 1).arg(titleOf(*field))
                                    : QStringLiteral("поз. %1").arg(i + 1);
        const QString hex = QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        if (b == 0x98)
            return QStringLiteral("%1: байт 0x98 — в кодировке Windows-1251 такого знака нет")
                .arg(where);
        return QStringLiteral("%1: управляющий байт 0x%2 — в записи его быть не может")
            .arg(where, hex);
    }
    return {};
}

// The lines of a device, each without its line end, read through a buffer of fixed size; of a
// line longer than MaxLineLength only the length is kept.
class LineReader
{
public:
    explicit LineReader(QIODevice& device)
        : m_device(device), m_buffer(BufferSize, Qt::Uninitialized)
    {
    }

    struct Line
    {
        QByteArray bytes; // empty when the line is longer than MaxLineLength
        qint64 length = 0;
    };

    // False at the end, or when reading failed (failed() tells).
    bool next(Line& line)
    {
        line.bytes.clear();
        line.length = 0;
        bool any = false;
        for (;;) {
            if (m_pos == m_end && !fill())
                return any; // a last line without a line end is a line all the same
            any = true;
            const qsizetype end = std::min(nextOf('\r', m_nextCr), nextOf('\n', m_nextLf));
            append(line, end);
            if (end == m_end) {
                m_pos = m_end;
                continue;
            }
            const char ended = m_buffer.at(end);
            m_pos = end + 1;
            if (ended == '\r') {
                if (m_pos == m_end && !fill())
                    return true;
                if (m_buffer.at(m_pos) == '\n')
                    ++m_pos;
            }
            return true;
        }
    }

    bool failed() const { return m_failed; }

private:
    bool fill()
    {
        const qint64 n = m_device.read(m_buffer.data(), BufferSize);
        if (n <= 0) {
            m_failed = n < 0;
            return false;
        }
        m_pos = 0;
        m_end = static_cast<qsizetype>(n);
        m_nextCr = m_nextLf = -1;
        return true;
    }

    // Where the next byte c is from m_pos on (m_end if there is none), remembered in `cached` so
    // that short lines do not search the rest of the buffer again for a byte it does not hold.
    qsizetype nextOf(char c, qsizetype& cached) const
    {
        if (cached < m_pos) {
            const char* data = m_buffer.constData();
            const void* found =
                std::memchr(data + m_pos, c, static_cast<std::size_t>(m_end - m_pos));
            cached = found ? static_cast<const char*>(found) - data : m_end;
        }
        return cached;
    }

    void append(Line& line, qsizetype end)
    {
        const qsizetype n = end - m_pos;
        if (line.length + n <= MaxLineLength)
            line.bytes.append(m_buffer.constData() + m_pos, n);
        else
            line.bytes.clear();
        line.length += n;
    }

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
    bool m_failed = false;
};

} // namespace

std::optional<FileName> parseFileName(const QString& fileName)
{
    static const QRegularExpression rule(
        QStringLiteral("^(5|6|7|8|9|10|11)([АБВГДЕ]?) 0\\.([0-9]{2})c$"));
    const QRegularExpressionMatch match = rule.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return FileName{match.captured(1), match.captured(2), 2000 + match.captured(3).toInt()};
}

std::optional<qint64> parseCounterLine(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    if (i == line.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

QString lengthReason(qint64 length)
{
    const int full = SurveyRecord::Length;
    if (length == 0)
        return QStringLiteral("пустая строка вместо записи");
    if (length > MaxLineLength)
        return QStringLiteral("строка длиной %1 байт — не запись (в записи %2 знака), строка не "
                              "прочитана")
            .arg(length)
            .arg(full);
    if (length == full - PlaceWidth)
        return QStringLiteral("длина записи %1 вместо %2: старая запись, в которой не записано "
                              "одно из значений секунд (1000 или больше)")
            .arg(length)
            .arg(full);
    if (length == full - 2 * PlaceWidth)
        return QStringLiteral("длина записи %1 вместо %2: старая запись, в которой не записаны "
                              "оба значения секунд (1000 или больше)")
            .arg(length)
            .arg(full);
    return QStringLiteral("длина записи %1 вместо %2").arg(length).arg(full);
}

LineResult parseRecordLine(QByteArrayView line, const QString& classNumber)
{
    if (line.size() != SurveyRecord::Length)
        return {std::nullopt, lengthReason(line.size())};
    if (QString reason = badByteReason(line); !reason.isEmpty())
        return {std::nullopt, reason};
    RecordCheck check(line, classNumber);
    std::optional<Answers> answers = check.answers();
    return {std::move(answers), answers ? QString() : check.reason()};
}

FileContents readFile(const QString& path, const Handlers& handlers)
{
    FileContents contents;
    contents.path = path;
    contents.name = parseFileName(QFileInfo(path).fileName());
    const auto report = [&](qint64 line, const QString& reason) {
        Problem problem{line, reason};
        if (handlers.onProblem)
            handlers.onProblem(problem);
        else
            contents.problems.push_back(std::move(problem));
    };
    const auto finish = [&] {
        std::stable_sort(contents.problems.begin(), contents.problems.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
        return contents;
    };

    if (!contents.name)
        report(0, QStringLiteral("имя файла не по правилу «<класс><буква> 0.<год>c» (например, "
                                 "«7Б 0.17c»): класс неизвестен, записи не проверены"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        report(0, QStringLiteral("файл не открывается: %1").arg(file.errorString()));
        return finish();
    }

    LineReader reader(file);
    LineReader::Line line;
    if (!reader.next(line)) {
        report(0, reader.failed() ? QStringLiteral("файл не читается: %1").arg(file.errorString())
                                  : QStringLiteral("файл пуст: в нём нет ни счётчика, ни записей"));
        return finish();
    }
    if (line.length <= MaxLineLength)
        contents.counter = parseCounterLine(line.bytes);
    if (!contents.counter)
        report(1, line.length > MaxLineLength
                      ? QStringLiteral("первая строка длиной %1 байт — не счётчик записей")
                            .arg(line.length)
                      : QStringLiteral("первая строка — не счётчик записей: «%1»")
                            .arg(quoted(line.bytes)));

    qint64 number = 1;
    while (reader.next(line)) {
        ++number;
        ++contents.recordLines;
        if (!contents.name)
            continue;
        LineResult result = line.length > MaxLineLength
                                ? LineResult{std::nullopt, lengthReason(line.length)}
                                : parseRecordLine(line.bytes, contents.name->classNumber);
        if (!result.answers) {
            report(number, result.reason);
            continue;
        }
        ++contents.validRecords;
        Record record{number, std::move(*result.answers)};
        if (handlers.onRecord)
            handlers.onRecord(record);
        else
            contents.records.push_back(std::move(record));
    }
    if (reader.failed())
        report(number + 1, QStringLiteral("файл прочитан не до конца: %1").arg(file.errorString()));
    if (contents.counter && *contents.counter != contents.recordLines)
        report(1, QStringLiteral("счётчик записей в первой строке — %1, а записей в файле %2")
                      .arg(*contents.counter)
                      .arg(contents.recordLines));
    return finish();
}

FileContents readFile(const QString& path)
{
    return readFile(path, Handlers{});
}

} // namespace StatisticsReader
