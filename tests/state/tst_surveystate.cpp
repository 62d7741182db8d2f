#include "state/SubjectCatalogue.h"
#include "state/SurveyState.h"

#include <QTest>

using namespace SubjectCatalogue;

class TestSurveyState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startValues()
    {
        const SurveyState state;
        QVERIFY(state.ClassNumber.isEmpty());
        QVERIFY(state.ClassStream.isEmpty());
        QVERIFY(state.GenderCode.isEmpty());
        QCOMPARE(state.RosterLoaded, 0);
        QCOMPARE(state.TestStartTime, 0.0);
        QCOMPARE(state.GradesSeconds, 0);
        QCOMPARE(state.DemandingTeachersSeconds, 0);
        QVERIFY(state.GradesAnswer.isEmpty());
        QVERIFY(state.ExtraAnswer.isEmpty());
        QCOMPARE(state.ClassmateChoiceAnswer, QString(144, QLatin1Char(' ')));
        QVERIFY(state.Surname.isEmpty());
    }

    void rosterWorkbookNameJoinsClassAndStream_data()
    {
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("name");
        QTest::newRow("8 А") << "8"
                             << "А"
                             << "8А.xls";
        QTest::newRow("11 Б") << "11"
                              << "Б"
                              << "11Б.xls";
        QTest::newRow("no stream") << "5"
                                   << ""
                                   << "5.xls";
    }
    void rosterWorkbookNameJoinsClassAndStream()
    {
        QFETCH(QString, classNumber);
        QFETCH(QString, stream);
        QFETCH(QString, name);
        SurveyState state;
        state.ClassNumber = classNumber;
        state.ClassStream = stream;
        QCOMPARE(state.formRosterWorkbookName(), name);
    }

    void placeIsTheValueAndBlanksToTwelve()
    {
        QCOMPARE(place(QStringLiteral("10")), QStringLiteral("10          "));
        QCOMPARE(place(QString()), QString(12, QLatin1Char(' ')));
        QCOMPARE(place(QStringLiteral("0  ")).size(), 12);
    }

    void catalogueInRecordOrder()
    {
        const QStringList teacherCaptions{
            "Алгебра",          "Физика",     "Химия",        "История",   "Биология",
            "Иностранный язык", "Литература", "Русский язык", "География", "Информатика"};
        const QStringList codes{"Alg", "Fis", "Him", "Ist", "Bio",
                                "Ino", "Lit", "Rus", "Geo", "Inf"};
        for (int n = 1; n <= SubjectCount; ++n) {
            QCOMPARE(subject(n).number, n);
            QCOMPARE(teacherCaption(n), teacherCaptions[n - 1]);
            QCOMPARE(QString::fromLatin1(subject(n).designCode), codes[n - 1]);
        }
        QCOMPARE(heading(ForeignLanguage, "9"), QStringLiteral("ИНОСТРАННЫЙ ЯЗЫК"));
        QCOMPARE(gradesHeading(ForeignLanguage, "9"), QStringLiteral("ИНОСТРАННЫЙ ЯЗ."));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, subject(11));
    }

    void screenOrderPutsPhysicsAndChemistryLast()
    {
        const std::array<int, SubjectCount> expected{1, 4, 5, 6, 7, 8, 9, 10, 2, 3};
        QCOMPARE(screenOrder(), expected);
    }

    void classRules_data()
    {
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<bool>("physics");
        QTest::addColumn<bool>("chemistry");
        QTest::addColumn<QString>("firstHeading");
        QTest::newRow("5") << "5" << false << false << "МАТЕМАТИКА";
        QTest::newRow("6") << "6" << false << false << "МАТЕМАТИКА";
        QTest::newRow("7") << "7" << true << false << "АЛГЕБРА";
        QTest::newRow("8") << "8" << true << true << "АЛГЕБРА";
        QTest::newRow("11") << "11" << true << true << "АЛГЕБРА";
    }
    void classRules()
    {
        QFETCH(QString, classNumber);
        QFETCH(bool, physics);
        QFETCH(bool, chemistry);
        QFETCH(QString, firstHeading);
        QCOMPARE(taughtIn(Physics, classNumber), physics);
        QCOMPARE(taughtIn(Chemistry, classNumber), chemistry);
        for (int n : {Algebra, History, Biology, ForeignLanguage, Literature, Russian, Geography,
                      Informatics})
            QVERIFY(taughtIn(n, classNumber));
        QCOMPARE(heading(Algebra, classNumber), firstHeading);
        QCOMPARE(gradesHeading(Algebra, classNumber), firstHeading);
    }
};

QTEST_GUILESS_MAIN(TestSurveyState)
#include "tst_surveystate.moc"
