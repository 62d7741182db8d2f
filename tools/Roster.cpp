#include "storage/RosterNames.h"
#include "storage/RosterWorkbook.h"
#include "storage/Windows1251.h"
#include "tools/Tool.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <iterator>

// survey-data roster: what the survey program will read from class roster workbooks, through the
// program's own reader (storage/RosterNames.h), and what of it will surprise the class.
namespace SurveyData {
namespace {

using RosterNames::Reading;

const QString Name = QStringLiteral("roster");

QString help()
{
    return QStringLiteral(
        "Использование: survey-data roster ФАЙЛ.xls… | ПАПКА…\n"
        "Показывает, что программа анкетирования прочитает из списка класса: лист, который она\n"
        "возьмёт (активный лист книги), его занятую область и каждое имя так, как оно встанет\n"
        "в таблицы выбора (12 знаков; пробел показан знаком «·»). Предупреждает о том, что\n"
        "удивит класс: больше 33 строк (таблица их не покажет сразу), имена длиннее 12 знаков,\n"
        "одинаковые имена, знаки вне кодировки Windows-1251, пустые строки, числа, даты и формулы\n"
        "вместо фамилий, активный лист не первый.\n\n"
        "ПАПКА — рабочая папка программы: проверяются все списки классов в ней (файлы вида\n"
        "«8А.xls»: номер класса 5–11, русская буква А–Е или без буквы), и выводится, у каких\n"
        "классов списки есть.\n\n"
        "  -h, --help  эта справка\n\n"
        "Коды завершения: 0 — списки годятся (и с предупреждениями), 1 — книгу не прочитать\n"
        "(с тем сообщением, которое увидит ученик), 2 — ошибка в параметрах или путь не найден.\n");
}

// A roster of many thousand rows names a cell on every line of the report: the names are
// appended in place rather than built as strings of their own.
void appendColumnLetters(QString& out, int column)
{
    char16_t letters[8];
    qsizetype at = std::size(letters);
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters[--at] = char16_t(u'A' + (n - 1) % 26);
    out.append(reinterpret_cast<const QChar*>(letters + at), qsizetype(std::size(letters)) - at);
}

void appendCellName(QString& out, int column, int row)
{
    appendColumnLetters(out, column);
    if (row < 0) {
        out += QString::number(row);
        return;
    }
    char16_t digits[12];
    qsizetype at = std::size(digits);
    do {
        digits[--at] = char16_t(u'0' + row % 10);
        row /= 10;
    } while (row > 0);
    out.append(reinterpret_cast<const QChar*>(digits + at), qsizetype(std::size(digits)) - at);
}

QString columnLetters(int column)
{
    QString letters;
    appendColumnLetters(letters, column);
    return letters;
}

QString cellName(int column, int row)
{
    QString name;
    appendCellName(name, column, row);
    return name;
}

// "A3, A5–A9": the rows (sorted) of one column, runs of neighbours joined.
QString cellList(int column, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    QStringList parts;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        parts.append(last == i
                         ? cellName(column, rows[i])
                         : cellName(column, rows[i]) + QChar(u'–') + cellName(column, rows[last]));
        i = last + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// A grid text with its blanks made visible, and its control characters (a line break typed
// into a cell) drawn as their pictures, so that each name keeps to one line.
// Every character stands for one character, so the text is written in place.
void appendShown(QString& out, QStringView text)
{
    const qsizetype at = out.size();
    out.resize(at + text.size() + 2);
    QChar* to = out.data() + at;
    *to++ = QChar(u'«');
    for (const QChar c : text) {
        if (c == QLatin1Char(' '))
            *to++ = QChar(u'·');
        else if (c.unicode() < 0x20)
            *to++ = QChar(char16_t(0x2400 + c.unicode()));
        else if (c.unicode() == 0x7F)
            *to++ = QChar(u'\u2421');
        else
            *to++ = c;
    }
    *to = QChar(u'»');
}

QString shown(const QString& text)
{
    QString visible;
    appendShown(visible, text);
    return visible;
}

bool isNumberLike(ExcelValue::Type type)
{
    return type == ExcelValue::Type::Integer || type == ExcelValue::Type::Double;
}

// The characters of a grid text that the statistics file cannot hold, each once.
QString outsideCodePage(const QString& text)
{
    const auto inCodePage = [](QChar c) { return !c.isSurrogate() && inWindows1251(c.unicode()); };
    if (std::all_of(text.cbegin(), text.cend(), inCodePage))
        return QString(); // nearly every name: nothing to collect
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            character += text.at(++i);
        const bool held = character.size() == 1 && !character.at(0).isSurrogate() &&
                          inWindows1251(character.at(0).unicode());
        if (!held && !found.contains(character))
            found += character;
    }
    return found;
}

// The rows of a roster grouped by the name the statistics file will hold them under, for the
// warning about names that cannot be told apart. Rows are counted as in Reading::rows, and added
// in that order. A roster of many thousand names costs a few small arrays here, not a string and
// a list for every name.
class SameNames
{
public:
    explicit SameNames(std::size_t rowCount)
        : m_record(rowCount, nullptr), m_next(rowCount, -1), m_last(rowCount, -1)
    {
        std::size_t slots = 16;
        while (slots < 2 * rowCount)
            slots *= 2;
        m_slots.assign(slots, -1);
        m_cleaned.reserve(rowCount); // never moved, so that m_record may point into it
    }

