#include "screens/ScaleScreen.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "state/SubjectCatalogue.h"
#include "widgets/GlassButton.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <numeric>
#include <stdexcept>

using namespace SubjectCatalogue;

namespace {

const QColor CaptionColumnColour(43, 55, 66);
const QColor ButtonColumnColour(31, 39, 48);
const QColor ValueColumnColour(43, 55, 66);
const QColor BannerColour(31, 39, 48);
// The face of the scale buttons: the light face of ordinary push buttons, so that they stand out
// from the dark columns as things to press.
const QColor ButtonFace(236, 238, 241);
const QColor ButtonCaption(16, 24, 32);
constexpr int CaptionIndent = 10;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QWidget* addPanel(QWidget* parent, const char* name, const QColor& colour, const QRect& geometry)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(text(name));
    setBackgroundColor(panel, colour);
    setTextColor(panel, Qt::white);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, int fontPixels,
                 Qt::Alignment alignment, const QRect& geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(text(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(screenFont(QStringLiteral("Arial"), fontPixels));
    setTextColor(label, Qt::white);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

} // namespace

QString digitScaleLegend()
{
    return QStringLiteral("0 - совершенно не интересно... 9 -  очень интересно. Может быть любое "
                          "значение от 0 до 9.");
}

void useAnswerScale(ScaleTable& table, AnswerCodes::Question question,
                    const std::vector<int>& widths)
{
    const AnswerCodes::Scale& scale = AnswerCodes::scale(question);
    if (widths.size() != 1 && widths.size() != scale.codes.size())
        throw std::logic_error("a scale needs one width, or one per button");
    table.scale.clear();
    for (std::size_t step = 0; step < scale.codes.size(); ++step) {
        const AnswerCodes::Code& code = scale.codes[step];
        table.scale.push_back(
            {code.caption, code.shown, code.code, widths.size() == 1 ? widths[0] : widths[step]});
    }
    table.notTaughtShown = scale.notTaughtShown;
    table.notTaughtCode = scale.notTaughtCode;
}

ScaleScreen::ScaleScreen(SurveyRun& run, const ScreenFrame& frame, const ScaleTable& table,
                         const FrameVariant& variant)
    : QuestionScreen(run, frame, variant), m_table(table)
{
    for (const ScaleRow& row : m_table.rows)
        if (row.buttons.size() != m_table.scale.size())
            throw std::logic_error("a scale row needs one button per step");
    buildColumns();
    m_continue = addContinueButton(text(m_table.continueButton), m_table.continueSize,
                                   m_table.continueFontPixels);
    on(m_continue, &QPushButton::clicked, [this] { AdvGlassButton1Click(); });
}

void ScaleScreen::buildColumns()
{
    const ScaleTable& t = m_table;
    // The three columns side by side, the free width shared out equally around them (left of
    // the bar where the screen shows one).
    const int usable = AdvProgressBar1->isHidden() ? width() : AdvProgressBar1->x();
    const int columns = t.captions.width + t.buttons.width + t.values.width;
    const int gap = std::max(0, (usable - columns) / 4);
    const int top = t.columnsTop;
    const int height = t.columnsHeight;
    m_captionPanel = addPanel(this, t.captions.panel, CaptionColumnColour,
                              QRect(gap, top, t.captions.width, height));
    m_buttonPanel =
        addPanel(this, t.buttons.panel, ButtonColumnColour,
                 QRect(m_captionPanel->geometry().right() + 1 + gap, top, t.buttons.width, height));
    m_valuePanel =
        addPanel(this, t.values.panel, ValueColumnColour,
                 QRect(m_buttonPanel->geometry().right() + 1 + gap, top, t.values.width, height));

    const int rowCount = static_cast<int>(t.rows.size());
    const int firstCentre = (height - t.rowPitch * (rowCount - 1)) / 2;
    for (int r = 0; r < rowCount; ++r)
        addRow(r, firstCentre + r * t.rowPitch);
}

void ScaleScreen::addRow(int r, int centre)
{
    const ScaleTable& t = m_table;
    const ScaleRow& design = t.rows[static_cast<std::size_t>(r)];
    const int bandTop = centre - t.rowPitch / 2;
    Row row;
    row.caption =
        addLabel(m_captionPanel, design.captionLabel, initialCaption(design), t.captions.fontPixels,
                 Qt::AlignLeft | Qt::AlignVCenter,
                 QRect(CaptionIndent, bandTop, t.captions.width - CaptionIndent, t.rowPitch));

    // The buttons spread evenly over the column: equal spaces between them and at both ends.
    const int steps = static_cast<int>(t.scale.size());
    const int buttonsWidth =
        std::accumulate(t.scale.begin(), t.scale.end(), 0,
                        [](int sum, const ScaleStep& step) { return sum + step.width; });
    const int spacing = std::max(0, (t.buttons.width - buttonsWidth) / (steps + 1));
    int x = (t.buttons.width - buttonsWidth - spacing * (steps - 1)) / 2;
    QPalette look = m_buttonPanel->palette();
    look.setColor(QPalette::Button, ButtonFace);
    look.setColor(QPalette::ButtonText, ButtonCaption);
    for (int s = 0; s < steps; ++s) {
        const ScaleStep& step = t.scale[static_cast<std::size_t>(s)];
        const bool last = s == steps - 1;
        auto* button = new QPushButton(
            text(last && design.lastCaption ? design.lastCaption : step.caption), m_buttonPanel);
        button->setObjectName(text(design.buttons[static_cast<std::size_t>(s)]));
        button->setFont(screenFont(QStringLiteral("Arial"), t.buttons.fontPixels));
        button->setPalette(look);
        button->setGeometry(x, centre - t.buttonHeight / 2, step.width, t.buttonHeight);
        x += step.width + spacing;
        on(button, &QPushButton::clicked, [this, r, s] { chooseValue(r, s); });
        row.buttons.push_back(button);
    }

    row.value = addLabel(m_valuePanel, design.valueLabel, QStringLiteral("-"), t.values.fontPixels,
                         Qt::AlignCenter, QRect(0, bandTop, t.values.width, t.rowPitch));
    row.value->hide();
    if (design.codeLabel) {
        row.codeLabel = addLabel(m_valuePanel, design.codeLabel, row.code, t.values.fontPixels,
                                 Qt::AlignCenter, row.value->geometry());
        row.codeLabel->hide(); // kept, never shown
    }
    if (r > 0) {
        row.caption->hide();
        for (QPushButton* button : row.buttons)
            button->hide();
    }
    nameButtonsAfterRow(row);
    m_rows.push_back(row);
}

void ScaleScreen::nameButtonsAfterRow(const Row& row)
{
    // The captions repeat from row to row; assistive tools tell the buttons apart by the row.
    for (QPushButton* button : row.buttons)
        button->setAccessibleName(row.caption->text() + QStringLiteral(": ") + button->text());
}

QString ScaleScreen::initialCaption(const ScaleRow& row) const
{
    if (row.caption)
        return text(row.caption);
    const Subject& s = subject(row.subject);
    return text(m_table.gradesHeadings ? s.gradesHeading : s.heading);
}

QLabel* ScaleScreen::addQuestionBanner(int height, const QString& caption, bool underlined)
{
    QWidget* panel = addPanel(this, "Panel1", BannerColour, QRect(0, 0, width(), height));
    QLabel* label = addLabel(panel, "Label1", caption, 19, Qt::AlignCenter, panel->rect());
    label->setFont(screenFont(QStringLiteral("Arial"), 19, true, underlined));
    return label;
}

void ScaleScreen::applyShowRules()
{
    // Rule 4 of the catalogue: below class 7 the algebra row is headed "МАТЕМАТИКА".
    const QString& classNumber = run().state.ClassNumber;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const int number = m_table.rows[r].subject;
        if (number != Algebra)
            continue;
        m_rows[r].caption->setText(m_table.gradesHeadings ? gradesHeading(number, classNumber)
                                                          : heading(number, classNumber));
        nameButtonsAfterRow(m_rows[r]);
    }
}

void ScaleScreen::chooseValue(int row, int step)
{
    const ScaleStep& chosen = m_table.scale.at(static_cast<std::size_t>(step));
    m_rows.at(static_cast<std::size_t>(row)).value->setText(text(chosen.shown));
    setCode(row, text(chosen.code));
    rowStep(row);
}

void ScaleScreen::rowStep(int row)
{
    const QString& classNumber = run().state.ClassNumber;
    m_rows[static_cast<std::size_t>(row)].value->show();

    // The rows are revealed top to bottom. A subject the class does not have (physics and
    // chemistry form the bottom rows) is never revealed: it and the subjects after it that the
    // class does not have hold "not taught".
    for (int next = row + 1; next < static_cast<int>(m_rows.size()); ++next) {
        if (taught(next, classNumber)) {
            reveal(next);
            break;
        }
        markNotTaught(next);
    }

    // Continue once every row the class has is answered.
    bool complete = true;
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (taught(static_cast<int>(r), classNumber) && m_rows[r].value->isHidden())
            complete = false;
    if (complete)
        m_continue->show();
}

bool ScaleScreen::taught(int row, const QString& classNumber) const
{
    const int subject = m_table.rows[static_cast<std::size_t>(row)].subject;
    return subject == 0 || taughtIn(subject, classNumber);
}

void ScaleScreen::reveal(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    Row& revealed = m_rows[static_cast<std::size_t>(row)];
    revealed.caption->show();
    for (QPushButton* button : revealed.buttons)
        button->show();
}

void ScaleScreen::markNotTaught(int row)
{
    m_rows[static_cast<std::size_t>(row)].value->setText(text(m_table.notTaughtShown));
    setCode(row, text(m_table.notTaughtCode));
}

void ScaleScreen::setCode(int row, const QString& code)
{
    Row& target = m_rows[static_cast<std::size_t>(row)];
    target.code = code;
    if (target.codeLabel)
        target.codeLabel->setText(code);
}

QPushButton* ScaleScreen::button(int row, int step) const
{
    return m_rows.at(static_cast<std::size_t>(row)).buttons.at(static_cast<std::size_t>(step));
}

void ScaleScreen::storeAnswer()
{
    // Subject rows take the places of the record order (their subject numbers); rows of their
    // own take theirs in row order.
    std::vector<std::pair<int, std::size_t>> places;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const int subject = m_table.rows[r].subject;
        places.emplace_back(subject > 0 ? subject : static_cast<int>(r) + 1, r);
    }
    std::sort(places.begin(), places.end());

    QString& answer = run().state.*m_table.answer;
    answer.clear();
    for (const auto& [placeNumber, r] : places)
        answer += place(m_rows[r].code);
}

void ScaleScreen::AdvGlassButton1Click()
{
    storeAnswer();
    run().showScreen(m_table.next(run()));
}
