#include "screens/TeacherChoiceScreen.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "state/SubjectCatalogue.h"
#include "widgets/GlassButton.h"
#include "widgets/SegmentedVerticalBar.h"

#include <QLabel>

namespace {

const QColor BannerColour(31, 39, 48);
const QColor ButtonsPanelColour(31, 39, 48);
const QColor MarksPanelColour(43, 55, 66);
const QColor MarkedShine(255, 170, 30);

constexpr int BarWidth = 14;
constexpr int BannerHeight = 105;
constexpr int ColumnTop = 111;
constexpr int ColumnHeight = 577;
constexpr int ButtonsPanelLeft = 8;
constexpr int ButtonsPanelWidth = 837;
constexpr int ColumnGap = 6;
constexpr QSize SubjectButtonSize(400, 36);
constexpr QSize ContinueSize(280, 40);

QWidget* panel(QWidget* parent, const char* name, const QColor& colour, const QRect& geometry)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    setBackgroundColor(widget, colour);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int pixels,
              const QColor& colour)
{
    auto* widget = new QLabel(text, parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(screenFont(QStringLiteral("Arial"), pixels));
    widget->setAlignment(Qt::AlignCenter);
    setTextColor(widget, colour);
    return widget;
}

// The top of row i of ten in a column of ColumnHeight pixels, for a widget of this height.
int rowTop(int row, int height)
{
    const double pitch = ColumnHeight / 10.0;
    return static_cast<int>(row * pitch + (pitch - height) / 2.0 + 0.5);
}

} // namespace

const std::array<TeacherChoiceScreen::SubjectRow, 10>& TeacherChoiceScreen::subjectRows()
{
    using namespace SubjectCatalogue;
    static const std::array<SubjectRow, 10> rows{{
        {"Button1", "Label12", Algebra},
        {"Button4", "Label15", History},
        {"Button5", "Label16", Biology},
        {"Button6", "Label17", ForeignLanguage},
        {"Button7", "Label18", Literature},
        {"Button8", "Label19", Russian},
        {"Button9", "Label20", Geography},
        {"Button10", "Label21", Informatics},
        {"Button2", "Label13", Physics},
        {"Button3", "Label14", Chemistry},
    }};
    return rows;
}

QString TeacherChoiceScreen::plainCaption(int number)
{
    return SubjectCatalogue::teacherCaption(number);
}

QString TeacherChoiceScreen::markedCaption(int number)
{
    return plainCaption(number) + QStringLiteral(" отмечено");
}

QString TeacherChoiceScreen::codeText(int number)
{
    return place(QString::number(number));
}

TeacherChoiceScreen::TeacherChoiceScreen(SurveyRun& run, const ScreenFrame& frame,
                                         const TeacherScreenTexts& texts)
    : QuestionScreen(run, frame)
{
    const int usableWidth = width() - BarWidth;

    Panel1 = panel(this, "Panel1", BannerColour, QRect(0, 0, usableWidth, BannerHeight));
    Label1 = label(Panel1, "Label1", texts.headline, 19, Qt::white);
    Label1->setGeometry(0, 22, usableWidth, 30);
    Label23 = label(Panel1, "Label23", QStringLiteral("(Повторное нажатие отменяет выбор)"), 19,
                    Qt::yellow);
    Label23->setGeometry(0, 56, usableWidth, 30);

    Panel2 = panel(this, "Panel2", ButtonsPanelColour,
                   QRect(ButtonsPanelLeft, ColumnTop, ButtonsPanelWidth, ColumnHeight));
    const int marksLeft = ButtonsPanelLeft + ButtonsPanelWidth + ColumnGap;
    Panel4 = panel(this, "Panel4", MarksPanelColour,
                   QRect(marksLeft, ColumnTop, texts.marksPanelWidth, ColumnHeight));

    int row = 0;
    for (const SubjectRow& subject : subjectRows()) {
        auto* button = new GlassButton(plainCaption(subject.number), Panel2);
        button->setObjectName(QString::fromLatin1(subject.button));
        button->setFont(screenFont(QStringLiteral("Arial"), 19));
        setTextColor(button, Qt::white);
        button->setGeometry((ButtonsPanelWidth - SubjectButtonSize.width()) / 2,
                            rowTop(row, SubjectButtonSize.height()), SubjectButtonSize.width(),
                            SubjectButtonSize.height());
        const int number = subject.number;
        on(button, &QPushButton::clicked, [this, number] { SubjectButtonClick(number); });
        m_buttons[static_cast<std::size_t>(number)] = button;

        QLabel* mark = label(Panel4, subject.markLabel, QStringLiteral("отмечено"), 16, Qt::white);
        mark->setGeometry(0, rowTop(row, SubjectButtonSize.height()), texts.marksPanelWidth,
                          SubjectButtonSize.height());
        mark->hide();
        m_marks[static_cast<std::size_t>(number)] = mark;
        ++row;
    }

    Button100 = addContinueButton(QStringLiteral("Button100"), ContinueSize, 19);
    on(Button100, &QPushButton::clicked, [this] { AdvGlassButton1Click(); });

    Label22 = label(this, "Label22", texts.counterAtStart, 19, Qt::black);
    setBackgroundColor(Label22, Qt::white);
    Label22->setGeometry(marksLeft, height() - 42, texts.marksPanelWidth, 32);

    AdvProgressBar1->raise();
}

GlassButton* TeacherChoiceScreen::subjectButton(int number) const
{
    return m_buttons.at(static_cast<std::size_t>(number));
}

QLabel* TeacherChoiceScreen::markLabel(int number) const
{
    return m_marks.at(static_cast<std::size_t>(number));
}

bool TeacherChoiceScreen::isMarked(int number) const
{
    return subjectButton(number)->text() == markedCaption(number);
}

void TeacherChoiceScreen::SubjectButtonClick(int number)
{
    if (MarkedCount < MarksNeeded && !isMarked(number)) {
        showMark(number, true);
        ChoiceCodes.append(codeText(number));
        ++MarkedCount;
    } else if (isMarked(number)) {
        showMark(number, false);
        ChoiceCodes.removeOne(codeText(number));
        --MarkedCount;
    }
    Label22->setText(QStringLiteral("отмечено %1").arg(MarkedCount));
    const bool complete = MarkedCount == MarksNeeded;
    Button100->setVisible(complete);
    setTextColor(Label22, complete ? Qt::red : Qt::black);
}

void TeacherChoiceScreen::showMark(int number, bool marked)
{
    GlassButton* button = subjectButton(number);
    button->setText(marked ? markedCaption(number) : plainCaption(number));
    button->setShineColor(marked ? MarkedShine : GlassButton::defaultShineColor());
    markLabel(number)->setVisible(marked);
}

void TeacherChoiceScreen::applyShowRules()
{
    const QString& classNumber = run().state.ClassNumber;
    for (const SubjectRow& subject : subjectRows()) {
        const bool taught = SubjectCatalogue::taughtIn(subject.number, classNumber);
        subjectButton(subject.number)->setVisible(taught);
        markLabel(subject.number)->setVisible(taught && isMarked(subject.number));
    }
}
