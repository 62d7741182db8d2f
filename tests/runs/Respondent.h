#pragma once

// A respondent of a whole run: the answers given on each screen, and the scripts that give them
// through the real widgets, as a pupil does: presses by objectName, clicks on grid cells, keys
// typed into the surname box, the fake clock moved while the pupil thinks. Every script first
// checks that its own screen is the one in front, so a walk also checks the order of the screens.
// The designer names are written out here, row by row, and not taken from the screens' tables.

#include "app/Screen.h"
#include "screens/Keyboard.h"
#include "support/Controls.h"
#include "support/TestRun.h"
#include "widgets/ButtonCellGrid.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// Stops the walk at the first failed check of a script.
#define STEP(call)                                                                                 \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace respondent {

// One answer per school subject, declared in the order of the rows of the per-subject screens,
// so that an answer reads top to bottom as the pupil sees it. A subject left out is one the
// class does not have: the pupil is never asked about it.
template <typename T> struct PerSubject
{
    std::optional<T> algebra{};
    std::optional<T> history{};
    std::optional<T> biology{};
    std::optional<T> foreignLanguage{};
    std::optional<T> literature{};
    std::optional<T> russian{};
    std::optional<T> geography{};
    std::optional<T> informatics{};
    std::optional<T> physics{};
    std::optional<T> chemistry{};
};

// The rows top to bottom.
template <typename T> std::array<std::optional<T>, 10> inScreenOrder(const PerSubject<T>& s)
{
    return {s.algebra, s.history,   s.biology,     s.foreignLanguage, s.literature,
            s.russian, s.geography, s.informatics, s.physics,         s.chemistry};
}

// The same, built from the rows top to bottom.
template <typename T> PerSubject<T> fromScreenOrder(const std::array<std::optional<T>, 10>& rows)
{
    return {rows[0], rows[1], rows[2], rows[3], rows[4],
            rows[5], rows[6], rows[7], rows[8], rows[9]};
}

// How long the pupil stays on each screen before its forward action, in seconds.
struct Dwell
{
    double classScreen = 0;
    double roster = 0;
    double grades = 0;
    double homework = 0;
    double distraction = 0;
    double interest = 0;
    double extra = 0;
    double favourites = 0;
    double demanding = 0;
    double classmateQuestion = 0; // on each of the four
    double finish = 0;
};

struct Answers
{
    int classNumber = 8;
    QString stream; // "А" … "Е"; empty: "Другое"
    bool male = true;
    PerSubject<const char*> grades; // the grade shown: "2" … "5", "2+", "3-", …, "5-"
    PerSubject<int> homework;       // minutes: 0, 10, 20, 30, 40, 60 or 90
    PerSubject<int> distraction;    // minutes: 0, 5, 10, 20, 30 or 40 (the whole lesson)
    PerSubject<int> interest;       // 0 … 9
    std::array<int, 5> extra{};     // 0 … 9, the five areas top to bottom
    // Subject numbers (1 algebra … 10 informatics) pressed in this order; a second press on a
    // marked subject takes the mark back. Exactly three stay marked.
    QList<int> favouritePresses;
    QList<int> demandingPresses;
    // The class has a roster workbook in the working folder: the row pressed on the roster screen.
    std::optional<int> rosterRow;
    // The rows clicked in each classmate question; fewer than three, and "nobody" is pressed.
    std::array<QList<int>, 4> classmates;
    // Typed key by key into the finish screen's box ("\b" is Backspace); none: the finish screen
    // knows the name from the roster and must not ask.
    std::optional<QString> typedSurname;
    Dwell dwell;
};

// The screen is shown and the one in front.
inline bool inFront(TestRun& test, const char* instance, const char* file, int line)
{
    const Screen* screen = test.screen(instance);
    const QWidget* top = test.run().windows().topWindow();
    return QTest::qVerify(screen->isVisible() && top == screen, "inFront",
                          qPrintable(QStringLiteral("%1 is not in front (in front: %2)")
                                         .arg(QString::fromLatin1(instance),
                                              top ? top->objectName() : QStringLiteral("none"))),
                          file, line);
}

#define IN_FRONT(test, instance)                                                                   \
    do {                                                                                           \
        if (!::respondent::inFront((test), (instance), __FILE__, __LINE__))                        \
            return;                                                                                \
    } while (false)

