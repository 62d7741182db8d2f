#include "state/AnswerCodes.h"

#include <array>

namespace AnswerCodes {
namespace {

// A minus step is stored as the grade less 0.3, a plus step as the grade plus 0.3.
constexpr std::array<Code, 10> Grades{{
    {"2  ", "2", "2", "твердая 2", "a firm 2"},
    {"2.3", "2 +", "2+", "2 с плюсом", "2 plus"},
    {"2.7", "3 -", "3-", "слабая 3", "a weak 3 (3 minus)"},
    {"3  ", "3", "3", "твердая 3", "a firm 3"},
    {"3.3", "3 +", "3+", "3 с плюсом", "3 plus"},
    {"3.7", "4 -", "4-", "слабая 4", "a weak 4 (4 minus)"},
    {"4  ", "4", "4", "твердая 4", "a firm 4"},
    {"4.3", "4 +", "4+", "4 с плюсом", "4 plus"},
    {"4.7", "5 -", "5-", "слабая 5", "a weak 5 (5 minus)"},
    {"5  ", "5", "5", "твердая 5", "a firm 5"},
}};

// There is no button for 50 minutes. The code is the first two characters of the value.
constexpr std::array<Code, 7> Homework{{
    {"0 ", "0 мин", "0 мин", "0 минут", "0 minutes"},
    {"10", "10 мин", "10 мин", "10 минут", "10 minutes"},
    {"20", "20 мин", "20 мин", "20 минут", "20 minutes"},
    {"30", "30 мин", "30 мин", "30 минут", "30 minutes"},
    {"40", "40 мин", "40 мин", "40 минут", "40 minutes"},
    {"60", "60 мин", "60 мин", "60 минут", "60 minutes"},
    {"90", "90 и больше", "90 мин", "90 минут и больше", "90 minutes or more"},
}};

constexpr std::array<Code, 6> Distraction{{
    {"0 ", "Не отвлекаюсь", "0 мин", "не отвлекается", "not distracted"},
    {"5 ", "5 мин", "5 мин", "5 минут", "5 minutes"},
    {"10", "10 мин", "10 мин", "10 минут", "10 minutes"},
    {"20", "20 мин", "20 мин", "20 минут", "20 minutes"},
    {"30", "30 мин", "30 мин", "30 минут", "30 minutes"},
    {"40", "Весь урок", "40(45) мин", "весь урок (40–45 минут)",
     "the whole lesson (40–45 minutes)"},
}};

constexpr std::array<Code, 10> Digits{{
    {"0", "0", "0", "0 — совершенно не интересно", "0 — not interesting at all"},
    {"1", "1", "1", "1", "1"},
    {"2", "2", "2", "2", "2"},
    {"3", "3", "3", "3", "3"},
    {"4", "4", "4", "4", "4"},
    {"5", "5", "5", "5", "5"},
    {"6", "6", "6", "6", "6"},
    {"7", "7", "7", "7", "7"},
    {"8", "8", "8", "8", "8"},
    {"9", "9", "9", "9 — очень интересно", "9 — very interesting"},
}};

constexpr std::array<Code, 2> Genders{{
    {"1", "Мужской", "Мужской", "мужской", "male"},
    {"0", "Женский", "Женский", "женский", "female"},
}};

constexpr std::array<Area, 5> Areas{{
    {"economics", "ЭКОНОМИКА И ФИНАНСЫ", "economics and finance"},
    {"world_culture", "МИРОВАЯ КУЛЬТУРА", "world culture"},
    {"sports_clubs", "СПОРТИВНЫЕ СЕКЦИИ", "sports clubs"},
    {"religious_education", "РЕЛИГИОЗНОЕ ОБРАЗОВАНИЕ", "religious education"},
    {"military_education", "ВОЕННОЕ ОБРАЗОВАНИЕ", "military education"},
}};

constexpr std::array<ClassmateQuestion, 4> Questions{{
    {"desk_mate", "С кем бы Вы хотели сидеть за одной партой?", "Ни с кем",
     "Whom would you like to share a desk with?"},
    {"class_head", "Кого бы Вы выбрали старостой класса?", "Ни кого",
     "Whom would you choose as the head of the class?"},
    {"sports", "Выберите учащихся для спортивных соревнований", "Ни кого",
     "Choose pupils for a sports competition"},
    {"olympiad", "Выбирете учащихся на научную олимпиаду", "Ни кого",
     "Choose pupils for a science olympiad"},
}};

const std::array<Scale, 6>& scales()
{
    static const std::array<Scale, 6> table{{
        {Question::Grades, Grades, "0  ", "0"},
        {Question::Homework, Homework, "0 ", "0 "},
        {Question::Distraction, Distraction, "0 ", "0 "},
        {Question::Interest, Digits, "0", "0"},
        {Question::Extra, Digits, nullptr, nullptr},
        {Question::Gender, Genders, nullptr, nullptr},
    }};
    return table;
}

QString trimmedRight(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

const Scale& scale(Question question)
{
    for (const Scale& s : scales())
        if (s.question == question)
            return s;
    return scales().front(); // every Question has its row above
}

std::span<const Area> extraAreas()
{
    return Areas;
}

std::span<const ClassmateQuestion> classmateQuestions()
{
    return Questions;
}

QString trimmedCode(const Code& code)
{
    return trimmedRight(QString::fromUtf8(code.code));
}

bool isValid(const Scale& scale, const QString& trimmedValue, bool includeNotTaught)
{
    for (const Code& code : scale.codes)
        if (trimmedCode(code) == trimmedValue)
            return true;
    return includeNotTaught && scale.notTaughtCode &&
           trimmedRight(QString::fromUtf8(scale.notTaughtCode)) == trimmedValue;
}

} // namespace AnswerCodes