    // Row r is the name gridName, held in the statistics file as record.
    void add(int r, const QString& gridName, QString record)
    {
        const QString* held = &gridName;
        if (record != gridName)
            held = &m_cleaned.emplace_back(std::move(record));
        m_record[std::size_t(r)] = held;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = qHash(QStringView(*held), 0) & mask;; i = (i + 1) & mask) {
            int& first = m_slots[i];
            if (first < 0) { // a name not seen before
                first = r;
                m_last[std::size_t(r)] = r;
                ++m_names;
                return;
            }
            if (*m_record[std::size_t(first)] == *held) {
                m_next[std::size_t(m_last[std::size_t(first)])] = r;
                m_last[std::size_t(first)] = r;
                return;
            }
        }
    }

    bool isEmpty() const { return m_names == 0; }

    // The first row of every name that more than one row holds, in the order of the names.
    std::vector<int> repeated() const
    {
        std::vector<int> firsts;
        for (const int first : m_slots)
            if (first >= 0 && m_next[std::size_t(first)] >= 0)
                firsts.push_back(first);
        std::sort(firsts.begin(), firsts.end(), [this](int a, int b) { return name(a) < name(b); });
        return firsts;
    }
    const QString& name(int r) const { return *m_record[std::size_t(r)]; }
    int next(int r) const { return m_next[std::size_t(r)]; } // -1 after the last row of a name

private:
    std::vector<const QString*> m_record; // the record name of every row added
    std::vector<int> m_next;              // the next row of the same name
    std::vector<int> m_last;              // of a name's first row: its last row so far
    std::vector<int> m_slots;             // open addressing by the name's hash: a first row
    std::vector<QString> m_cleaned;       // record names that differ from the grid names
    std::size_t m_names = 0;
};

QStringList warningsOf(const Reading& roster)
{
    const int column = roster.firstColumn;
    const auto sheetRow = [&roster](std::size_t r) { return roster.firstRow + int(r); };
    QStringList warnings;

    if (roster.rowCount > RosterNames::VisibleRows)
        warnings.append(QStringLiteral("строк в списке %1, а таблица показывает сразу только %2: "
                                       "остальные имена видны лишь после прокрутки")
                            .arg(roster.rowCount)
                            .arg(RosterNames::VisibleRows));

    QList<int> emptyRows, numbers, dates, booleans, errors;
    // Looked up for every empty row; sorted once, a long column of formulas costs no rows ×
    // formulas comparisons.
    QList<int> formulaRows = roster.formulaRows;
    std::sort(formulaRows.begin(), formulaRows.end());
    SameNames byRecordName(roster.rows.size());
    QStringList perName;
    for (std::size_t r = 0; r < roster.rows.size(); ++r) {
        const RosterNames::Row& row = roster.rows[r];
        const int at = sheetRow(r);
        if (!row.name || RosterNames::isBlankName(*row.name)) {
            if (!std::binary_search(formulaRows.cbegin(), formulaRows.cend(), at))
                emptyRows.append(at);
            continue;
        }
        const QString& name = *row.name;
        if (row.text.size() > RosterNames::NameWidth &&
            !RosterNames::isBlankName(QStringView(row.text).sliced(RosterNames::NameWidth)))
            perName.append(QStringLiteral("%1: имя длиннее %2 знаков и будет обрезано: %3 → %4")
                               .arg(cellName(column, at))
                               .arg(RosterNames::NameWidth)
                               .arg(shown(row.text), shown(name)));
        const QString record = RosterNames::recordName(name);
        const QString unheld = outsideCodePage(name);
        if (!unheld.isEmpty())
            perName.append(QStringLiteral("%1: знаков «%2» нет в кодировке Windows-1251, в файле "
                                          "статистики имя будет %3")
                               .arg(cellName(column, at), unheld, shown(record)));
        else if (record != name)
            perName.append(QStringLiteral("%1: в имени есть управляющие знаки (перевод строки, "
                                          "табуляция), в файле статистики имя будет %2")
                               .arg(cellName(column, at), shown(record)));
        byRecordName.add(int(r), name, record);
        switch (row.value.type()) {
        case ExcelValue::Type::Date:
            dates.append(at);
            break;
        case ExcelValue::Type::Boolean:
            booleans.append(at);
            break;
        case ExcelValue::Type::Error:
            errors.append(at);
            break;
        default:
            if (isNumberLike(row.value.type()))
                numbers.append(at);
            break;
        }
    }
    warnings.append(perName);

    for (const int first : byRecordName.repeated()) {
        QString cells = cellName(column, sheetRow(std::size_t(first)));
        for (int r = byRecordName.next(first); r >= 0; r = byRecordName.next(r)) {
            cells += QStringLiteral(", ");
            appendCellName(cells, column, sheetRow(std::size_t(r)));
        }
        warnings.append(QStringLiteral("%1: одинаковые имена %2 — при выборе одноклассников "
                                       "их не различить")
                            .arg(cells, shown(byRecordName.name(first))));
    }

    if (byRecordName.isEmpty())
        warnings.append(QStringLiteral("в списке нет ни одного имени: выбрать фамилию будет не "
                                       "из чего"));
    else if (!emptyRows.isEmpty())
        warnings.append(QStringLiteral("пустые строки: %1 — в таблице на их месте пустые кнопки")
                            .arg(cellList(column, emptyRows)));

    const struct
    {
        const QList<int>& rows;
        const char* what;
    } kinds[] = {{numbers, "числа"},
                 {dates, "даты"},
                 {booleans, "логические значения"},
                 {errors, "ошибки вычислений"}};
    for (const auto& kind : kinds)
        if (!kind.rows.isEmpty())
            warnings.append(QStringLiteral("%1: %2 вместо фамилий — программа берёт первый "
                                           "столбец занятой области (%3)")
                                .arg(cellList(column, kind.rows), QString::fromUtf8(kind.what),
                                     columnLetters(column)));
    if (!roster.formulaRows.isEmpty())
        warnings.append(QStringLiteral("%1: формулы — программа не видит их значений, строки "
                                       "останутся пустыми; замените формулы значениями")
                            .arg(cellList(column, roster.formulaRows)));

    if (roster.sheetIndex != 1)
        warnings.append(QStringLiteral("активный лист книги не первый: программа возьмёт лист «%1» "
                                       "(%2-й по счёту)")
                            .arg(roster.sheetName, QString::number(roster.sheetIndex)));
    return warnings;
}

// Writes the report to out as it goes, a piece at a time: the report of a roster of many
// thousand rows is never held whole, in UTF-16 and again in UTF-8.
void writeReport(QIODevice& out, const QString& path, const Reading& roster,
                 const QStringList& warnings)
{
    constexpr qsizetype PieceSize = 16 * 1024; // characters
    const auto writeOut = [&out](QString& text) {
        out.write(text.toUtf8());
        text.resize(0); // keeps its room for the next piece
    };
    const int column = roster.firstColumn;
    const int lastRow = roster.firstRow + std::max(roster.rowCount, 1) - 1;
    const int lastColumn = column + std::max(roster.columnCount, 1) - 1;
    const QString range =
        roster.rowCount <= 1 && roster.columnCount <= 1
            ? cellName(column, roster.firstRow)
            : cellName(column, roster.firstRow) + QLatin1Char(':') + cellName(lastColumn, lastRow);
    QString text = QStringLiteral("Список «%1»\n").arg(path);
    text += QStringLiteral("  Лист: «%1» — активный лист книги, %2-й по счёту\n")
                .arg(roster.sheetName, QString::number(roster.sheetIndex));
    text += QStringLiteral("  Занятая область: %1 (строк: %2, столбцов: %3); имена из столбца %4\n")
                .arg(range)
                .arg(roster.rowCount)
                .arg(roster.columnCount)
                .arg(columnLetters(column));
    text += QStringLiteral("  Имена в таблицах (12 знаков, пробел показан знаком «·»):\n");
    // One line a row: the cell, left-aligned in six places, and the name.
    constexpr qsizetype CellPlaces = 6;
    text.reserve(PieceSize + 256);
    for (std::size_t r = 0; r < roster.rows.size(); ++r) {
        const RosterNames::Row& row = roster.rows[r];
        text += QStringLiteral("    ");
        const qsizetype cellAt = text.size();
        appendCellName(text, column, roster.firstRow + int(r));
        while (text.size() < cellAt + CellPlaces)
            text += QLatin1Char(' ');
        text += QLatin1Char(' ');
        if (row.name)
            appendShown(text, *row.name);
        else
            text += QStringLiteral("(пусто)");
        text += QLatin1Char('\n');
        if (text.size() >= PieceSize)
            writeOut(text);
    }
    if (warnings.isEmpty()) {
        text += QStringLiteral("  Итог: список годится, предупреждений нет.\n");
        writeOut(text);
        return;
    }
    text += QStringLiteral("  Предупреждения:\n");
    for (const QString& warning : warnings) {
        text += QStringLiteral("    - ");
        text += warning;
        text += QLatin1Char('\n');
        if (text.size() >= PieceSize)
            writeOut(text);
    }
    text += QStringLiteral("  Итог: список годится, предупреждений: %1.\n").arg(warnings.size());
    writeOut(text);
}

// Checks one workbook; false when the program could not read it.
bool checkWorkbook(Context& context, const QString& path, QStringList extraWarnings)
{
    Reading roster;
    try {
        roster = RosterNames::readRoster(QFileInfo(path).absoluteFilePath(), QLocale::system());
    } catch (const SurveyError& error) {
        context.message(QStringLiteral("%1: %2").arg(path, error.text()));
        return false;
    }
    writeReport(context.out, path, roster, extraWarnings + warningsOf(roster));
    return true;
}

QString className(const QString& workbookName)
{
    return workbookName.chopped(4); // ".xls"
}

// A working folder: every roster the program can find there, then which classes have one.
bool checkFolder(Context& context, const QString& path)
{
    const QDir folder(path);
    QStringList found, unreadable;
    bool allRead = true;
    for (const QString& workbookName : RosterNames::workbookNames()) {
        // The program's own existence test: a regular file of exactly that name.
        if (!QFileInfo(folder.filePath(workbookName)).isFile())
            continue;
        found.append(workbookName);
        if (checkWorkbook(context, QDir::toNativeSeparators(folder.filePath(workbookName)), {})) {
            context.out.write("\n");
        } else {
            unreadable.append(className(workbookName));
            allRead = false;
        }
    }
    QStringList missed; // a workbook, but not under a name the program looks for
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString name = entry.fileName();
        if ((name.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive) ||
             name.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) &&
            !found.contains(name, Qt::CaseInsensitive))
            missed.append(name);
    }

    QString text;
    if (found.isEmpty()) {
        text = QStringLiteral("Папка «%1»: списков классов нет — ученики всех классов введут "
                              "фамилию сами.\n")
                   .arg(path);
    } else {
        QStringList classes;
        for (const QString& workbookName : found)
            classes.append(className(workbookName));
        text = QStringLiteral("Папка «%1»: списки есть у классов %2 (всего %3)")
                   .arg(path, classes.join(QStringLiteral(", ")), QString::number(found.size()));
        if (!unreadable.isEmpty())
            text += QStringLiteral("; не читаются: %1").arg(unreadable.join(QStringLiteral(", ")));
        text += QStringLiteral(". У остальных классов списка нет: ученики введут фамилию сами.\n");
    }
    if (!missed.isEmpty())
        text += QStringLiteral("Программа не откроет: %1 — список называется как класс: номер "
                               "5–11, русская буква А–Е или без буквы и «.xls», например "
                               "«8А.xls».\n")
                    .arg(missed.join(QStringLiteral(", ")));
    context.out.write(text.toUtf8());
    return allRead;
}

} // namespace

