#include "storage/SurveyRecord.h"

#include <QTest>

using SurveyRecord::build;
using SurveyRecord::cleanName;
using SurveyRecord::numberPlace;
using SurveyRecord::RecordError;

namespace {

const QString Blanks12(12, QLatin1Char(' '));

// A text of the given width in which every position tells which field it belongs to, so that a
// field put at the wrong place or cut at the wrong width shows.
QString marked(QChar mark, int width)
{
    QString text;
    for (int i = 0; i < width; ++i)
        text += i % 2 ? mark : QChar(u'0' + i % 10);
    return text;
}

QString places(const QStringList& values)
{
    QString text;
    for (const QString& v : values)
        text += place(v);
    return text;
}

SurveyState filledState()
{
    SurveyState s;
    s.Surname = QStringLiteral("Иванова");
    s.GenderCode = place(QStringLiteral("0"));
    s.GradesAnswer = marked(u'Г', 120);
    s.HomeworkAnswer = marked(u'Д', 120);
    s.DistractionAnswer = marked(u'О', 120);
    s.InterestAnswer = marked(u'И', 120);
    s.FavouriteTeachersAnswer = marked(u'Л', 36);
    s.DemandingTeachersAnswer = marked(u'Т', 36);
    s.ExtraAnswer = marked(u'Э', 60);
    s.ClassmateChoiceAnswer = marked(u'К', 144);
    s.GradesSeconds = 345;
    s.DemandingTeachersSeconds = 41;
    return s;
}

QString buildQuietly(const SurveyState& state)
{
    return build(state, [] { QFAIL("no value is unreal here"); });
}

} // namespace

class TestSurveyRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The positions analysts' tools read, written out, against the table the builder walks.
    void layoutIsTheFileFormat()
    {
        const QList<std::tuple<QString, int, int>> expected{
            {"Surname", 1, 12},
            {"GenderCode", 13, 12},
            {"GradesAnswer", 25, 120},
            {"HomeworkAnswer", 145, 120},
            {"DistractionAnswer", 265, 120},
            {"InterestAnswer", 385, 120},
            {"FavouriteTeachersAnswer", 505, 36},
            {"DemandingTeachersAnswer", 541, 36},
            {"ExtraAnswer", 577, 60},
            {"ClassmateChoiceAnswer", 637, 144},
            {"GradesSeconds", 781, 12},
            {"DemandingTeachersSeconds", 793, 12},
        };
        QCOMPARE(qsizetype(SurveyRecord::Layout.size()), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const SurveyRecord::Field& field = SurveyRecord::Layout[std::size_t(i)];
            QCOMPARE(QString::fromLatin1(field.name), std::get<0>(expected[i]));
            QCOMPARE(field.position, std::get<1>(expected[i]));
            QCOMPARE(field.width, std::get<2>(expected[i]));
        }
        QCOMPARE(SurveyRecord::Length, 804);
    }

    void everyFieldStandsAtItsPosition()
    {
        const SurveyState state = filledState();
        const QString record = buildQuietly(state);
        QCOMPARE(record.size(), SurveyRecord::Length);
        const QHash<QString, QString> expected{
            {"Surname", QStringLiteral("Иванова     ")},
            {"GenderCode", state.GenderCode},
            {"GradesAnswer", state.GradesAnswer},
            {"HomeworkAnswer", state.HomeworkAnswer},
            {"DistractionAnswer", state.DistractionAnswer},
            {"InterestAnswer", state.InterestAnswer},
            {"FavouriteTeachersAnswer", state.FavouriteTeachersAnswer},
            {"DemandingTeachersAnswer", state.DemandingTeachersAnswer},
            {"ExtraAnswer", state.ExtraAnswer},
            {"ClassmateChoiceAnswer", state.ClassmateChoiceAnswer},
            {"GradesSeconds", QStringLiteral("345         ")},
            {"DemandingTeachersSeconds", QStringLiteral("41          ")},
        };
        for (const SurveyRecord::Field& field : SurveyRecord::Layout) {
            const QString name = QString::fromLatin1(field.name);
            QVERIFY2(expected.contains(name), qPrintable(name));
            QCOMPARE(record.mid(field.position - 1, field.width), expected.value(name));
        }
    }

    void classmatePlacesAreBlankWithoutTheClassmateScreen()
    {
        SurveyState state = filledState();
        state.ClassmateChoiceAnswer = SurveyState().ClassmateChoiceAnswer;
        QCOMPARE(buildQuietly(state).mid(636, 144), QString(144, QLatin1Char(' ')));
    }

    void numberPlaces_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("place");
        QTest::newRow("0") << 0 << "0           ";
        QTest::newRow("9") << 9 << "9           ";
        QTest::newRow("10") << 10 << "10          ";
        QTest::newRow("999") << 999 << "999         ";
        QTest::newRow("1000") << 1000 << "1000        ";
        QTest::newRow("-5") << -5 << "-5          ";
        QTest::newRow("largest") << 2147483647 << "2147483647  ";
        QTest::newRow("smallest") << (-2147483647 - 1) << "-2147483648 ";
    }
    void numberPlaces()
    {
        QFETCH(int, value);
        QFETCH(QString, place);
        QCOMPARE(numberPlace(value), place);
    }

    // An unbelievable time is reported once per number and still written in full.
    void unrealSecondsAreReportedAndKept_data()
    {
        QTest::addColumn<int>("grades");
        QTest::addColumn<int>("demanding");
        QTest::addColumn<int>("reports");
        QTest::newRow("9 and 10") << 9 << 10 << 0;
        QTest::newRow("999 and 999") << 999 << 999 << 0;
        QTest::newRow("grades 1000") << 1000 << 10 << 1;
        QTest::newRow("demanding 1000") << 10 << 1000 << 1;
        QTest::newRow("both 1000") << 1000 << 1000 << 2;
        QTest::newRow("negative") << -5 << 0 << 0;
        QTest::newRow("largest") << 2147483647 << 123456 << 2;
    }
    void unrealSecondsAreReportedAndKept()
    {
        QFETCH(int, grades);
        QFETCH(int, demanding);
        QFETCH(int, reports);
        SurveyState state = filledState();
        state.GradesSeconds = grades;
        state.DemandingTeachersSeconds = demanding;
        int reported = 0;
        const QString record = build(state, [&reported] { ++reported; });
        QCOMPARE(reported, reports);
        QCOMPARE(record.size(), 804);
        QCOMPARE(record.mid(780, 12), QString::number(grades).leftJustified(12));
        QCOMPARE(record.mid(792, 12), QString::number(demanding).leftJustified(12));
    }

    void unrealSecondsWithoutCallbackStillBuild()
    {
        SurveyState state = filledState();
        state.GradesSeconds = 5000;
        QCOMPARE(build(state, {}).mid(780, 12), QStringLiteral("5000        "));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("place");
        QTest::newRow("empty") << QString() << Blanks12;
        QTest::newRow("5 letters") << "Попов"
                                   << "Попов       ";
        QTest::newRow("12 letters") << "Александрова"
                                    << "Александрова";
        QTest::newRow("15 letters") << "Константинопол" + QStringLiteral("ь") << "Константиноп";
        QTest::newRow("Ё and №") << "Ёлкина №2"
                                 << "Ёлкина №2   ";
        QTest::newRow("é") << "Renée"
                           << "Ren?e       ";
        QTest::newRow("non-BMP") << "Ан😀на"
                                 << "Ан?на       ";
        QTest::newRow("non-BMP at 12") << "Абвгдеёжзий😀кл"
                                       << "Абвгдеёжзий?";
        QTest::newRow("lone surrogate")
            << (QStringLiteral("Ан") + QChar(0xD800) + "на") << "Ан?на       ";
        QTest::newRow("tab") << "Ан\tна"
                             << "Ан на       ";
        QTest::newRow("CR LF") << "Ан\r\nна"
                               << "Ан  на      ";
        QTest::newRow("NUL, DEL, NEL")
            << (QString(QChar(0)) + "a" + QChar(0x7F) + QChar(0x85) + "b") << " a  b       ";
        QTest::newRow("U+0098 and U+00A0")
            << (QString(QChar(0x98)) + QChar(0xA0) + "b")
            << (QStringLiteral(" ") + QChar(0xA0) + "b" + QString(9, QLatin1Char(' ')));
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, place);
        QCOMPARE(cleanName(name), place);

        SurveyState state = filledState();
        state.Surname = name;
        const QString record = buildQuietly(state);
        QCOMPARE(record.size(), 804);
        QCOMPARE(record.left(12), place);
        QCOMPARE(record.mid(12), buildQuietly(filledState()).mid(12));
    }

    void fitToPlaceCountsCharacters_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("surname");
        QTest::newRow("empty") << QString() << Blanks12;
        QTest::newRow("short") << "Попов"
                               << "Попов       ";
        QTest::newRow("long") << "Константинопольская"
                              << "Константиноп";
        QTest::newRow("non-BMP") << "А😀"
                                 << "А😀          ";
        QTest::newRow("non-BMP at 12") << "Абвгдеёжзий😀кл"
                                       << "Абвгдеёжзий😀";
        QTest::newRow("tab kept") << "А\tБ"
                                  << "А\tБ         ";
    }
    void fitToPlaceCountsCharacters()
    {
        QFETCH(QString, box);
        QFETCH(QString, surname);
        QCOMPARE(SurveyRecord::fitToPlace(box), surname);
    }

    // The classmate screen writes twelve places of names from the roster workbook.
    void classmatePlacesAreCleanedEachOnItsOwn_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        const QStringList cleaned{"Ren?e", "Ан?на", "Ан на", "Александрова", "Петров", "", "", "",
                                  "",      "",      "",      "Ёлкина"};
        // place() pads by UTF-16 units, so the non-BMP place is 12 units.
        QTest::newRow("places by units") << places({"Renée", "Ан😀на", "Ан\tна", "Александрова",
                                                    "Петров", "", "", "", "", "", "", "Ёлкина"})
                                         << places(cleaned);
        // fitToPlace pads by characters: 145 units, still 144 characters.
        QString byCharacters;
        const QStringList names{"Renée", "Ан😀на", "Ан\tна", "Александрова", "Петров", "", "", "",
                                "",      "",      "",       "Ёлкина"};
        for (const QString& name : names)
            byCharacters += SurveyRecord::fitToPlace(name);
        QTest::newRow("places by characters") << byCharacters << places(cleaned);
        QTest::newRow("non-BMP split by a place boundary")
            << (QString(11, QLatin1Char('a')) + QStringLiteral("😀") +
                QString(131, QLatin1Char('b')))
            << (QString(11, QLatin1Char('a')) + QStringLiteral("??") +
                QString(131, QLatin1Char('b')));
    }
    void classmatePlacesAreCleanedEachOnItsOwn()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        SurveyState state = filledState();
        state.ClassmateChoiceAnswer = answer;
        const QString record = buildQuietly(state);
        QCOMPARE(record.size(), 804);
        QCOMPARE(record.mid(636, 144), expected);
        QCOMPARE(record.mid(780), QStringLiteral("345         41          "));
    }

    // A screen that wrote a wrong answer text is a fault of the program: the builder refuses
    // rather than shift every later field or break the line.
    void answersThatWouldBreakTheRecordAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("short grades")
            << "GradesAnswer" << QString(119, QLatin1Char('5'))
            << "Запись анкеты не собрана: поле GradesAnswer длиной 119 знаков вместо 120.";
        QTest::newRow("empty gender")
            << "GenderCode" << QString()
            << "Запись анкеты не собрана: поле GenderCode длиной 0 знаков вместо 12.";
        QTest::newRow("line end in an answer")
            << "ExtraAnswer" << (QString(59, QLatin1Char('1')) + QLatin1Char('\n'))
            << "Запись анкеты не собрана: в поле ExtraAnswer недопустимый знак U+000a.";
        QTest::newRow("é in an answer")
            << "ExtraAnswer" << (QString(59, QLatin1Char('1')) + QChar(0xE9))
            << "Запись анкеты не собрана: в поле ExtraAnswer недопустимый знак U+00e9.";
        QTest::newRow("classmates too long")
            << "ClassmateChoiceAnswer" << QString(150, QLatin1Char(' '))
            << "Запись анкеты не собрана: поле ClassmateChoiceAnswer длиной 150 знаков вместо 144.";
    }
    void answersThatWouldBreakTheRecordAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        SurveyState state = filledState();
        for (const SurveyRecord::Field& f : SurveyRecord::Layout) {
            if (QString::fromLatin1(f.name) == field)
                state.*f.text = text;
        }
        try {
            build(state, {});
            QFAIL("the record was built");
        } catch (const RecordError& e) {
            QCOMPARE(e.text(), message);
        }
    }
};

QTEST_GUILESS_MAIN(TestSurveyRecord)
#include "tst_surveyrecord.moc"
