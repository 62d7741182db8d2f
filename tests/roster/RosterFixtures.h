#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The workbooks tests/fixtures/make_rosters.py writes into the build tree, and the names in them.
namespace RosterFixtures {

inline QString path(const QString& fileName)
{
    return QDir(QStringLiteral(ROSTER_FIXTURES_DIR)).absoluteFilePath(fileName);
}

inline const QStringList& surnames()
{
    static const QStringList names = {
        "Абрамова", "Белов",   "Васильева", "Горбунов",  "Давыдова", "Егоров",   "Жукова",
        "Зайцев",   "Ильина",  "Кузнецов",  "Лебедева",  "Морозов",  "Никитина", "Орлов",
        "Павлова",  "Романов", "Соколова",  "Тихонов",   "Ушакова",  "Фёдоров",  "Харитонова",
        "Цветков",  "Чернова", "Шилов",     "Щербакова", "Яковлев",  "Андреев",  "Борисова",
        "Волков",   "Громова", "Дмитриев",  "Ершова",    "Захаров",  "Калинина", "Лазарев",
        "Макарова", "Новиков", "Осипова",   "Петров",    "Сергеева",
    };
    return names;
}

// Surnames first … first + count - 1.
inline QStringList surnames(int first, int count)
{
    return surnames().mid(first, count);
}

} // namespace RosterFixtures
