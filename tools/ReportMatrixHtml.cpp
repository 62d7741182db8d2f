#include "state/AnswerCodes.h"
#include "tools/ReportHtml.h"
#include "tools/ReportMarkup.h"

#include <algorithm>
#include <numeric>

// The sociomatrix of one file and what goes with it: mutual choices, stars, the unchosen, and one
// small table per question, all without a script, so that the print shows everything.
namespace SurveyData::Report::Parts {
namespace {

// The questions, short, for the lists.
const std::array<const char*, ClassmateQuestionCount> ShortQuestions{
    "за одной партой", "староста", "спортивные соревнования", "научная олимпиада"};

QString nameText(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("(без фамилии)") : escaped(name);
}

QString namesOf(const Sociomatrix& m, const std::vector<int>& columns)
{
    QStringList names;
    for (const int c : columns)
        names.append(nameText(m.columns[c]));
    return names.join(QStringLiteral(", "));
}

QString warnings(const Sociomatrix& m)
{
    QString out;
    for (const SharedName& shared : m.sharedNames) {
        QStringList lines;
        for (const qint64 line : shared.lines)
            lines.append(QString::number(line));
        out += QStringLiteral(
                   "<p class=\"warning\">Внимание: имя «%1» стоит в %2 анкетах (строки файла %3). "
                   "Имена в записях обрезаны до 12 знаков, поэтому разных учеников с одинаковыми "
                   "первыми 12 знаками (или одного ученика, заполнившего анкету дважды) здесь не "
                   "различить: у каждой анкеты своя строка, а выборы этого имени собраны в одном "
                   "столбце.</p>")
                   .arg(nameText(shared.name))
                   .arg(shared.lines.size())
                   .arg(lines.join(QStringLiteral(", ")));
    }
    if (!m.possiblyCut.empty())
        out += QStringLiteral("<p class=\"note\">Имена из 12 знаков могли быть обрезаны (в "
                              "записи для имени 12 знаков): %1.</p>")
                   .arg(namesOf(m, m.possiblyCut));
    return out;
}

QString matrixTable(const Sociomatrix& m)
{
    const auto columns = static_cast<int>(m.columns.size());
    QString out = QStringLiteral("<table class=\"sociomatrix\"><thead><tr><th class=\"corner\">"
                                 "кто выбирал ↓<br/>кого выбрали →</th>");
    for (int c = 0; c < columns; ++c)
        out += QStringLiteral("<th class=\"name%1\" scope=\"col\"><span>%2</span></th>")
                   .arg(c < m.respondentColumns ? QString() : QStringLiteral(" norecord"),
                        nameText(m.columns[c]));
    out += QStringLiteral("</tr></thead><tbody>");
    for (const SociomatrixRow& row : m.rows) {
        out += QStringLiteral("<tr%1><th scope=\"row\" title=\"строка %2\">%3</th>")
                   .arg(row.choseNobody ? QStringLiteral(" class=\"nochoice\"") : QString())
                   .arg(row.line)
                   .arg(nameText(row.name));
        for (int c = 0; c < columns; ++c) {
            const auto i = static_cast<std::size_t>(c);
            QStringList classes;
            if (c == row.column)
                classes << QStringLiteral("own");
            if (c == row.column && row.cells[i] > 0)
                classes << QStringLiteral("self");
            if (row.mutual[i])
                classes << QStringLiteral("mutual");
            const QString attribute =
                classes.isEmpty()
                    ? QString()
                    : QStringLiteral(" class=\"%1\"").arg(classes.join(QLatin1Char(' ')));
            out +=
                row.cells[i] == 0
                    ? QStringLiteral("<td%1></td>").arg(attribute)
                    : QStringLiteral("<td%1><span>%2</span></td>").arg(attribute).arg(row.cells[i]);
        }
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</tbody><tfoot><tr><th>Получено выборов</th>");
    for (int c = 0; c < columns; ++c) {
        const bool star = std::find(m.stars.begin(), m.stars.end(), c) != m.stars.end();
        out += QStringLiteral("<td%1>%2</td>")
                   .arg(star ? QStringLiteral(" class=\"star\"") : QString())
                   .arg(m.received[static_cast<std::size_t>(c)]);
    }
    return out + QStringLiteral("</tr></tfoot></table>");
}

QString legend(const Sociomatrix& m)
{
    QString out = QStringLiteral(
        "<p class=\"legend\">В клетке — в скольких из четырёх вопросов ученик строки выбрал "
        "ученика столбца (пусто — ни в одном). Обведено — взаимный выбор в одном и том же "
        "вопросе. Серая клетка — сам ученик; «!» — ученик выбрал сам себя (выбор учтён). В "
        "строке «Получено выборов» в рамке — больше всего выборов.");
    if (m.respondentColumns < m.columns.size())
        out += QStringLiteral(" Столбцы курсивом — выбранные, у кого нет своей анкеты в файле.");
    if (m.rowsWithoutChoices > 0)
        out += QStringLiteral(" Строки курсивом — анкеты без единого выбора.");
    return out + QStringLiteral("</p>");
}

QString summaryLists(const Sociomatrix& m)
{
    QString out = QStringLiteral("<h3>Взаимные выборы</h3>");
    if (m.mutualPairs.empty()) {
        out += QStringLiteral("<p>Взаимных выборов нет.</p>");
    } else {
        out += QStringLiteral("<ul>");
        for (const MutualPair& pair : m.mutualPairs) {
            QStringList questions;
            for (const int q : pair.questions)
                questions.append(QString::fromUtf8(ShortQuestions[static_cast<std::size_t>(q)]));
            out += QStringLiteral("<li>%1 — %2: %3</li>")
                       .arg(nameText(m.columns[pair.first]), nameText(m.columns[pair.second]),
                            questions.join(QStringLiteral(", ")));
        }
        out += QStringLiteral("</ul>");
    }
    out += QStringLiteral("<h3>Кого выбирают</h3><ul>");
    out += QStringLiteral("<li><b>Больше всего выборов</b> (%1): %2.</li>")
               .arg(m.received[static_cast<std::size_t>(m.stars.front())])
               .arg(namesOf(m, m.stars));
    out += m.unchosen.empty()
               ? QStringLiteral("<li>Каждого из ответивших кто-нибудь выбрал.</li>")
               : QStringLiteral("<li><b>Не выбрал никто:</b> %1.</li>").arg(namesOf(m, m.unchosen));
    std::vector<int> withoutRecord(static_cast<std::size_t>(m.columns.size()) -
                                   static_cast<std::size_t>(m.respondentColumns));
    std::iota(withoutRecord.begin(), withoutRecord.end(), m.respondentColumns);
    if (!withoutRecord.empty())
        out += QStringLiteral("<li>Выбраны, но своей анкеты в файле нет: %1.</li>")
                   .arg(namesOf(m, withoutRecord));
    QStringList self, nobody;
    for (const SociomatrixRow& row : m.rows) {
        if (row.choseSelf)
            self.append(nameText(row.name));
        if (row.choseNobody)
            nobody.append(nameText(row.name));
    }
    if (!self.isEmpty())
        out += QStringLiteral("<li><b>Выбрали сами себя</b> (выбор учтён): %1.</li>")
                   .arg(self.join(QStringLiteral(", ")));
    out += QStringLiteral("<li><b>Анкет без единого выбора: %1</b>%2 (во всех четырёх вопросах "
                          "«Ни с кем» / «Ни кого», или анкета заполнена без списка класса).</li>")
               .arg(m.rowsWithoutChoices)
               .arg(nobody.isEmpty() ? QString()
                                     : QStringLiteral(" — ") + nobody.join(QStringLiteral(", ")));
    return out + QStringLiteral("</ul>");
}

QString questionTable(const Sociomatrix& m, std::size_t q)
{
    const AnswerCodes::ClassmateQuestion& question = AnswerCodes::classmateQuestions()[q];
    std::vector<int> chosen;
    for (int c = 0; c < m.columns.size(); ++c)
        if (m.receivedByQuestion[static_cast<std::size_t>(c)][q] > 0)
            chosen.push_back(c);
    std::stable_sort(chosen.begin(), chosen.end(), [&](int a, int b) {
        return m.receivedByQuestion[static_cast<std::size_t>(a)][q] >
               m.receivedByQuestion[static_cast<std::size_t>(b)][q];
    });
    QString out = QStringLiteral("<div><h4>%1. %2</h4>")
                      .arg(q + 1)
                      .arg(escaped(QString::fromUtf8(question.question)));
    if (chosen.empty())
        return out + QStringLiteral("<p>Никого не выбрали.</p></div>");
    out += QStringLiteral("<table><thead><tr><th>Кого выбрали</th><th>Выборов</th><th>Кто выбрал"
                          "</th></tr></thead><tbody>");
    for (const int c : chosen) {
        QStringList by;
        for (const SociomatrixRow& row : m.rows)
            if (row.choices[q].contains(m.columns[c]))
                by.append(nameText(row.name));
        out += QStringLiteral("<tr><td>%1</td><td class=\"num\">%2</td><td class=\"who\">%3</td>"
                              "</tr>")
                   .arg(nameText(m.columns[c]))
                   .arg(m.receivedByQuestion[static_cast<std::size_t>(c)][q])
                   .arg(by.join(QStringLiteral(", ")));
    }
    out += QStringLiteral("</tbody></table><p class=\"note\">Никого не выбрали в этом вопросе: "
                          "%1.</p></div>")
               .arg(m.nobodyByQuestion[q]);
    return out;
}

} // namespace

QString sociomatrixBlock(const ClassSummary& summary, const Sociomatrix& m)
{
    const bool wide = m.columns.size() > WideMatrixColumns;
    QString out =
        QStringLiteral("<div class=\"sociogram%1\"><h3>Социоматрица: класс %2, %3 "
                       "год</h3>")
            .arg(wide ? QStringLiteral(" wide") : QString(), escaped(classLabel(summary.name)))
            .arg(summary.name.year);
    out += warnings(m) + matrixTable(m) + legend(m) + QStringLiteral("</div>");
    out += summaryLists(m);
    out += QStringLiteral("<h3>По вопросам</h3><div class=\"questions\">");
    for (std::size_t q = 0; q < ClassmateQuestionCount; ++q)
        out += questionTable(m, q);
    return out + QStringLiteral("</div>");
}

} // namespace SurveyData::Report::Parts