int runRoster(Context& context)
{
    QStringList paths;
    for (const QString& arg : context.args) {
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            context.out.write(help().toUtf8());
            return Success;
        }
        if (arg.startsWith(QLatin1Char('-')))
            return context.usage(Name, QStringLiteral("неизвестный параметр «%1»").arg(arg));
        paths.append(arg);
    }
    if (paths.isEmpty())
        return context.usage(Name, QStringLiteral("не указан ни один список класса или папка. "
                                                  "Справка: survey-data roster --help"));
    for (const QString& path : paths)
        if (!QFileInfo::exists(path))
            return context.usage(Name,
                                 QStringLiteral("«%1»: нет такого файла или папки").arg(path));

    const QStringList workbookNames = RosterNames::workbookNames();
    bool allRead = true;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (i > 0)
            context.out.write("\n");
        const QString& path = paths[i];
        if (QFileInfo(path).isDir()) {
            allRead = checkFolder(context, path) && allRead;
            continue;
        }
        QStringList nameWarning;
        const QString fileName = QFileInfo(path).fileName();
        if (!workbookNames.contains(fileName))
            nameWarning.append(QStringLiteral("программа не откроет файл с именем «%1»: список "
                                              "называется как класс, например «8А.xls»")
                                   .arg(fileName));
        allRead = checkWorkbook(context, path, nameWarning) && allRead;
    }
    return allRead ? Success : InvalidData;
}

} // namespace SurveyData
