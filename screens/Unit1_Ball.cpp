#include "screens/Unit1_Ball.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/Unit2_House.h"
#include "state/SubjectCatalogue.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <array>

using namespace SubjectCatalogue;

namespace {

const ScreenFrame Frame{QStringLiteral("Form1_Ball"),
                        QStringLiteral("Оценка за четверть (полугодие, триместр)"),
                        QSize(1024, 738)};

const QColor BannerColour(26, 33, 40);
constexpr int BannerHeight = 91;
constexpr int HintBarHeight = 31;

FrameVariant frameVariant()
{
    FrameVariant variant;
    variant.timeSeparator = QLatin1Char('.');
    variant.barShown = false;
    variant.startsTestClock = true;
    return variant;
}

// What the hint bar tells of each grade button, in the order of the scale.
struct GradeHint
{
    const char* qualifier;
    const char* digit;
};
constexpr std::array<GradeHint, 10> GradeHints{{
    {"твердая", "2"},
    {"немного выше", "2"},
    {"слабая", "3"},
    {"твердая", "3"},
    {"немного выше", "3"},
    {"слабая", "4"},
    {"твердая", "4"},
    {"немного выше", "4"},
    {"слабая", "5"},
    {"твердая", "5"},
}};

// Each row: the plain grades "2" … "5" are numbered buttons, the plus and minus steps carry the
// subject's design code (the "2 +" of history is spelled Buttonist2p).
ScaleTable gradesTable()
{
    ScaleTable t;
    t.rows = {
        {Algebra,
         nullptr,
         "Label2",
         {"Button1", "ButtonAlg2p", "ButtonAlg3m", "Button2", "ButtonAlg3p", "ButtonAlg4m",
          "Button3", "ButtonAlg4p", "ButtonAlg5m", "Button4"},
         "Label12",
         "Label12_2"},
        {History,
         nullptr,
         "Label5",
         {"Button16", "Buttonist2p", "ButtonIst3m", "Button17", "ButtonIst3p", "ButtonIst4m",
          "Button18", "ButtonIst4p", "ButtonIst5m", "Button19"},
         "Label15",
         "Label15_2"},
        {Biology,
         nullptr,
         "Label6",
         {"Button21", "ButtonBio2p", "ButtonBio3m", "Button22", "ButtonBio3p", "ButtonBio4m",
          "Button23", "ButtonBio4p", "ButtonBio5m", "Button24"},
         "Label16",
         "Label16_2"},
        {ForeignLanguage,
         nullptr,
         "Label7",
         {"Button26", "ButtonIno2p", "ButtonIno3m", "Button27", "ButtonIno3p", "ButtonIno4m",
          "Button28", "ButtonIno4p", "ButtonIno5m", "Button29"},
         "Label17",
         "Label17_2"},
        {Literature,
         nullptr,
         "Label8",
         {"Button31", "ButtonLit2p", "ButtonLit3m", "Button32", "ButtonLit3p", "ButtonLit4m",
          "Button33", "ButtonLit4p", "ButtonLit5m", "Button34"},
         "Label18",
         "Label18_2"},
        {Russian,
         nullptr,
         "Label9",
         {"Button36", "ButtonRus2p", "ButtonRus3m", "Button37", "ButtonRus3p", "ButtonRus4m",
          "Button38", "ButtonRus4p", "ButtonRus5m", "Button39"},
         "Label19",
         "Label19_2"},
        {Geography,
         nullptr,
         "Label10",
         {"Button41", "ButtonGeo2p", "ButtonGeo3m", "Button42", "ButtonGeo3p", "ButtonGeo4m",
          "Button43", "ButtonGeo4p", "ButtonGeo5m", "Button44"},
         "Label20",
         "Label20_2"},
        {Informatics,
         nullptr,
         "Label11",
         {"Button46", "ButtonInf2p", "ButtonInf3m", "Button47", "ButtonInf3p", "ButtonInf4m",
          "Button48", "ButtonInf4p", "ButtonInf5m", "Button49"},
         "Label21",
         "Label21_2"},
        {Physics,
         nullptr,
         "Label3",
         {"Button6", "ButtonFis2p", "ButtonFis3m", "Button7", "ButtonFis3p", "ButtonFis4m",
          "Button8", "ButtonFis4p", "ButtonFis5m", "Button9"},
         "Label13",
         "Label13_2"},
        {Chemistry,
         nullptr,
         "Label4",
         {"Button11", "ButtonHim2p", "ButtonHim3m", "Button12", "ButtonHim3p", "ButtonHim4m",
          "Button13", "ButtonHim4p", "ButtonHim5m", "Button14"},
         "Label14",
         "Label14_2"},
    };
    useAnswerScale(t, AnswerCodes::Question::Grades, {55});
    t.answer = &SurveyState::GradesAnswer;
    t.next = [](SurveyRun& run) -> Screen* { return run.Form2_House; };
    t.gradesHeadings = true;

    t.columnsTop = BannerHeight + HintBarHeight;
    t.columnsHeight = 573;
    t.rowPitch = 57;
    t.captions = {"Panel3", 267, 24};
    t.buttons = {"Panel2", 616, 24};
    t.values = {"Panel4", 132, 24};
    t.buttonHeight = 35;
    t.continueButton = "Button51";
    t.continueSize = QSize(196, 31);
    t.continueFontPixels = 16;
    return t;
}

QLabel* bannerLine(QWidget* banner, const char* name, const QString& text, int pixels,
                   const QColor& colour, int y, int height)
{
    auto* line = new QLabel(text, banner);
    line->setObjectName(QString::fromLatin1(name));
    line->setTextFormat(Qt::PlainText);
    line->setFont(screenFont(QStringLiteral("Arial"), pixels));
    setTextColor(line, colour);
    line->setAlignment(Qt::AlignCenter);
    line->setGeometry(0, y, banner->width(), height);
    return line;
}

} // namespace