inline bool seen(const QWidget* window, const QString& name)
{
    return controls::seen(NEED_NAMED(QWidget, window, name));
}

inline QString labelText(const QWidget* window, const QString& name)
{
    return NEED_NAMED(QLabel, window, name)->text();
}

inline QString numbered(const char* prefix, int number)
{
    return QString::fromLatin1(prefix) + QString::number(number);
}

// Clicks the name button of a grid row that is in view, at the middle of its cell.
inline bool clickGridRow(ButtonCellGrid* grid, int row, const char* file, int line)
{
    const QRect cell = grid->cellRect(0, row);
    if (!QTest::qVerify(
            controls::seen(grid) && cell.height() >= 19, "clickGridRow",
            qPrintable(
                QStringLiteral("row %1 of %2 is not in view").arg(row).arg(grid->objectName())),
            file, line))
        return false;
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell.center());
    return true;
}

#define CLICK_GRID_ROW(grid, row)                                                                  \
    do {                                                                                           \
        if (!::respondent::clickGridRow((grid), (row), __FILE__, __LINE__))                        \
            return;                                                                                \
    } while (false)

// ---------------------------------------------------------------------------------------------
// The screens' designer names, row by row in screen order.

// The value label of each row of the four per-subject screens.
inline const std::array<const char*, 10> SubjectValueLabels{
    "Label12", "Label15", "Label16", "Label17", "Label18",
    "Label19", "Label20", "Label21", "Label13", "Label14"};

// The quarter grades screen: the plain grades of a row are numbered buttons from the row's
// first, the plus and minus steps carry its subject code; "2 +" of history is "Buttonist2p".
inline QString gradeButton(int row, const QString& grade)
{
    static const int firstPlain[10] = {1, 16, 21, 26, 31, 36, 41, 46, 6, 11};
    static const char* const codes[10] = {"Alg", "Ist", "Bio", "Ino", "Lit",
                                          "Rus", "Geo", "Inf", "Fis", "Him"};
    const int digit = grade.left(1).toInt();
    if (grade.size() == 1)
        return numbered("Button", firstPlain[row] + digit - 2);
    const bool plus = grade.endsWith(QLatin1Char('+'));
    const QString code =
        row == 1 && plus && digit == 2 ? QStringLiteral("ist") : QString::fromLatin1(codes[row]);
    return QStringLiteral("Button") + code + QString::number(digit) + QLatin1Char(plus ? 'p' : 'm');
}

// "4+" is captioned "4 +".
inline QString gradeCaption(const QString& grade)
{
    return grade.size() == 1 ? grade : grade.left(1) + QLatin1Char(' ') + grade.mid(1);
}

inline QString homeworkButton(int row, int minutes)
{
    static const int first[10] = {1, 22, 29, 36, 43, 50, 57, 64, 8, 15};
    static const QList<int> scale{0, 10, 20, 30, 40, 60, 90};
    return numbered("Button", first[row] + static_cast<int>(scale.indexOf(minutes)));
}

inline QString distractionButton(int row, int minutes)
{
    static const int first[10] = {1, 19, 25, 31, 37, 43, 49, 55, 7, 13};
    static const QList<int> scale{0, 5, 10, 20, 30, 40};
    return numbered("Button", first[row] + static_cast<int>(scale.indexOf(minutes)));
}

inline QString distractionShown(int minutes)
{
    return minutes == 40 ? QStringLiteral("40(45) мин") : QStringLiteral("%1 мин").arg(minutes);
}

// "0" is a button of its own in each row ("Button00" …); "1" … "9" are numbered from the row's
// first.
inline QString digitButton(const char* zero, int firstOne, int digit)
{
    return digit == 0 ? QString::fromLatin1(zero) : numbered("Button", firstOne + digit - 1);
}

inline QString interestButton(int row, int digit)
{
    static const char* const zeros[10] = {"Button00", "Button03", "Button04", "Button05",
                                          "Button06", "Button07", "Button08", "Button09",
                                          "Button01", "Button02"};
    static const int firstOne[10] = {1, 28, 37, 46, 55, 64, 73, 82, 10, 19};
    return digitButton(zeros[row], firstOne[row], digit);
}

