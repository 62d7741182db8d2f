#include "tools/Tool.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// survey-data roster over real workbooks (written by tests/fixtures/make_rosters.py), copied into
// a temporary working folder under the names the survey program looks for.
namespace {

QString fixture(const QString& fileName)
{
    return QDir(QStringLiteral(ROSTER_FIXTURES_DIR)).absoluteFilePath(fileName);
}

struct Result
{
    int status = -1;
    QString out;
    QString err;

    // The lines under "Предупреждения:", without their dash.
    QStringList warnings() const
    {
        QStringList found;
        for (const QString& line : out.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("    - ")))
                found.append(line.mid(6));
        return found;
    }
    QStringList lines() const { return out.split(QLatin1Char('\n')); }
};

Result runTool(const QStringList& arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Result result;
    result.status =
        SurveyData::run(QStringList{QStringLiteral("roster")} + arguments, out, err, false, false);
    result.out = QString::fromUtf8(out.data());
    result.err = QString::fromUtf8(err.data());
    return result;
}

} // namespace

class TestRoster : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The fixture copied into the working folder as name.
    QString place(const QString& source, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return QFile::copy(fixture(source), path) ? path : QString();
    }

private Q_SLOTS:
    void printsTheNamesAndEachWarning_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");    // lines the output must have
        QTest::addColumn<QStringList>("warnings"); // exactly these, in this order

        QTest::newRow("a clean roster")
            << "roster25.xls"
            << "8А.xls"
            << QStringList{"  Лист: «8А» — активный лист книги, 1-й по счёту",
                           "  Занятая область: A1:B25 (строк: 25, столбцов: 2); имена из столбца A",
                           "    A1     «Абрамова····»",
                           "    A10    «Кузнецов····»",
                           "    A25    «Щербакова···»",
                           "  Итог: список годится, предупреждений нет."}
            << QStringList{};
        QTest::newRow("more than 33")
            << "forty.xls"
            << "8А.xls"
            << QStringList{"    A40    «Сергеева····»",
                           "  Итог: список годится, предупреждений: 1."}
            << QStringList{"строк в списке 40, а таблица показывает сразу только 33: остальные "
                           "имена видны лишь после прокрутки"};
        QTest::newRow("cut at 12")
            << "name_lengths.xls"
            << "8А.xls" << QStringList{"    A2     «Богородицкий»", "    A3     «Александровс»"}
            << QStringList{"A3: имя длиннее 12 знаков и будет обрезано: «Александровский» → "
                           "«Александровс»"};
        QTest::newRow("identical after the cut")
            << "duplicates.xls"
            << "8А.xls" << QStringList{"    A3     «Иванов······»", "    A6     «············»"}
            << QStringList{
                   "A4: имя длиннее 12 знаков и будет обрезано: «Константинов·Иван» → "
                   "«Константинов»",
                   "A5: имя длиннее 12 знаков и будет обрезано: «Константинов·Пётр» → "
                   "«Константинов»",
                   "A1, A3: одинаковые имена «Иванов······» — при выборе одноклассников их не "
                   "различить",
                   "A4, A5: одинаковые имена «Константинов» — при выборе одноклассников их не "
                   "различить",
                   "пустые строки: A6 — в таблице на их месте пустые кнопки"};
        QTest::newRow("outside the code page")
            << "code_page.xls"
            << "8А.xls" << QStringList{"    A2     «Ёлкина······»", "    A3     «Орлова␊Анна·»"}
            << QStringList{"A1: знаков «é» нет в кодировке Windows-1251, в файле статистики имя "
                           "будет «Ren?e·······»",
                           "A3: в имени есть управляющие знаки (перевод строки, табуляция), в "
                           "файле статистики имя будет «Орлова·Анна·»",
                           "A4: знаков «Ł» нет в кодировке Windows-1251, в файле статистики имя "
                           "будет «?ukasz·Nowak»"};
        QTest::newRow("a gap, from B3")
            << "gap_from_b3.xls"
            << "8А.xls"
            << QStringList{"  Занятая область: B3:B12 (строк: 10, столбцов: 1); имена из столбца B",
                           "    B3     «Абрамова····»", "    B7     (пусто)"}
            << QStringList{"пустые строки: B7 — в таблице на их месте пустые кнопки"};
        QTest::newRow("numbers, a date, booleans, an error")
            << "numbers.xls"
            << "8А.xls"
            << QStringList{"    A1     «25··········»", "    A7     «2024-09-01··»",
                           "    A11    «Петров······»"}
            << QStringList{"A1–A6: числа вместо фамилий — программа берёт первый столбец занятой "
                           "области (A)",
                           "A7: даты вместо фамилий — программа берёт первый столбец занятой "
                           "области (A)",
                           "A8–A9: логические значения вместо фамилий — программа берёт первый "
                           "столбец занятой области (A)",
                           "A10: ошибки вычислений вместо фамилий — программа берёт первый "
                           "столбец занятой области (A)"};
        QTest::newRow("formulas")
            << "formulas.xls"
            << "8А.xls"
            << QStringList{"  Занятая область: A1:A3 (строк: 3, столбцов: 1); имена из столбца A",
                           "    A2     (пусто)"}
            << QStringList{"A2, A4–A5: формулы — программа не видит их значений, строки "
                           "останутся пустыми; замените формулы значениями"};
        QTest::newRow("second sheet active")
            << "two_sheets_second_active.xls"
            << "8А.xls"
            << QStringList{"  Лист: «Текущий» — активный лист книги, 2-й по счёту",
                           "    A1     «Абрамова····»"}
            << QStringList{"активный лист книги не первый: программа возьмёт лист «Текущий» "
                           "(2-й по счёту)"};
        QTest::newRow("an empty sheet")
            << "empty_sheet.xls"
            << "8А.xls"
            << QStringList{"  Занятая область: A1 (строк: 1, столбцов: 1); имена из столбца A",
                           "    A1     (пусто)"}
            << QStringList{"в списке нет ни одного имени: выбрать фамилию будет не из чего"};
        QTest::newRow("a name the program never looks for")
            << "roster25.xls"
            << "8a.xls" << QStringList{"    A1     «Абрамова····»"}
            << QStringList{"программа не откроет файл с именем «8a.xls»: список называется как "
                           "класс, например «8А.xls»"};
    }
    void printsTheNamesAndEachWarning()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, warnings);
        const QString path = place(source, name);
        QVERIFY(!path.isEmpty());
        const Result result = runTool({path});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);
        QCOMPARE(result.lines().value(0), QStringLiteral("Список «%1»").arg(path));
        for (const QString& line : lines)
            QVERIFY2(result.lines().contains(line), qPrintable(line + "\n---\n" + result.out));
        QCOMPARE(result.warnings(), warnings);
    }

    void refusesWhatTheProgramCannotRead_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "empty.xls"
                               << "Не удалось прочитать список класса «8А.xls»: файл пуст.";
        QTest::newRow("damaged container")
            << "cfb_fat_cycle.xls"
            << "Не удалось прочитать список класса «8А.xls»: файл повреждён.";
        QTest::newRow("truncated")
            << "truncated_1500.xls"
            << "Не удалось прочитать список класса «8А.xls»: файл повреждён.";
        QTest::newRow("password")
            << "password.xls"
            << "Не удалось прочитать список класса «8А.xls»: книга защищена паролем.";
        QTest::newRow("xlsx") << "zip_file.xls"
                              << "Не удалось прочитать список класса «8А.xls»: книга сохранена в "
                                 "формате .xlsx, а нужен формат «Книга Excel 97–2003» (.xls).";
        QTest::newRow("text") << "text_file.xls"
                              << "Не удалось прочитать список класса «8А.xls»: это не книга Excel.";
    }
    void refusesWhatTheProgramCannotRead()
    {
        QFETCH(QString, source);
        QFETCH(QString, message);
        const QString path = place(source, QStringLiteral("8А.xls"));
        QVERIFY(!path.isEmpty());
        const Result result = runTool({path});
        QCOMPARE(result.status, 1);
        QCOMPARE(result.err, path + QStringLiteral(": ") + message + QLatin1Char('\n'));
        QCOMPARE(result.out, QString());
    }

    void aReadableAndAnUnreadableGiveOne()
    {
        const QString good = place("roster25.xls", "8А.xls");
        const QString bad = place("empty.xls", "8Б.xls");
        const Result result = runTool({good, bad});
        QCOMPARE(result.status, 1);
        QVERIFY(result.out.contains(QStringLiteral("    A25    «Щербакова···»")));
        QCOMPARE(result.err, bad + ": Не удалось прочитать список класса «8Б.xls»: файл пуст.\n");
    }

    void checksAWorkingFolder()
    {
        QTemporaryDir lab;
        const auto put = [&lab](const QString& source, const QString& name) {
            return QFile::copy(fixture(source), lab.filePath(name));
        };
        QVERIFY(put("roster25.xls", "8А.xls"));
        QVERIFY(put("name_lengths.xls", "5.xls"));
        QVERIFY(put("empty.xls", "9Б.xls"));
        QVERIFY(put("roster25.xls", "8a.xls")); // a Latin letter: never found
        QVERIFY(put("zip_file.xls", "7В.xlsx"));
        QVERIFY(put("roster25.xls", "notes.txt"));
        const Result result = runTool({lab.path()});
        QCOMPARE(result.status, 1);
        QCOMPARE(result.err, lab.filePath("9Б.xls") +
                                 ": Не удалось прочитать список класса «9Б.xls»: файл пуст.\n");
        const qsizetype fifth = result.out.indexOf("Список «" + lab.filePath("5.xls") + "»\n");
        const qsizetype eighth = result.out.indexOf("Список «" + lab.filePath("8А.xls") + "»\n");
        QVERIFY(fifth >= 0);
        QVERIFY(eighth > fifth);
        QVERIFY(result.warnings().contains("A3: имя длиннее 12 знаков и будет обрезано: "
                                           "«Александровский» → «Александровс»"));
        QVERIFY(!result.out.contains("8a.xls»\n"));
        const QStringList lines = result.lines();
        QVERIFY(lines.contains("Папка «" + lab.path() +
                               "»: списки есть у классов 5, 8А, 9Б (всего 3); не читаются: 9Б. "
                               "У остальных классов списка нет: ученики введут фамилию сами."));
        QVERIFY(lines.contains("Программа не откроет: 7В.xlsx, 8a.xls — список называется как "
                               "класс: номер 5–11, русская буква А–Е или без буквы и «.xls», "
                               "например «8А.xls»."));
    }

    void aFolderWithoutRosters()
    {
        QTemporaryDir lab;
        QVERIFY(QDir(lab.path()).mkdir("STAT"));
        const Result result = runTool({lab.path()});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.out, "Папка «" + lab.path() +
                                 "»: списков классов нет — ученики всех классов введут фамилию "
                                 "сами.\n");
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QStringList{}
                                 << "survey-data roster: не указан ни один список класса или "
                                    "папка. Справка: survey-data roster --help\n";
        QTest::newRow("unknown option") << QStringList{"--quiet", "8А.xls"}
                                        << "survey-data roster: неизвестный параметр «--quiet»\n";
        QTest::newRow("missing file")
            << QStringList{"нет-такого.xls"}
            << "survey-data roster: «нет-такого.xls»: нет такого файла или папки\n";
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Result result = runTool(arguments);
        QCOMPARE(result.status, 2);
        QCOMPARE(result.err, message);
        QCOMPARE(result.out, QString());
    }

    void helpIsRussian()
    {
        const Result result = runTool({"--help"});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.startsWith("Использование: survey-data roster ФАЙЛ.xls… | ПАПКА…\n"));
        QVERIFY(result.out.contains("1 — книгу не прочитать"));
    }
};

QTEST_GUILESS_MAIN(TestRoster)
#include "tst_roster.moc"
