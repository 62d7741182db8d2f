#include "screens/Unit8_Coord.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/Unit10_FamFile.h"
#include "screens/Unit1_Ball.h"
#include "screens/Unit7_Fam.h"
#include "screens/Unit_MarkPM.h"
#include "state/AnswerCodes.h"
#include "state/SubjectCatalogue.h"
#include "widgets/GlassButton.h"
#include "widgets/GradientPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <iterator>
#include <span>
#include <stdexcept>

namespace {

const ScreenFrame Frame{QStringLiteral("Form8_Coord"), QStringLiteral("Координаты"),
                        QSize(1024, 738), ScreenFrame::Border::Dialog, Qt::black};

constexpr quint32 ButtonsPanelColour = 5784871;
constexpr int BandHeight = 89;
constexpr int PanelPadding = 10;
constexpr int ButtonGap = 10;
constexpr int ButtonHeight = 56;

struct ButtonRow
{
    const char* name;
    const char* caption;
    int width;
};

const ButtonRow ClassButtons[] = {
    {"Button1", "1", 62}, {"Button2", "2", 62},   {"Button3", "3", 62},   {"Button4", "4", 62},
    {"Button5", "5", 62}, {"Button6", "6", 62},   {"Button7", "7", 62},   {"Button8", "8", 62},
    {"Button9", "9", 62}, {"Button10", "10", 62}, {"Button11", "11", 62},
};

// The Cyrillic capitals; "Другое" (Button18) is handled apart.
const ButtonRow StreamButtons[] = {
    {"Button12", "А", 62}, {"Button13", "Б", 62}, {"Button14", "В", 62},
    {"Button15", "Г", 62}, {"Button16", "Д", 62}, {"Button17", "Е", 62},
};
const ButtonRow OtherStreamButton{"Button18", "Другое", 150};

// The gender buttons in the order of the gender codes of the core table, which gives their
// captions and the code each stores.
const char* const GenderButtonNames[] = {"Button20", "Button21"};
constexpr int GenderButtonWidth = 200;

QLabel* heading(QWidget* parent, const char* name, const QString& text, int pixels, int y,
                bool bold = true)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(screenFont(QStringLiteral("Arial"), pixels, bold));
    setTextColor(label, Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, y, parent->width(), pixels + 14);
    return label;
}

// A panel of buttons, centred across the screen, sized to the buttons it will hold.
QWidget* buttonPanel(QWidget* parent, const char* name, int buttonsWidth, int y)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    setBackgroundColor(panel, windowsColor(ButtonsPanelColour));
    const int width = buttonsWidth + 2 * PanelPadding;
    panel->setGeometry((parent->width() - width) / 2, y, width, ButtonHeight + 2 * PanelPadding);
    return panel;
}

template <std::size_t N> int rowWidth(const ButtonRow (&rows)[N], int extra = 0)
{
    int width = extra;
    for (const ButtonRow& row : rows)
        width += row.width;
    return width + ButtonGap * static_cast<int>(N - 1);
}

GlassButton* addButton(QWidget* panel, const ButtonRow& row, int& x, int fontPixels)
{
    auto* button = new GlassButton(QString::fromUtf8(row.caption), panel);
    button->setObjectName(QString::fromLatin1(row.name));
    button->setFont(screenFont(QStringLiteral("Arial"), fontPixels));
    setTextColor(button, Qt::white);
    button->setGeometry(x, PanelPadding, row.width, ButtonHeight);
    x += row.width + ButtonGap;
    return button;
}

// A small box in the top band that shows one answer.
QLabel* answerBox(QWidget* parent, const char* panelName, const char* labelName, QWidget*& panel,
                  const QRect& geometry)
{
    panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(panelName));
    setBackgroundColor(panel, windowsColor(ButtonsPanelColour));
    panel->setGeometry(geometry);
    auto* label = new QLabel(panel);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setFont(screenFont(QStringLiteral("Arial"), 26));
    setTextColor(label, Qt::yellow);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(panel->rect());
    panel->hide();
    return label;
}

} // namespace

