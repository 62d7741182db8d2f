#pragma once

#include "ReportFixtures.h"
#include "roster/RosterFixtures.h"

// The classes of a school's STAT folder as the report's page tests write them: a large class of
// the largest roster with choices, a small one whose names are hostile markup, and one that
// answered without a roster.
namespace ReportClasses {

inline const QString Script = QStringLiteral("<script>");
inline const QString Quotes = QStringLiteral("\"&'");

// 11 А: the forty names of the largest roster, each choosing the next ones, a few mutual.
inline std::vector<ReportFixtures::Pupil> fortyPupils()
{
    const QStringList names = RosterFixtures::surnames();
    std::vector<ReportFixtures::Pupil> pupils;
    for (int i = 0; i < names.size(); ++i) {
        const auto name = [&](int k) { return names[(i + k) % names.size()]; };
        ReportFixtures::Pupil p{names[i], i % 2 == 0, {}};
        if (i != 13)
            p.choices = {QStringList{name(1), name(39), name(5)}, QStringList{names[i % 4]},
                         QStringList{name(2), name(38)}, QStringList{names[(i * 7) % 40]}};
        pupils.push_back(p);
    }
    return pupils;
}

// 8 А: six pupils, two of them with names that are markup.
inline std::vector<ReportFixtures::Pupil> hostilePupils()
{
    return {
        {Script, false, {QStringList{Quotes, "Белов"}, QStringList{Script}, {}, {}}},
        {Quotes, true, {QStringList{Script}, {}, QStringList{"Белов"}, {}}},
        {"Белов", false, {QStringList{Script, Quotes}, {}, {}, QStringList{"Жукова"}}},
        {"Васильева", true, {}},
        {"Горбунов", false, {QStringList{"Белов"}, QStringList{"Белов"}, {}, {}}, 1500},
        {"Давыдова", true, {QStringList{"Васильева"}, {}, {}, {}}},
    };
}

// 6 Б: no roster, so no choices.
inline std::vector<ReportFixtures::Pupil> pupilsWithoutRoster()
{
    return {{"Иванов", false, {}}, {"Петрова", true, {}}, {"Сидоров", false, {}}};
}

inline void writeSchool(const QString& folder)
{
    ReportFixtures::writeClass(folder, QStringLiteral("11"), QStringLiteral("А"), 2017,
                               fortyPupils());
    ReportFixtures::writeClass(folder, QStringLiteral("8"), QStringLiteral("А"), 2017,
                               hostilePupils());
    ReportFixtures::writeClass(folder, QStringLiteral("6"), QStringLiteral("Б"), 2016,
                               pupilsWithoutRoster());
}

} // namespace ReportClasses