inline QString extraButton(int row, int digit)
{
    static const char* const zeros[5] = {"Button00", "Button01", "Button02", "Button03",
                                         "Button04"};
    static const int firstOne[5] = {1, 10, 19, 28, 37};
    return digitButton(zeros[row], firstOne[row], digit);
}

// ---------------------------------------------------------------------------------------------
// The scripts, one per screen.

inline void introduction(TestRun& test, const Answers&)
{
    IN_FRONT(test, "Form_Vveden");
    PRESS(test.screen("Form_Vveden"), "AdvGlassButton1");
}

inline void classAndGender(TestRun& test, const Answers& a)
{
    IN_FRONT(test, "Form8_Coord");
    Screen* coord = test.screen("Form8_Coord");
    PRESS_NAMED(coord, numbered("Button", a.classNumber));
    const qsizetype letter = QStringLiteral("АБВГДЕ").indexOf(a.stream);
    QVERIFY2(a.stream.size() <= 1 && (a.stream.isEmpty() || letter >= 0), "no such stream");
    PRESS_NAMED(coord, numbered("Button", a.stream.isEmpty() ? 18 : 12 + static_cast<int>(letter)));
    PRESS_NAMED(coord, QString::fromLatin1(a.male ? "Button20" : "Button21"));
    test.clock().advanceSeconds(a.dwell.classScreen);
    PRESS(coord, "AdvGlassButton1");
}

inline void rosterPick(TestRun& test, const Answers& a)
{
    IN_FRONT(test, "Form_FamFile");
    Screen* famFile = test.screen("Form_FamFile");
    QVERIFY(!seen(famFile, "AdvGlassButton1"));
    CLICK_GRID_ROW(NEED(ButtonCellGrid, famFile, "AdvStringGrid1"), a.rosterRow.value());
    test.clock().advanceSeconds(a.dwell.roster);
    PRESS(famFile, "AdvGlassButton1");
}

// One row of a scale screen as the pupil answers it.
struct RowAnswer
{
    QString button;     // pressed; empty: a row the class does not have, never offered
    QString valueLabel; // where the chosen value is shown
    QString shown;
};

// Answers the rows top to bottom; Continue appears with the last answer, and the rows the class
// does not have are never offered.
inline void answerRows(TestRun& test, const char* instance, const std::vector<RowAnswer>& rows,
                       const char* continueButton, double dwell)
{
    IN_FRONT(test, instance);
    Screen* screen = test.screen(instance);
    for (const RowAnswer& row : rows) {
        if (row.button.isEmpty())
            continue;
        QVERIFY2(!seen(screen, QString::fromLatin1(continueButton)), qPrintable(row.button));
        PRESS_NAMED(screen, row.button);
        QVERIFY2(seen(screen, row.valueLabel), qPrintable(row.valueLabel));
        QCOMPARE(labelText(screen, row.valueLabel), row.shown);
    }
    for (const RowAnswer& row : rows)
        if (row.button.isEmpty())
            QVERIFY2(!seen(screen, row.valueLabel), qPrintable(row.valueLabel));
    test.clock().advanceSeconds(dwell);
    PRESS_NAMED(screen, QString::fromLatin1(continueButton));
}

// Row 1 of the per-subject screens is mathematics below class 7.
inline void firstRowHeading(TestRun& test, const char* instance, const Answers& a)
{
    QCOMPARE(labelText(test.screen(instance), QStringLiteral("Label2")),
             a.classNumber < 7 ? QStringLiteral("МАТЕМАТИКА") : QStringLiteral("АЛГЕБРА"));
}

// The rows of a per-subject screen from the answers and the screen's button names.
template <typename T, typename ButtonOf, typename ShownOf>
std::vector<RowAnswer> subjectRows(const PerSubject<T>& answers, ButtonOf buttonOf, ShownOf shownOf)
{
    std::vector<RowAnswer> rows;
    const auto values = inScreenOrder(answers);
    for (int row = 0; row < 10; ++row) {
        const auto& value = values[static_cast<std::size_t>(row)];
        const QString label =
            QString::fromLatin1(SubjectValueLabels[static_cast<std::size_t>(row)]);
        if (value)
            rows.push_back({buttonOf(row, *value), label, shownOf(*value)});
        else
            rows.push_back({QString(), label, QString()});
    }
    return rows;
}