TForm8_Coord::TForm8_Coord(SurveyRun& run) : Screen(run, Frame)
{
    Shader1 = new GradientPanel(this);
    Shader1->setObjectName(QStringLiteral("Shader1"));
    Shader1->setColors(QColor(12, 96, 110), QColor(18, 40, 58));
    Shader1->setOrientation(Qt::Horizontal);
    Shader1->setGeometry(0, 0, width(), BandHeight);

    // The three answer boxes stand side by side in the middle of the band.
    const int boxTop = 16, boxHeight = BandHeight - 32, gap = 12;
    const int left = (width() - (70 + gap + 70 + gap + 170)) / 2;
    Label4 = answerBox(Shader1, "Panel5", "Label4", Panel5, QRect(left, boxTop, 70, boxHeight));
    Label5 = answerBox(Shader1, "Panel6", "Label5", Panel6,
                       QRect(left + 70 + gap, boxTop, 70, boxHeight));
    Label7 = answerBox(Shader1, "Panel2", "Label7", Panel2,
                       QRect(left + 2 * (70 + gap), boxTop, 170, boxHeight));

    Label1 = heading(this, "Label1", QStringLiteral("Введите номер класса"), 30, 104);
    Label3 =
        heading(this, "Label3", QStringLiteral("(Нажмите соответствующую кнопку)"), 18, 146, false);

    Panel3 = buttonPanel(this, "Panel3", rowWidth(ClassButtons), 182);
    int x = PanelPadding;
    for (const ButtonRow& row : ClassButtons) {
        GlassButton* button = addButton(Panel3, row, x, 26);
        const QString number = button->text();
        button->setEnabled(number.toInt() >= SubjectCatalogue::FirstClass); // 1 to 4 take no part
        on(button, &QPushButton::clicked, [this, number] { ClassButtonClick(number); });
    }

    Label2 = heading(this, "Label2", QStringLiteral("Введите поток класса"), 28, 290);
    Panel4 = buttonPanel(this, "Panel4",
                         rowWidth(StreamButtons, ButtonGap + OtherStreamButton.width), 336);
    x = PanelPadding;
    for (const ButtonRow& row : StreamButtons) {
        GlassButton* button = addButton(Panel4, row, x, 26);
        const QString letter = button->text();
        on(button, &QPushButton::clicked, [this, letter] { StreamButtonClick(letter); });
    }
    on(addButton(Panel4, OtherStreamButton, x, 22), &QPushButton::clicked,
       [this] { Button18Click(); });
    Label2->hide();
    Panel4->hide();

    Label6 = heading(this, "Label6", QStringLiteral("Выберите пол"), 28, 444);
    const std::span<const AnswerCodes::Code> genders =
        AnswerCodes::scale(AnswerCodes::Question::Gender).codes;
    if (genders.size() != std::size(GenderButtonNames))
        throw std::logic_error("one gender button per gender code");
    Panel1 = buttonPanel(this, "Panel1", 2 * GenderButtonWidth + ButtonGap, 490);
    x = PanelPadding;
    for (std::size_t i = 0; i < genders.size(); ++i) {
        const AnswerCodes::Code& gender = genders[i];
        GlassButton* button =
            addButton(Panel1, {GenderButtonNames[i], gender.caption, GenderButtonWidth}, x, 24);
        const QString shown = QString::fromUtf8(gender.shown);
        const QString code = QString::fromUtf8(gender.code);
        on(button, &QPushButton::clicked, [this, shown, code] { GenderButtonClick(shown, code); });
    }
    Label6->hide();
    Panel1->hide();

    AdvGlassButton1 = new GlassButton(QStringLiteral("Продолжить"), this);
    AdvGlassButton1->setObjectName(QStringLiteral("AdvGlassButton1"));
    AdvGlassButton1->setFont(screenFont(QStringLiteral("Arial"), 22));
    setTextColor(AdvGlassButton1, Qt::white);
    AdvGlassButton1->setGeometry((width() - 280) / 2, 630, 280, 54);
    AdvGlassButton1->hide();
    on(AdvGlassButton1, &QPushButton::clicked, [this] { AdvGlassButton1Click(); });

    // A way to the grade refinement form for trials; nothing makes it visible.
    Button19 = new QPushButton(QStringLiteral("Button19"), this);
    Button19->setObjectName(QStringLiteral("Button19"));
    Button19->setGeometry(AdvGlassButton1->geometry().right() + 24, 645, 75, 25);
    Button19->hide();
    on(Button19, &QPushButton::clicked, [this] { Button19Click(); });
}

void TForm8_Coord::ClassButtonClick(const QString& number)
{
    Label4->setText(number);
    Panel4->show();
    Label2->show();
    Panel5->show();
}

void TForm8_Coord::StreamButtonClick(const QString& letter)
{
    Label5->setText(letter);
    run().state.ClassStream = letter;
    revealGenderStage();
}

void TForm8_Coord::Button18Click()
{
    Label5->setText(QStringLiteral("др"));
    revealGenderStage();
}

void TForm8_Coord::revealGenderStage()
{
    Panel4->show();
    Panel6->show();
    Panel1->show();
    Label6->show();
}

void TForm8_Coord::GenderButtonClick(const QString& shown, const QString& code)
{
    run().state.GenderCode = place(code);
    AdvGlassButton1->show();
    Label7->setText(shown);
    Panel2->show();
}

void TForm8_Coord::AdvGlassButton1Click()
{
    SurveyState& state = run().state;
    state.ClassNumber = Label4->text();
    state.RosterWorkbookName = state.formRosterWorkbookName();
    // The pupil may have picked a name on the roster of another class and come back: that name
    // is forgotten, and the finish screen asks for the surname unless a name of this class's
    // roster is picked.
    run().Form_FamFile->forgetPickUnlessFrom(state.RosterWorkbookName);
    if (run().existsInWorkingFolder(state.RosterWorkbookName))
        run().showScreen(run().Form_FamFile);
    else
        run().showScreen(run().Form1_Ball);
}

void TForm8_Coord::Button19Click()
{
    run().showScreen(run().FormMarkPM);
}
