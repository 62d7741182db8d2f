#include "tools/RecordDictionary.h"

#include "state/AnswerCodes.h"
#include "state/SubjectCatalogue.h"
#include "storage/SurveyRecord.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace RecordDictionary {
namespace {

using AnswerCodes::Question;
using SurveyRecord::PlaceWidth;

// How a field of the layout falls into places, which decides the rows of the place table.
enum class Places {
    One,        // one place of its own
    Subjects,   // one place per subject, record order
    Teachers,   // three subject codes in marking order
    Areas,      // one place per additional area
    Classmates, // three places per classmate question
};

// What the dictionary says of each field of the layout; the layout itself gives the positions.
struct FieldText
{
    const char* field; // SurveyRecord::Field::name
    Places places;
    const char* russian;
    const char* english;
    const char* values; // one-place fields: the value set; otherwise what each place holds
    const char* csv;    // the column, or the prefix of the columns, of `survey-data export`
    std::optional<Question> question = std::nullopt;
};

const std::array<FieldText, 12> FieldTexts{{
    {"Surname", Places::One, "Фамилия", "surname",
     "the surname typed on the finish screen (blanks appended, cut to 12 characters) or the name "
     "picked from the class roster; a character that Windows-1251 lacks became `?`, a control "
     "character a blank; 12 blanks when nothing was typed",
     "surname"},
    {"GenderCode", Places::One, "Пол", "gender", "[gender code](#gender)", "gender",
     Question::Gender},
    {"GradesAnswer", Places::Subjects, "Оценка за последнюю четверть (полугодие, триместр)",
     "grade of the last quarter (half-year, trimester)", "[grade code](#grades)", "grade_",
     Question::Grades},
    {"HomeworkAnswer", Places::Subjects, "Время на домашнее задание по предмету, минут",
     "minutes spent on the homework of the subject", "[homework minutes](#homework)", "homework_",
     Question::Homework},
    {"DistractionAnswer", Places::Subjects, "Сколько минут отвлекается на уроке",
     "minutes distracted in a lesson of the subject", "[distraction minutes](#distraction)",
     "distraction_", Question::Distraction},
    {"InterestAnswer", Places::Subjects, "Интерес к предмету", "interest in the subject",
     "[interest digit](#interest)", "interest_", Question::Interest},
    {"FavouriteTeachersAnswer", Places::Teachers, "Наиболее любимые преподаватели",
     "favourite teachers",
     "[subject code](#subjects) of a subject the class has; the three codes differ", "favourite_"},
    {"DemandingTeachersAnswer", Places::Teachers, "Наиболее требовательные преподаватели",
     "most demanding teachers",
     "[subject code](#subjects) of a subject the class has; the three codes differ", "demanding_"},
    {"ExtraAnswer", Places::Areas, "Интерес к дополнительным областям",
     "interest in additional areas", "[interest digit](#extra)", "extra_", Question::Extra},
    {"ClassmateChoiceAnswer", Places::Classmates, "Выбор одноклассников", "classmate choices",
     "a name as the roster grid shows it (12 characters), or 12 blanks: fewer than three picked, "
     "the «nobody» button, or no roster workbook for the class",
     ""},
    {"GradesSeconds", Places::One, "Время на экране оценок, секунд",
     "seconds spent on the quarter grades screen", "[number place](#seconds)", "grades_seconds"},
    {"DemandingTeachersSeconds", Places::One,
     "Время от начала теста до конца экрана требовательных преподавателей, секунд",
     "seconds from the start of the test to the end of the demanding teachers screen",
     "[number place](#seconds)", "demanding_seconds"},
}};

const FieldText& describe(const SurveyRecord::Field& field)
{
    for (const FieldText& text : FieldTexts)
        if (qstrcmp(text.field, field.name) == 0)
            return text;
    throw std::logic_error(std::string("the record dictionary does not describe the field ") +
                           field.name);
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// A code as readers meet it: its trailing blanks taken off.
QString trimmedRight(const char* code)
{
    QString text = utf8(code);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString quoted(const QString& code)
{
    return QStringLiteral("`") + code + QStringLiteral("`");
}

QString row(const QStringList& cells)
{
    return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
}

QString head(const QStringList& cells)
{
    QStringList rule;
    for (qsizetype i = 0; i < cells.size(); ++i)
        rule.append(QStringLiteral("---"));
    return row(cells) + QStringLiteral("|") + rule.join(QStringLiteral("|")) +
           QStringLiteral("|\n");
}

QString positions(int first, int width)
{
    return QStringLiteral("%1–%2").arg(first).arg(first + width - 1);
}

// "5, 6", "1, 2, 4–10": runs of three or more consecutive numbers joined.
QString numberList(const std::vector<int>& numbers)
{
    if (numbers.empty())
        return QStringLiteral("none");
    QStringList runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        if (j - i < 2)
            j = i;
        runs.append(j == i ? QString::number(numbers[i])
                           : QStringLiteral("%1–%2").arg(numbers[i]).arg(numbers[j]));
        i = j + 1;
    }
    return runs.join(QStringLiteral(", "));
}

QString classText(int classNumber)
{
    return QString::number(classNumber);
}

std::vector<int> classes(int subject, bool taught)
{
    std::vector<int> list;
    for (int c = SubjectCatalogue::FirstClass; c <= SubjectCatalogue::LastClass; ++c)
        if (SubjectCatalogue::taughtIn(subject, classText(c)) == taught)
            list.push_back(c);
    return list;
}

std::vector<int> subjectsOf(int classNumber, bool taught)
{
    std::vector<int> list;
    for (const SubjectCatalogue::Subject& s : SubjectCatalogue::subjects())
        if (SubjectCatalogue::taughtIn(s.number, classText(classNumber)) == taught)
            list.push_back(s.number);
    return list;
}

// A row heading, with the classes that see another one: "АЛГЕБРА; МАТЕМАТИКА in classes 5–6".
QString headingText(int subject, QString (*headingIn)(int, const QString&))
{
    const QString usual = headingIn(subject, classText(SubjectCatalogue::LastClass));
    QString text = usual;
    QString other;
    std::vector<int> otherClasses;
    for (int c = SubjectCatalogue::FirstClass; c <= SubjectCatalogue::LastClass; ++c) {
        const QString heading = headingIn(subject, classText(c));
        if (heading != usual) {
            other = heading;
            otherClasses.push_back(c);
        }
    }
    if (!otherClasses.empty())
        text += QStringLiteral("; ") + other + QStringLiteral(" in classes ") +
                numberList(otherClasses);
    return text;
}

QString notTaughtNote(int subject, const char* notTaughtCode)
{
    const std::vector<int> without = classes(subject, false);
    if (without.empty() || !notTaughtCode)
        return QString();
    return QStringLiteral("; ") + quoted(trimmedRight(notTaughtCode)) +
           QStringLiteral(" in classes ") + numberList(without);
}

QString ordinalRu(int n)
{
    return QString::number(n) + QStringLiteral("-й");
}

QString fieldTable()
{
    QString text =
        head({QStringLiteral("Positions"), QStringLiteral("Width"), QStringLiteral("Field"),
              QStringLiteral("Содержание"), QStringLiteral("Content"), QStringLiteral("Places")});
    for (const SurveyRecord::Field& field : SurveyRecord::Layout) {
        const FieldText& t = describe(field);
        QString places;
        switch (t.places) {
        case Places::One:
            places = QStringLiteral("one");
            break;
        case Places::Subjects:
            places = QStringLiteral("%1, one per subject in record order: subject n at %2 + "
                                    "(n − 1) × %3")
                         .arg(SubjectCatalogue::SubjectCount)
                         .arg(field.position)
                         .arg(PlaceWidth);
            break;
        case Places::Teachers:
            places = QStringLiteral("%1 subject codes in the order of marking")
                         .arg(field.width / PlaceWidth);
            break;
        case Places::Areas:
            places =
                QStringLiteral("%1, one per additional area").arg(AnswerCodes::extraAreas().size());
            break;
        case Places::Classmates:
            places = QStringLiteral("%1 questions × %2 choices, in question order")
                         .arg(AnswerCodes::classmateQuestions().size())
                         .arg(AnswerCodes::ChoicesPerQuestion);
            break;
        }
        text += row({positions(field.position, field.width), QString::number(field.width),
                     quoted(utf8(field.name)), utf8(t.russian), utf8(t.english), places});
    }
    return text;
}

// The rows of the place table for one field, checked against the field's width.
QStringList placeRows(const SurveyRecord::Field& field, const FieldText& t)
{
    QStringList rows;
    auto add = [&](const QString& place, const QString& russian, const QString& english,
                   const QString& values, const QString& column) {
        const int first = field.position + static_cast<int>(rows.size()) * PlaceWidth;
        rows.append(row({positions(first, PlaceWidth), quoted(utf8(field.name)), place, russian,
                         english, values, column.isEmpty() ? QString() : quoted(column)}));
    };
    const QString values = utf8(t.values);
    switch (t.places) {
    case Places::One:
        add(QStringLiteral("—"), utf8(t.russian), utf8(t.english), values, utf8(t.csv));
        break;
    case Places::Subjects: {
        const char* notTaught = AnswerCodes::scale(*t.question).notTaughtCode;
        for (const SubjectCatalogue::Subject& s : SubjectCatalogue::subjects())
            add(QString::number(s.number), utf8(s.teacherCaption), utf8(s.english),
                values + notTaughtNote(s.number, notTaught), utf8(t.csv) + utf8(s.key));
        break;
    }
    case Places::Teachers:
        for (int n = 1; n <= field.width / PlaceWidth; ++n)
            add(QString::number(n), ordinalRu(n) + QStringLiteral(" отмеченный предмет"),
                QStringLiteral("subject marked %1").arg(n), values,
                utf8(t.csv) + QString::number(n));
        break;
    case Places::Areas: {
        int n = 0;
        for (const AnswerCodes::Area& area : AnswerCodes::extraAreas()) {
            ++n;
            add(QString::number(n), utf8(area.caption), utf8(area.english), values,
                utf8(t.csv) + QString::number(n));
        }
        break;
    }
    case Places::Classmates: {
        int q = 0;
        for (const AnswerCodes::ClassmateQuestion& question : AnswerCodes::classmateQuestions()) {
            ++q;
            for (int n = 1; n <= AnswerCodes::ChoicesPerQuestion; ++n)
                add(QStringLiteral("%1.%2").arg(q).arg(n),
                    utf8(question.question) + QStringLiteral(" — ") + ordinalRu(n) +
                        QStringLiteral(" выбор"),
                    utf8(question.english) + QStringLiteral(" — choice %1").arg(n), values,
                    utf8(question.key) + QStringLiteral("_%1").arg(n));
        }
        break;
    }
    }
    if (static_cast<int>(rows.size()) * PlaceWidth != field.width)
        throw std::logic_error(std::string("the places of the field ") + field.name +
                               " do not fill its width");
    return rows;
}

QString placeTable()
{
    QString text =
        head({QStringLiteral("Positions"), QStringLiteral("Field"), QStringLiteral("Place"),
              QStringLiteral("Значение"), QStringLiteral("Meaning"), QStringLiteral("Values"),
              QStringLiteral("CSV column")});
    for (const SurveyRecord::Field& field : SurveyRecord::Layout)
        text += placeRows(field, describe(field)).join(QString());
    return text;
}

QString anchor(const char* id, const QString& title)
{
    return QStringLiteral("<a id=\"%1\"></a>\n\n### %2\n\n").arg(QLatin1String(id), title);
}

// One value set: its codes left to right on the screen, then what a missing subject holds.
QString scaleTable(Question question, bool withShown)
{
    const AnswerCodes::Scale& scale = AnswerCodes::scale(question);
    QStringList columns{QStringLiteral("Stored"), QStringLiteral("Button")};
    if (withShown)
        columns.append(QStringLiteral("Shown after the press"));
    columns += QStringList{QStringLiteral("Значение"), QStringLiteral("Meaning")};
    QString text = head(columns);
    for (const AnswerCodes::Code& code : scale.codes) {
        QStringList cells{quoted(AnswerCodes::trimmedCode(code)),
                          QStringLiteral("«") + utf8(code.caption) + QStringLiteral("»")};
        if (withShown)
            cells.append(QStringLiteral("«") + utf8(code.shown) + QStringLiteral("»"));
        cells += QStringList{utf8(code.meaningRu), utf8(code.meaningEn)};
        text += row(cells);
    }
    if (!scale.notTaughtCode)
        return text;

    const QString notTaught = trimmedRight(scale.notTaughtCode);
    QStringList cells{quoted(notTaught), QStringLiteral("—")};
    if (withShown)
        cells.append(QStringLiteral("—"));
    cells += QStringList{QStringLiteral("предмета нет в этом классе"),
                         QStringLiteral("the class has no such subject")};
    text += row(cells) + QStringLiteral("\n");
    const bool alsoAnAnswer = AnswerCodes::isValid(scale, notTaught, false);
    text += alsoAnAnswer
                ? QStringLiteral("A subject the class does not have holds %1 as well, the same as "
                                 "the answer %1: tell them apart by the class "
                                 "([subjects by class](#classes)), never by the value.\n")
                      .arg(quoted(notTaught))
                : QStringLiteral("%1 is no answer: it stands only where the class does not have "
                                 "the subject ([subjects by class](#classes)).\n")
                      .arg(quoted(notTaught));
    return text;
}

QString subjectTable()
{
    QString text =
        head({QStringLiteral("Code"), QStringLiteral("CSV key"), QStringLiteral("Предмет"),
              QStringLiteral("Subject"), QStringLiteral("Row heading on the screens"),
              QStringLiteral("Quarter grades screen"), QStringLiteral("Taught in classes"),
              QStringLiteral("Row on the screens")});
    const auto& order = SubjectCatalogue::screenOrder();
    for (const SubjectCatalogue::Subject& s : SubjectCatalogue::subjects()) {
        const auto at = std::find(order.begin(), order.end(), s.number);
        text += row({quoted(QString::number(s.number)), quoted(utf8(s.key)), utf8(s.teacherCaption),
                     utf8(s.english), headingText(s.number, &SubjectCatalogue::heading),
                     headingText(s.number, &SubjectCatalogue::gradesHeading),
                     numberList(classes(s.number, true)), QString::number(at - order.begin() + 1)});
    }
    return text;
}

QString classTable()
{
    QString text = head({QStringLiteral("Class"), QStringLiteral("Subjects asked (codes)"),
                         QStringLiteral("Places that hold `0` in the four per-subject fields"),
                         QStringLiteral("Teacher codes that can occur")});
    for (int c = SubjectCatalogue::FirstClass; c <= SubjectCatalogue::LastClass; ++c) {
        const std::vector<int> asked = subjectsOf(c, true);
        text += row(
            {classText(c), numberList(asked), numberList(subjectsOf(c, false)), numberList(asked)});
    }
    return text;
}

QString areaTable()
{
    QString text = head({QStringLiteral("Place"), QStringLiteral("Область"), QStringLiteral("Area"),
                         QStringLiteral("Key"), QStringLiteral("CSV column")});
    int n = 0;
    for (const AnswerCodes::Area& area : AnswerCodes::extraAreas()) {
        ++n;
        text += row({QString::number(n), utf8(area.caption), utf8(area.english),
                     quoted(utf8(area.key)), quoted(QStringLiteral("extra_%1").arg(n))});
    }
    return text;
}

QString classmateTable()
{
    const SurveyRecord::Field* field = nullptr;
    for (const SurveyRecord::Field& f : SurveyRecord::Layout)
        if (describe(f).places == Places::Classmates)
            field = &f;
    if (!field)
        throw std::logic_error("the record has no classmate field");
    QString text = head({QStringLiteral("Question"), QStringLiteral("Positions"),
                         QStringLiteral("Вопрос"), QStringLiteral("Question (English)"),
                         QStringLiteral("«Nobody» button"), QStringLiteral("CSV columns")});
    const int questionWidth = AnswerCodes::ChoicesPerQuestion * PlaceWidth;
    int q = 0;
    for (const AnswerCodes::ClassmateQuestion& question : AnswerCodes::classmateQuestions()) {
        text += row({QString::number(q + 1),
                     positions(field->position + q * questionWidth, questionWidth),
                     utf8(question.question), utf8(question.english),
                     QStringLiteral("«") + utf8(question.nobody) + QStringLiteral("»"),
                     quoted(utf8(question.key) + QStringLiteral("_1")) + QStringLiteral("…") +
                         quoted(utf8(question.key) +
                                QStringLiteral("_%1").arg(AnswerCodes::ChoicesPerQuestion))});
        ++q;
    }
    return text;
}

// How a number place looks, by the number of digits: what numberPlace() writes. Blanks are
// shown as ␣ so that they can be counted.
QString secondsTable()
{
    QString text =
        head({QStringLiteral("Value"), QStringLiteral("Place"), QStringLiteral("Example")});
    struct Range
    {
        const char* values;
        qint32 example;
    };
    const Range ranges[] = {{"0–9", 7}, {"10–99", 42}, {"100–999", 615}};
    for (const Range& r : ranges) {
        QString place = SurveyRecord::numberPlace(r.example);
        const qsizetype digits = QString::number(r.example).size();
        text += row({utf8(r.values),
                     QStringLiteral("%1 digit%2, %3 blanks")
                         .arg(digits)
                         .arg(digits == 1 ? QString() : QStringLiteral("s"))
                         .arg(place.size() - digits),
                     quoted(place.replace(QLatin1Char(' '), QChar(0x2423)))});
    }
    QString unreal = SurveyRecord::numberPlace(SurveyRecord::UnrealSeconds);
    text += row({QStringLiteral("%1 or more").arg(SurveyRecord::UnrealSeconds),
                 QStringLiteral("the digits, blanks up to 12; not a believable time"),
                 quoted(unreal.replace(QLatin1Char(' '), QChar(0x2423)))});
    return text;
}

} // namespace

QString tables()
{
    QString text;
    text += QStringLiteral("## The fields of the record\n\n") + fieldTable();
    text += QStringLiteral("\n## Every place of the record\n\n") + placeTable();
    text += QStringLiteral("\n## Value sets\n\n");
    text += anchor("grades", QStringLiteral("Grade codes — оценки")) +
            scaleTable(Question::Grades, true);
    text += QStringLiteral("\n") +
            anchor("homework", QStringLiteral("Homework minutes — домашняя загруженность")) +
            scaleTable(Question::Homework, true);
    text += QStringLiteral("\n") +
            anchor("distraction", QStringLiteral("Distraction minutes — отвлечение на уроке")) +
            scaleTable(Question::Distraction, true);
    text += QStringLiteral("\n") +
            anchor("interest", QStringLiteral("Interest digits — интерес к предмету")) +
            scaleTable(Question::Interest, false);
    text += QStringLiteral("\n") +
            anchor("extra", QStringLiteral("Additional areas — дополнительные области")) +
            scaleTable(Question::Extra, false) + QStringLiteral("\n") + areaTable();
    text += QStringLiteral("\n") + anchor("gender", QStringLiteral("Gender codes — пол")) +
            scaleTable(Question::Gender, false);
    text += QStringLiteral("\n") + anchor("subjects", QStringLiteral("Subject codes — предметы")) +
            subjectTable();
    text += QStringLiteral("\n") +
            anchor("classmates", QStringLiteral("Classmate questions — выбор одноклассников")) +
            classmateTable();
    text += QStringLiteral("\n") + anchor("seconds", QStringLiteral("Number places — секунды")) +
            secondsTable();
    text += QStringLiteral("\n") +
            anchor("classes", QStringLiteral("Subjects by class — предметы по классам")) +
            classTable();
    return text;
}

std::optional<QString> generatedPart(const QString& document)
{
    const QString begin = QLatin1String(BeginMarker) + QLatin1Char('\n');
    const QString end = QLatin1Char('\n') + QLatin1String(EndMarker);
    const qsizetype from = document.indexOf(begin);
    if (from < 0 || document.indexOf(begin, from + 1) >= 0)
        return std::nullopt;
    const qsizetype start = from + begin.size();
    const qsizetype to = document.indexOf(end, start - 1);
    if (to < 0 || document.indexOf(end, to + 1) >= 0)
        return std::nullopt;
    return document.mid(start, std::max<qsizetype>(0, to + 1 - start));
}

std::optional<QString> regenerated(const QString& document)
{
    const std::optional<QString> part = generatedPart(document);
    if (!part)
        return std::nullopt;
    const qsizetype start =
        document.indexOf(QLatin1String(BeginMarker)) + qsizetype(qstrlen(BeginMarker)) + 1;
    QString result = document;
    result.replace(start, part->size(), tables());
    return result;
}

QString updateDocument(const QString& path, bool* changed)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    const QString document = QString::fromUtf8(file.readAll());
    file.close();
    const std::optional<QString> updated = regenerated(document);
    if (!updated)
        return QStringLiteral("%1 lacks the marker lines, each once:\n%2\n%3")
            .arg(path, QLatin1String(BeginMarker), QLatin1String(EndMarker));
    if (changed)
        *changed = *updated != document;
    if (*updated == document)
        return QString();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(updated->toUtf8()) < 0 || !out.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
    return QString();
}

} // namespace RecordDictionary
