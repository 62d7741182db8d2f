// The five scale screens (quarter grades, homework time, distraction time, subject interest,
// additional areas) as a respondent answers them: rows revealed one by one, the class rules for
// physics and chemistry, Continue, and the answer texts byte for byte.

#include "ScaleFixture.h"
#include "screens/Unit1_Ball.h"

#include <QLineEdit>
#include <QSet>

using namespace scale;

namespace {

// What each screen stores when row r (screen order, from 0) is answered with step r modulo the
// size of its scale, in the places of the record order; and what a subject the class does not
// have stores.
struct Walk
{
    const char* instance;
    QStringList codes;
    QString notTaught;
};

const Walk Walks[] = {
    {"Form1_Ball",
     {"2  ", "4.7", "5  ", "2.3", "2.7", "3  ", "3.3", "3.7", "4  ", "4.3"},
     QStringLiteral("0  ")},
    {"Form2_House",
     {"0 ", "10", "20", "10", "20", "30", "40", "60", "90", "0 "},
     QStringLiteral("0 ")},
    {"Form3_Eff",
     {"0 ", "10", "20", "5 ", "10", "20", "30", "40", "0 ", "5 "},
     QStringLiteral("0 ")},
    {"Form4_Intrest", {"0", "8", "9", "1", "2", "3", "4", "5", "6", "7"}, QStringLiteral("0")},
    {"Form_Dop", {"0", "1", "2", "3", "4"}, QString()},
};

ScaleScreen* showAt(TestRun& test, const QString& instance, const QString& classNumber)
{
    SurveyRun& run = test.run();
    run.state.ClassNumber = classNumber;
    ScaleScreen* s = screen(test, instance);
    run.showScreen(s);
    return s;
}

} // namespace

class TestScaleScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Walks each screen's own table as a respondent of the class: which rows are offered, after
    // which answer Continue appears, and what the places of physics and chemistry hold.
    void rowsRevealedByClass_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<int>("rowsAsked");
        QTest::addColumn<QString>("firstHeading");
        QTest::addColumn<QString>("answer");
        for (const Walk& walk : Walks) {
            const bool subjects = walk.codes.size() == 10;
            for (const char* classNumber : {"5", "6", "7", "8", "11"}) {
                const int c = QString::fromLatin1(classNumber).toInt();
                QStringList codes = walk.codes;
                int rows = static_cast<int>(codes.size());
                QString heading =
                    subjects ? QStringLiteral("АЛГЕБРА") : QStringLiteral("ЭКОНОМИКА И ФИНАНСЫ");
                if (subjects && c < 8) {
                    codes[2] = walk.notTaught; // chemistry
                    rows = 9;
                }
                if (subjects && c < 7) {
                    codes[1] = walk.notTaught; // physics
                    rows = 8;
                    heading = QStringLiteral("МАТЕМАТИКА");
                }
                QTest::addRow("%s class %s", walk.instance, classNumber)
                    << QString::fromLatin1(walk.instance) << QString::fromLatin1(classNumber)
                    << rows << heading << places(codes);
            }
        }
    }
    void rowsRevealedByClass()
    {
        QFETCH(QString, instance);
        QFETCH(QString, classNumber);
        QFETCH(int, rowsAsked);
        QFETCH(QString, firstHeading);
        QFETCH(QString, answer);
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = showAt(test, instance, classNumber);
        QCOMPARE(caption(s, 0)->text(), firstHeading);

        for (int r = 0; r < rowsAsked; ++r) {
            QVERIFY2(rowOffered(s, r), qPrintable(caption(s, r)->text()));
            QVERIFY(!controls::seen(value(s, r)));
            for (int later = r + 1; later < rowCount(s); ++later)
                QVERIFY2(!anyOfRowSeen(s, later), qPrintable(caption(s, later)->text()));
            QVERIFY2(!controls::seen(continueButton(s)), qPrintable(caption(s, r)->text()));
            PRESS_NAMED(s, name(row(s, r).buttons.at(std::size_t(r % stepCount(s)))));
            QVERIFY(controls::seen(value(s, r)));
        }
        QVERIFY(controls::seen(continueButton(s)));
        for (int r = rowsAsked; r < rowCount(s); ++r)
            QVERIFY2(!anyOfRowSeen(s, r), qPrintable(caption(s, r)->text()));

        PRESS_NAMED(s, name(s->table().continueButton));
        QCOMPARE(answerOf(run, s), answer);
        QCOMPARE(answerOf(run, s).size(), rowCount(s) * 12);
    }

    void gradesClass9FourMinusEverywhere()
    {
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("9"));
        for (int r = 0; r < 10; ++r) {
            QCOMPARE(button(s, r, 5)->text(), QStringLiteral("4 -"));
            PRESS_NAMED(s, name(row(s, r).buttons[5]));
            QCOMPARE(value(s, r)->text(), QStringLiteral("4-"));
        }
        PRESS(s, "Button51");
        QCOMPARE(run.state.GradesAnswer, QStringLiteral("3.7         ").repeated(10));
    }

    void interestOfClass6()
    {
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = showAt(test, QStringLiteral("Form4_Intrest"), QStringLiteral("6"));
        QCOMPARE(NEED(QLabel, s, "Label2")->text(), QStringLiteral("МАТЕМАТИКА"));
        const int digits[] = {9, 4, 6, 2, 0, 5, 7, 8};
        for (int r = 0; r < 8; ++r) {
            QVERIFY(!controls::seen(NEED(QWidget, s, "Button100")));
            PRESS_NAMED(s, name(row(s, r).buttons[std::size_t(digits[r])]));
        }
        QVERIFY(controls::seen(NEED(QWidget, s, "Button100")));
        QVERIFY(!controls::seen(NEED(QLabel, s, "Label3")));
        QVERIFY(!controls::seen(NEED(QLabel, s, "Label4")));
        PRESS(s, "Button100");
        QCOMPARE(run.state.InterestAnswer,
                 places({"9", "0", "0", "4", "6", "2", "0", "5", "7", "8"}));
    }

    void extraAreasOfAnyClass_data()
    {
        QTest::addColumn<QString>("classNumber");
        for (const char* c : {"5", "7", "11"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void extraAreasOfAnyClass()
    {
        QFETCH(QString, classNumber);
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = showAt(test, QStringLiteral("Form_Dop"), classNumber);
        PRESS(s, "Button7");
        PRESS(s, "Button01");
        PRESS(s, "Button27");
        PRESS(s, "Button03");
        QVERIFY(!controls::seen(NEED(QWidget, s, "Button100")));
        PRESS(s, "Button39");
        QCOMPARE(NEED(QLabel, s, "Label16")->text(), QStringLiteral("3"));
        PRESS(s, "Button100");
        QCOMPARE(run.state.ExtraAnswer, places({"7", "0", "9", "0", "3"}));
        QCOMPARE(run.state.ExtraAnswer.size(), 60);
    }

    // A row answered again keeps every row revealed and every other answer; after Continue has
    // appeared, a changed row keeps it and the new value is stored.
    void answeringAnEarlierRowAgain_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("classNumber");
        QTest::addColumn<int>("answeredRows");
        QTest::addColumn<int>("againRow");
        QTest::addColumn<int>("againStep");
        QTest::addColumn<QString>("againShown");
        QTest::addColumn<int>("againPlace"); // 1-based place in the answer
        QTest::addColumn<QString>("againCode");
        // Row 3 again after row 6 is revealed: rows 4 to 6 stay, rows 4 and 5 keep their answers.
        QTest::newRow("grades") << "Form1_Ball"
                                << "9" << 5 << 2 << 9 << "5" << 5 << "5  ";
        QTest::newRow("homework") << "Form2_House"
                                  << "8" << 4 << 1 << 6 << "90 мин" << 4 << "90";
        QTest::newRow("distraction") << "Form3_Eff"
                                     << "10" << 6 << 0 << 5 << "40(45) мин" << 1 << "40";
        QTest::newRow("interest same row") << "Form4_Intrest"
                                           << "7" << 3 << 2 << 7 << "7" << 5 << "7";
        QTest::newRow("extra areas") << "Form_Dop"
                                     << "5" << 3 << 1 << 8 << "8" << 2 << "8";
    }
    void answeringAnEarlierRowAgain()
    {
        QFETCH(QString, instance);
        QFETCH(QString, classNumber);
        QFETCH(int, answeredRows);
        QFETCH(int, againRow);
        QFETCH(int, againStep);
        QFETCH(QString, againShown);
        QFETCH(int, againPlace);
        QFETCH(QString, againCode);
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = showAt(test, instance, classNumber);
        QStringList shown;
        for (int r = 0; r < answeredRows; ++r) {
            PRESS_NAMED(s, name(row(s, r).buttons[1]));
            shown << value(s, r)->text();
        }
        PRESS_NAMED(s, name(row(s, againRow).buttons.at(std::size_t(againStep))));
        QCOMPARE(value(s, againRow)->text(), againShown);
        for (int r = 0; r <= answeredRows; ++r)
            QVERIFY(rowOffered(s, r));
        for (int r = 0; r < answeredRows; ++r)
            if (r != againRow)
                QCOMPARE(value(s, r)->text(), shown[r]);
        QVERIFY(!controls::seen(value(s, answeredRows)));
        if (answeredRows + 1 < rowCount(s))
            QVERIFY(!anyOfRowSeen(s, answeredRows + 1));

        // The rest as they come; then the first row changes after Continue appeared.
        for (int r = answeredRows; r < rowCount(s) && rowOffered(s, r); ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[1]));
        QVERIFY(controls::seen(continueButton(s)));
        if (againRow != 0) {
            PRESS_NAMED(s, name(row(s, 0).buttons[0]));
            QVERIFY(controls::seen(continueButton(s)));
        }
        PRESS_NAMED(s, name(s->table().continueButton));
        const QString answer = answerOf(run, s);
        QCOMPARE(answer.mid((againPlace - 1) * 12, 12), againCode.leftJustified(12));
        if (againRow != 0)
            QCOMPARE(answer.left(12),
                     QString::fromUtf8(s->table().scale[0].code).leftJustified(12));
        QCOMPARE(answer.size(), rowCount(s) * 12);
    }

    void chemistryKeepsItsGradeWhenPhysicsIsAnsweredAgain()
    {
        TestRun test;
        SurveyRun& run = test.start();
        auto* s = showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("9"));
        for (int r = 0; r < 9; ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[3]));
        PRESS(s, "Button14"); // chemistry "5"
        PRESS(s, "ButtonFis4p");
        QCOMPARE(NEED(QLabel, s, "Label14")->text(), QStringLiteral("5"));
        QCOMPARE(NEED(QLabel, s, "Label13")->text(), QStringLiteral("4+"));
        QCOMPARE(NEED(QLabel, s, "Label14_2")->text(), QStringLiteral("5  "));
        QVERIFY(!controls::seen(NEED(QLabel, s, "Label14_2"))); // the code is never shown
        PRESS(s, "Button51");
        QCOMPARE(run.state.GradesAnswer.mid(12, 24), QStringLiteral("4.3         5           "));
    }

    // Values shown and codes stored by the buttons of the time scales.
    void timeScaleValues_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("rowIndex");
        QTest::addColumn<QString>("buttonCaption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("placeNumber");
        QTest::addColumn<QString>("code");
        QTest::newRow("0 мин") << "Form2_House"
                               << "Button22" << 1 << "0 мин"
                               << "0 мин" << 4 << "0 ";
        QTest::newRow("60 мин") << "Form2_House"
                                << "Button6" << 0 << "60 мин"
                                << "60 мин" << 1 << "60";
        QTest::newRow("90 и больше") << "Form2_House"
                                     << "Button49" << 4 << "90 и больше"
                                     << "90 мин" << 7 << "90";
        QTest::newRow("90 и более") << "Form2_House"
                                    << "Button56" << 5 << "90 и более"
                                    << "90 мин" << 8 << "90";
        QTest::newRow("Не отвлекаюсь") << "Form3_Eff"
                                       << "Button25" << 2 << "Не отвлекаюсь"
                                       << "0 мин" << 5 << "0 ";
        QTest::newRow("5 мин") << "Form3_Eff"
                               << "Button32" << 3 << "5 мин"
                               << "5 мин" << 6 << "5 ";
        QTest::newRow("Весь урок") << "Form3_Eff"
                                   << "Button6" << 0 << "Весь урок"
                                   << "40(45) мин" << 1 << "40";
    }
    void timeScaleValues()
    {
        QFETCH(QString, instance);
        QFETCH(QString, buttonName);
        QFETCH(int, rowIndex);
        QFETCH(QString, buttonCaption);
        QFETCH(QString, shown);
        QFETCH(int, placeNumber);
        QFETCH(QString, code);
        TestRun test;
        SurveyRun& run = test.start();
        auto* s = showAt(test, instance, QStringLiteral("8"));
        for (int r = 0; r < rowIndex; ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[2]));
        QCOMPARE(NEED_NAMED(QPushButton, s, buttonName)->text(), buttonCaption);
        PRESS_NAMED(s, buttonName);
        QCOMPARE(value(s, rowIndex)->text(), shown);
        for (int r = rowIndex + 1; r < rowCount(s); ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[2]));
        PRESS(s, "Button100");
        QCOMPARE(answerOf(run, s).mid((placeNumber - 1) * 12, 12), code.leftJustified(12));
    }

    void notTaughtStoresTheSameAsZeroMinutes()
    {
        TestRun test;
        SurveyRun& run = test.start();
        auto* s = showAt(test, QStringLiteral("Form2_House"), QStringLiteral("5"));
        for (int r = 0; r < 8; ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[0]));
        PRESS(s, "Button100");
        QCOMPARE(run.state.HomeworkAnswer, QStringLiteral("0           ").repeated(10));
        QCOMPARE(NEED(QLabel, s, "Label13")->text(), QStringLiteral("0 "));
        QVERIFY(!controls::seen(NEED(QLabel, s, "Label13")));
    }

    // Every button is found by its designer name and carries the caption of its place.
    void designerNamesAndCaptions_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("buttonCaption");
        const char* const rows[][3] = {
            {"Form1_Ball", "Button1", "2"},
            {"Form1_Ball", "ButtonAlg2p", "2 +"},
            {"Form1_Ball", "ButtonAlg3m", "3 -"},
            {"Form1_Ball", "Button4", "5"},
            {"Form1_Ball", "Button16", "2"},
            {"Form1_Ball", "Buttonist2p", "2 +"},
            {"Form1_Ball", "ButtonIst3m", "3 -"},
            {"Form1_Ball", "ButtonGeo4m", "4 -"},
            {"Form1_Ball", "Button49", "5"},
            {"Form1_Ball", "ButtonFis4p", "4 +"},
            {"Form1_Ball", "ButtonHim5m", "5 -"},
            {"Form1_Ball", "Button14", "5"},
            {"Form2_House", "Button1", "0 мин"},
            {"Form2_House", "Button7", "90 и больше"},
            {"Form2_House", "Button49", "90 и больше"},
            {"Form2_House", "Button56", "90 и более"},
            {"Form2_House", "Button63", "90 и более"},
            {"Form2_House", "Button70", "90 и более"},
            {"Form2_House", "Button14", "90 и больше"},
            {"Form2_House", "Button21", "90 и больше"},
            {"Form2_House", "Button8", "0 мин"},
            {"Form2_House", "Button20", "60 мин"},
            {"Form3_Eff", "Button1", "Не отвлекаюсь"},
            {"Form3_Eff", "Button60", "Весь урок"},
            {"Form3_Eff", "Button7", "Не отвлекаюсь"},
            {"Form3_Eff", "Button18", "Весь урок"},
            {"Form4_Intrest", "Button00", "0"},
            {"Form4_Intrest", "Button9", "9"},
            {"Form4_Intrest", "Button03", "0"},
            {"Form4_Intrest", "Button28", "1"},
            {"Form4_Intrest", "Button09", "0"},
            {"Form4_Intrest", "Button90", "9"},
            {"Form4_Intrest", "Button01", "0"},
            {"Form4_Intrest", "Button10", "1"},
            {"Form4_Intrest", "Button27", "9"},
            {"Form_Dop", "Button00", "0"},
            {"Form_Dop", "Button04", "0"},
            {"Form_Dop", "Button37", "1"},
            {"Form_Dop", "Button45", "9"},
        };
        for (const auto& r : rows)
            QTest::addRow("%s %s", r[0], r[1])
                << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1])
                << QString::fromUtf8(r[2]);
    }
    void designerNamesAndCaptions()
    {
        QFETCH(QString, instance);
        QFETCH(QString, buttonName);
        QFETCH(QString, buttonCaption);
        TestRun test;
        test.start();
        QCOMPARE(NEED_NAMED(QPushButton, test.screen(qPrintable(instance)), buttonName)->text(),
                 buttonCaption);
    }

    void everyButtonHasANameOfItsOwn_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<int>("buttons");
        QTest::newRow("grades") << "Form1_Ball" << 100;
        QTest::newRow("homework") << "Form2_House" << 70;
        QTest::newRow("distraction") << "Form3_Eff" << 60;
        QTest::newRow("interest") << "Form4_Intrest" << 100;
        QTest::newRow("extra areas") << "Form_Dop" << 50;
    }
    void everyButtonHasANameOfItsOwn()
    {
        QFETCH(QString, instance);
        QFETCH(int, buttons);
        TestRun test;
        test.start();
        ScaleScreen* s = screen(test, instance);
        QSet<QString> names;
        QStringList captions;
        for (QPushButton* b : s->findChildren<QPushButton*>()) {
            if (b->objectName() == QLatin1String(s->table().continueButton))
                continue;
            QVERIFY2(!b->objectName().isEmpty(), qPrintable(b->text()));
            names.insert(b->objectName());
            captions << b->text();
        }
        QCOMPARE(names.size(), buttons);
        QCOMPARE(int(captions.size()), buttons);
        QVERIFY(!captions.contains(QStringLiteral("50 мин")));
    }

    // The captions repeat from row to row: assistive tools tell the buttons apart by their row.
    void accessibleNamesCarryTheRow()
    {
        TestRun test;
        test.start();
        ScaleScreen* s = showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("5"));
        QCOMPARE(NEED(QPushButton, s, "ButtonAlg2p")->accessibleName(),
                 QStringLiteral("МАТЕМАТИКА: 2 +"));
        QCOMPARE(NEED(QPushButton, s, "Buttonist2p")->accessibleName(),
                 QStringLiteral("ИСТОРИЯ: 2 +"));
        QCOMPARE(NEED(QPushButton, test.screen("Form2_House"), "Button70")->accessibleName(),
                 QStringLiteral("ИНФОРМАТИКА: 90 и более"));
    }

    void foreignLanguageHeadings()
    {
        TestRun test;
        test.start();
        QCOMPARE(NEED(QLabel, test.screen("Form1_Ball"), "Label7")->text(),
                 QStringLiteral("ИНОСТРАННЫЙ ЯЗ."));
        for (const char* instance : {"Form2_House", "Form3_Eff", "Form4_Intrest"})
            QCOMPARE(NEED(QLabel, test.screen(instance), "Label7")->text(),
                     QStringLiteral("ИНОСТРАННЫЙ ЯЗЫК"));
    }

    void gradesSecondsFromTheShow_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("stored");
        QTest::newRow("95.4 s") << 95.4 << 95;
        QTest::newRow("95.5 s to the even 96") << 95.5 << 96;
        QTest::newRow("96.5 s to the even 96") << 96.5 << 96;
        QTest::newRow("0.4 s") << 0.4 << 0;
    }
    void gradesSecondsFromTheShow()
    {
        QFETCH(double, seconds);
        QFETCH(int, stored);
        TestRun test;
        SurveyRun& run = test.start();
        test.clock().advanceSeconds(40); // time before the screen does not count
        ScaleScreen* s = showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("5"));
        QCOMPARE(NEED(QLineEdit, s, "Edit1")->text(), QStringLiteral("00:00"));
        for (int r = 0; r < 8; ++r)
            PRESS_NAMED(s, name(row(s, r).buttons[0]));
        test.clock().advanceSeconds(seconds);
        PRESS(s, "Button51");
        QCOMPARE(run.state.GradesSeconds, stored);
    }

    void hintBarOverTheFirstRow()
    {
        TestRun test;
        test.start();
        auto* grades = qobject_cast<TForm1_Ball*>(
            showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("8")));
        QVERIFY(grades);
        auto* hint = NEED(QLabel, grades, "Panel5");
        QVERIFY(!controls::seen(hint));
        QVERIFY(hint->text().isEmpty());

        const int lengths[] = {50, 55, 49, 50, 55, 49, 50, 55, 49, 50};
        const char* const qualifiers[] = {"твердая",      "немного выше", "слабая",  "твердая",
                                          "немного выше", "слабая",       "твердая", "немного выше",
                                          "слабая",       "твердая"};
        const char digits[] = {'2', '2', '3', '3', '3', '4', '4', '4', '5', '5'};
        for (int step = 0; step < 10; ++step) {
            movePointer(button(grades, 0, step), QPoint(10, 10));
            QVERIFY(controls::seen(hint));
            const QString expected = QString(16, QLatin1Char(' ')) +
                                     QStringLiteral("Ваша четвертная оценка ") +
                                     QString::fromUtf8(qualifiers[step]) + QStringLiteral(" \"") +
                                     QLatin1Char(digits[step]) + QLatin1Char('"');
            QCOMPARE(hint->text(), expected);
            QCOMPARE(hint->text().size(), lengths[step]);
        }

        // Onto the empty part of the button column: the bar goes.
        auto* buttons = NEED(QWidget, grades, "Panel2");
        movePointer(buttons, emptySpot(buttons));
        QVERIFY(!controls::seen(hint));
        QVERIFY(hint->text().isEmpty());

        // Over the subject names: the text is cleared and the bar stays as it was.
        auto* names = NEED(QWidget, grades, "Panel3");
        movePointer(button(grades, 0, 4), QPoint(5, 5));
        QVERIFY(controls::seen(hint));
        movePointer(names, emptySpot(names));
        QVERIFY(controls::seen(hint));
        QVERIFY(hint->text().isEmpty());
        movePointer(buttons, emptySpot(buttons));
        movePointer(names, emptySpot(names));
        QVERIFY(!controls::seen(hint));

        // The buttons of the other rows show no hint and do not pass the move on.
        PRESS(grades, "Button3");
        movePointer(button(grades, 0, 0), QPoint(5, 5));
        movePointer(button(grades, 1, 1), QPoint(5, 5));
        QVERIFY(controls::seen(hint));
        QCOMPARE(hint->text().trimmed(), QStringLiteral("Ваша четвертная оценка твердая \"2\""));

        QCOMPARE(button(grades, 0, 0)->toolTip(), QStringLiteral("твердая 2"));
        QVERIFY(button(grades, 0, 1)->toolTip().isEmpty());
        QVERIFY(button(grades, 1, 0)->toolTip().isEmpty());
    }

    // From the grades screen to the favourite teachers screen, as a respondent of each class.
    void chainToTheFavouriteTeachers_data()
    {
        QTest::addColumn<QString>("classNumber");
        for (int c = 5; c <= 11; ++c)
            QTest::newRow(qPrintable(QString::number(c))) << QString::number(c);
    }
    void chainToTheFavouriteTeachers()
    {
        QFETCH(QString, classNumber);
        TestRun test;
        SurveyRun& run = test.start();
        run.state.ClassNumber = classNumber;
        Screen* grades = test.screen("Form1_Ball");
        run.showScreen(grades);

        struct Step
        {
            const char* instance;
            const char* next;
            QString last;      // what the last button of a row stores
            QString notTaught; // what a subject the class does not have stores
        };
        const Step steps[] = {
            {"Form1_Ball", "Form2_House", QStringLiteral("5  "), QStringLiteral("0  ")},
            {"Form2_House", "Form3_Eff", QStringLiteral("90"), QStringLiteral("0 ")},
            {"Form3_Eff", "Form4_Intrest", QStringLiteral("40"), QStringLiteral("0 ")},
            {"Form4_Intrest", "Form_Dop", QStringLiteral("9"), QStringLiteral("0")},
            {"Form_Dop", "Form5_Love", QStringLiteral("9"), QString()},
        };
        const int c = classNumber.toInt();
        for (const Step& step : steps) {
            ScaleScreen* s = screen(test, QString::fromLatin1(step.instance));
            QCOMPARE(run.windows().topWindow(), s);
            QVERIFY(s->isEnabled());
            for (int r = 0; r < rowCount(s) && rowOffered(s, r); ++r)
                PRESS_NAMED(s, name(row(s, r).buttons.back()));
            PRESS_NAMED(s, name(s->table().continueButton));

            QStringList expected(rowCount(s), step.last);
            if (rowCount(s) == 10 && c < 8)
                expected[2] = step.notTaught;
            if (rowCount(s) == 10 && c < 7)
                expected[1] = step.notTaught;
            QCOMPARE(answerOf(run, s), places(expected));

            Screen* next = test.screen(step.next);
            QVERIFY2(next->isVisible(), step.next);
            QVERIFY(next->isEnabled());
            QCOMPARE(run.windows().topWindow(), next);
            QVERIFY(s->isVisible()); // left open underneath
        }
        QVERIFY(!grades->isEnabled()); // under the modal homework screen and all after it
        QVERIFY(run.isInModalDisplay(test.screen("Form2_House")));

        run.Terminate();
        QVERIFY(!grades->isVisible());
        QVERIFY(test.ended());
    }

    void closingTheHomeworkScreenClosesTheGradesScreen()
    {
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* grades = showAt(test, QStringLiteral("Form1_Ball"), QStringLiteral("5"));
        for (int r = 0; r < 8; ++r)
            PRESS_NAMED(grades, name(row(grades, r).buttons[0]));
        PRESS(grades, "Button51");
        QVERIFY(!grades->isEnabled());
        test.screen("Form2_House")->close();
        QVERIFY(!grades->isVisible());
        QVERIFY(test.ended());
        QCOMPARE(run.state.GradesAnswer.size(), 120);
    }
};

SURVEY_TEST_MAIN(TestScaleScreens)
#include "tst_scalescreens.moc"