inline void grades(TestRun& test, const Answers& a)
{
    STEP(firstRowHeading(test, "Form1_Ball", a));
    // Each grade pressed carries its caption: "4 +" for 4+.
    Screen* screen = test.screen("Form1_Ball");
    const auto rows = inScreenOrder(a.grades);
    for (int row = 0; row < 10; ++row) {
        const auto& grade = rows[static_cast<std::size_t>(row)];
        if (grade)
            QCOMPARE(NEED_NAMED(QAbstractButton, screen, gradeButton(row, *grade))->text(),
                     gradeCaption(*grade));
    }
    answerRows(test, "Form1_Ball",
               subjectRows(
                   a.grades, [](int row, const char* g) { return gradeButton(row, g); },
                   [](const char* g) { return QString::fromLatin1(g); }),
               "Button51", a.dwell.grades);
}

inline void homework(TestRun& test, const Answers& a)
{
    STEP(firstRowHeading(test, "Form2_House", a));
    answerRows(test, "Form2_House",
               subjectRows(a.homework, homeworkButton,
                           [](int minutes) { return QStringLiteral("%1 мин").arg(minutes); }),
               "Button100", a.dwell.homework);
}

inline void distraction(TestRun& test, const Answers& a)
{
    STEP(firstRowHeading(test, "Form3_Eff", a));
    answerRows(test, "Form3_Eff", subjectRows(a.distraction, distractionButton, distractionShown),
               "Button100", a.dwell.distraction);
}

inline void interest(TestRun& test, const Answers& a)
{
    STEP(firstRowHeading(test, "Form4_Intrest", a));
    answerRows(test, "Form4_Intrest",
               subjectRows(a.interest, interestButton, [](int d) { return QString::number(d); }),
               "Button100", a.dwell.interest);
}

inline void extraAreas(TestRun& test, const Answers& a)
{
    std::vector<RowAnswer> rows;
    for (int row = 0; row < 5; ++row) {
        const int digit = a.extra[static_cast<std::size_t>(row)];
        rows.push_back(
            {extraButton(row, digit), numbered("Label", 12 + row), QString::number(digit)});
    }
    answerRows(test, "Form_Dop", rows, "Button100", a.dwell.extra);
}

// The subjects the class does not have get no button on the teacher screens.
inline void teachers(TestRun& test, const char* instance, const Answers& a,
                     const QList<int>& presses, double dwell)
{
    IN_FRONT(test, instance);
    Screen* screen = test.screen(instance);
    QCOMPARE(seen(screen, QStringLiteral("Button2")), a.classNumber >= 7);
    QCOMPARE(seen(screen, QStringLiteral("Button3")), a.classNumber >= 8);
    for (int subject : presses)
        PRESS_NAMED(screen, numbered("Button", subject));
    QCOMPARE(labelText(screen, QStringLiteral("Label22")), QStringLiteral("отмечено 3"));
    test.clock().advanceSeconds(dwell);
    PRESS(screen, "Button100");
}

inline void favourites(TestRun& test, const Answers& a)
{
    teachers(test, "Form5_Love", a, a.favouritePresses, a.dwell.favourites);
}

inline void demanding(TestRun& test, const Answers& a)
{
    teachers(test, "Form6_Treb", a, a.demandingPresses, a.dwell.demanding);
}

// The four questions left to right; each click marks the order of the choice beside the name.
inline void classmates(TestRun& test, const Answers& a)
{
    IN_FRONT(test, "Form_Psychology1");
    Screen* screen = test.screen("Form_Psychology1");
    for (int q = 1; q <= 4; ++q) {
        QVERIFY2(seen(screen, numbered("Panel", q + 1)), "the question is not shown");
        auto* grid = NEED_NAMED(ButtonCellGrid, screen, numbered("AdvStringGrid", q));
        const QList<int>& rows = a.classmates[static_cast<std::size_t>(q - 1)];
        for (int i = 0; i < rows.size(); ++i) {
            CLICK_GRID_ROW(grid, rows[i]);
            QCOMPARE(grid->cell(1, rows[i]).trimmed(), QString::number(i + 1));
        }
        if (rows.size() < 3)
            PRESS_NAMED(screen, numbered("AdvGlowButton", q));
        test.clock().advanceSeconds(a.dwell.classmateQuestion);
        PRESS_NAMED(screen, numbered("AdvGlassButton", q));
    }
}