TForm1_Ball::TForm1_Ball(SurveyRun& run) : ScaleScreen(run, Frame, gradesTable(), frameVariant())
{
    auto* banner = new QWidget(this);
    banner->setObjectName(QStringLiteral("Panel1"));
    setBackgroundColor(banner, BannerColour);
    banner->setGeometry(0, 0, width(), BannerHeight);
    bannerLine(banner, "Label1", QStringLiteral("Введите свою оценку за последнюю четверть"), 19,
               Qt::white, 3, 28);
    bannerLine(banner, "Label22",
               QStringLiteral("Вы можете ее уточнить, используя  ' - '  или  ' + '    ЭТО ВАЖНО!"),
               19, Qt::yellow, 31, 28);
    bannerLine(
        banner, "Label23",
        QStringLiteral("Если оценка неизвестна - просьба объективно оценить ее самостоятельно"), 16,
        Qt::white, 59, 28);

    Panel5 = new QLabel(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setTextFormat(Qt::PlainText);
    Panel5->setFont(screenFont(QStringLiteral("Arial"), 15));
    setBackgroundColor(Panel5, BannerColour);
    setTextColor(Panel5, Qt::yellow);
    Panel5->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel5->setGeometry(0, BannerHeight, width(), HintBarHeight);
    Panel5->hide();

    // The pointer over the columns: the panels follow it, and so do the buttons of the first
    // row. No button passes its moves on to the button column, whose own handler hides the bar.
    captionPanel()->setMouseTracking(true);
    captionPanel()->installEventFilter(this);
    buttonPanel()->setMouseTracking(true);
    buttonPanel()->installEventFilter(this);
    for (int row = 0; row < static_cast<int>(table().rows.size()); ++row)
        for (int step = 0; step < static_cast<int>(table().scale.size()); ++step)
            button(row, step)->setAttribute(Qt::WA_NoMousePropagation);
    for (int step = 0; step < static_cast<int>(table().scale.size()); ++step) {
        button(0, step)->setMouseTracking(true);
        button(0, step)->installEventFilter(this);
    }
    button(0, 0)->setToolTip(QStringLiteral("твердая 2"));
}

QString TForm1_Ball::gradeHint(int step)
{
    const GradeHint& hint = GradeHints.at(static_cast<std::size_t>(step));
    return QString(16, QLatin1Char(' ')) + QStringLiteral("Ваша четвертная оценка ") +
           QString::fromUtf8(hint.qualifier) + QStringLiteral(" \"") +
           QString::fromLatin1(hint.digit) + QLatin1Char('"');
}

bool TForm1_Ball::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove)
        return ScaleScreen::eventFilter(watched, event);
    if (watched == buttonPanel()) {
        run().handle([this] { Panel2MouseMove(); });
    } else if (watched == captionPanel()) {
        run().handle([this] { Panel3MouseMove(); });
    } else {
        for (int step = 0; step < static_cast<int>(table().scale.size()); ++step)
            if (watched == button(0, step))
                run().handle([this, step] { showGradeHint(step); });
    }
    return false; // the button still follows the pointer while it is held down
}

void TForm1_Ball::showGradeHint(int step)
{
    Panel5->show();
    Panel5->setText(gradeHint(step));
}

void TForm1_Ball::Panel2MouseMove()
{
    Panel5->hide();
    Panel5->setText(QString());
}

void TForm1_Ball::Panel3MouseMove()
{
    Panel5->setText(QString());
}

void TForm1_Ball::AdvGlassButton1Click()
{
    SurveyState& state = run().state;
    state.GradesSeconds =
        DateTime::roundedSeconds(run().clock().steadyMs() - state.TestStartSteadyMs);
    storeAnswer();
    run().showModal(table().next(run()), [this] { closeByProgram(); });
}
