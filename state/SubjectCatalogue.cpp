#include "state/SubjectCatalogue.h"

#include <stdexcept>

namespace SubjectCatalogue {

const std::array<Subject, SubjectCount>& subjects()
{
    static const std::array<Subject, SubjectCount> table{{
        {Algebra, "algebra", "Alg", "АЛГЕБРА", "АЛГЕБРА", "Алгебра", "algebra"},
        {Physics, "physics", "Fis", "ФИЗИКА", "ФИЗИКА", "Физика", "physics"},
        {Chemistry, "chemistry", "Him", "ХИМИЯ", "ХИМИЯ", "Химия", "chemistry"},
        {History, "history", "Ist", "ИСТОРИЯ", "ИСТОРИЯ", "История", "history"},
        {Biology, "biology", "Bio", "БИОЛОГИЯ", "БИОЛОГИЯ", "Биология", "biology"},
        {ForeignLanguage, "foreign_language", "Ino", "ИНОСТРАННЫЙ ЯЗЫК", "ИНОСТРАННЫЙ ЯЗ.",
         "Иностранный язык", "foreign language"},
        {Literature, "literature", "Lit", "ЛИТЕРАТУРА", "ЛИТЕРАТУРА", "Литература", "literature"},
        {Russian, "russian", "Rus", "РУССКИЙ ЯЗЫК", "РУССКИЙ ЯЗЫК", "Русский язык",
         "Russian language"},
        {Geography, "geography", "Geo", "ГЕОГРАФИЯ", "ГЕОГРАФИЯ", "География", "geography"},
        {Informatics, "informatics", "Inf", "ИНФОРМАТИКА", "ИНФОРМАТИКА", "Информатика",
         "informatics"},
    }};
    return table;
}

const Subject& subject(int number)
{
    if (number < 1 || number > SubjectCount)
        throw std::out_of_range("no such subject number");
    return subjects()[static_cast<std::size_t>(number - 1)];
}

const std::array<int, SubjectCount>& screenOrder()
{
    static const std::array<int, SubjectCount> order{
        Algebra, History,   Biology,     ForeignLanguage, Literature,
        Russian, Geography, Informatics, Physics,         Chemistry};
    return order;
}

bool taughtIn(int number, const QString& classNumber)
{
    const bool juniors = classNumber == QLatin1String("5") || classNumber == QLatin1String("6");
    if (number == Physics)
        return !juniors;
    if (number == Chemistry)
        return !juniors && classNumber != QLatin1String("7");
    return true;
}

static bool mathematicsInsteadOfAlgebra(int number, const QString& classNumber)
{
    return number == Algebra && classNumber.toInt() < 7;
}

QString heading(int number, const QString& classNumber)
{
    if (mathematicsInsteadOfAlgebra(number, classNumber))
        return QStringLiteral("МАТЕМАТИКА");
    return QString::fromUtf8(subject(number).heading);
}

QString gradesHeading(int number, const QString& classNumber)
{
    if (mathematicsInsteadOfAlgebra(number, classNumber))
        return QStringLiteral("МАТЕМАТИКА");
    return QString::fromUtf8(subject(number).gradesHeading);
}

QString teacherCaption(int number)
{
    return QString::fromUtf8(subject(number).teacherCaption);
}

} // namespace SubjectCatalogue