// The finish screen asks for the surname unless the roster gave it; the exit button saves.
inline void finish(TestRun& test, const Answers& a)
{
    IN_FRONT(test, "Form7_Fam");
    Screen* screen = test.screen("Form7_Fam");
    auto* exit = NEED(QAbstractButton, screen, "AdvGlassButton1");
    QCOMPARE(exit->text(), QStringLiteral("Нажмите для выхода"));
    if (a.typedSurname) {
        auto* box = NEED(QLineEdit, screen, "Edit1");
        QVERIFY(controls::seen(box));
        QCOMPARE(screen->focusWidget(), box);
        QVERIFY(!seen(screen, QStringLiteral("sLabelFX3")));
        QVERIFY(!exit->isEnabled());
        for (const QChar ch : *a.typedSurname) {
            if (ch == QLatin1Char('\b'))
                QTest::keyClick(box, Qt::Key_Backspace);
            else
                typeText(box, QString(ch));
        }
    } else {
        QVERIFY(seen(screen, QStringLiteral("sLabelFX3")));
        QCOMPARE(labelText(screen, QStringLiteral("sLabelFX3")),
                 QStringLiteral("Вы успешно прошли тестирование"));
        QVERIFY(!seen(screen, QStringLiteral("Edit1")));
        QVERIFY(!seen(screen, QStringLiteral("sLabelFX1")));
    }
    QVERIFY(exit->isEnabled());
    test.clock().advanceSeconds(a.dwell.finish);
    PRESS(screen, "AdvGlassButton1");
}

// ---------------------------------------------------------------------------------------------
// The whole run.

struct Step
{
    const char* screen; // the screen the step answers
    void (*answer)(TestRun&, const Answers&);
};

// The screens this respondent passes, in order: the roster and classmate screens only when the
// class has a roster workbook.
inline std::vector<Step> sequenceOf(const Answers& a)
{
    std::vector<Step> steps{{"Form_Vveden", introduction}, {"Form8_Coord", classAndGender}};
    if (a.rosterRow)
        steps.push_back({"Form_FamFile", rosterPick});
    steps.insert(steps.end(), {{"Form1_Ball", grades},
                               {"Form2_House", homework},
                               {"Form3_Eff", distraction},
                               {"Form4_Intrest", interest},
                               {"Form_Dop", extraAreas},
                               {"Form5_Love", favourites},
                               {"Form6_Treb", demanding}});
    if (a.rosterRow)
        steps.push_back({"Form_Psychology1", classmates});
    steps.push_back({"Form7_Fam", finish});
    return steps;
}

// Walks the run from the screen `from` (the start if null) and stops when the screen `until`
// is in front, before answering it (the end if null).
inline void walk(TestRun& test, const Answers& a, const char* until = nullptr,
                 const char* from = nullptr)
{
    bool started = from == nullptr;
    for (const Step& step : sequenceOf(a)) {
        started = started || qstrcmp(step.screen, from) == 0;
        if (!started)
            continue;
        if (until && qstrcmp(step.screen, until) == 0) {
            IN_FRONT(test, until);
            return;
        }
        STEP(step.answer(test, a));
    }
}

// The files in STAT with their sizes.
inline QStringList statSnapshot(const TestRun& test)
{
    QStringList files;
    const QDir stat(test.path(QStringLiteral("STAT")));
    for (const QFileInfo& file : stat.entryInfoList(QDir::Files, QDir::Name))
        files << QStringLiteral("%1 (%2 bytes)").arg(file.fileName()).arg(file.size());
    return files;
}

// Which screens were shown and which closed, in order, and what STAT held when the first
// screen was closed.
class ScreenLog : public QObject
{
public:
    explicit ScreenLog(TestRun& test) : m_test(test)
    {
        for (Screen* screen : test.run().screens())
            screen->installEventFilter(this);
    }

    QStringList shown;
    QStringList closed;
    QStringList statAtFirstClose;

    // Forgets the windows closed so far (a screen the pupil closed and came back from).
    void forgetClosings()
    {
        closed.clear();
        statAtFirstClose.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shown << watched->objectName();
        else if (event->type() == QEvent::Close) {
            if (closed.isEmpty())
                statAtFirstClose = statSnapshot(m_test);
            closed << watched->objectName();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TestRun& m_test;
};

} // namespace respondent
