#include "screens/Unit_Vveden.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "screens/Unit8_Coord.h"
#include "widgets/GlassButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QLabel>

namespace {

const ScreenFrame Frame{QStringLiteral("Form_Vveden"), QStringLiteral("Введение"),
                        QSize(1024, 738)};
constexpr quint32 DarkBand = 2629914;

} // namespace

TForm_Vveden::TForm_Vveden(SurveyRun& run) : Screen(run, Frame)
{
    Shader1 = addShader(this);

    Label1 = addWhiteLine(Shader1, QStringLiteral("Label1"),
                          QStringLiteral("   Вам предлагается ответить на 7 - 11 простых вопросов"),
                          30, 190, 60);

    Label2 = new QLabel(QStringLiteral("ВРЕМЯ ОТВЕТА НЕ ОГРАНИЧЕНО,"), Shader1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(screenFont(QStringLiteral("Arial"), 32));
    Label2->setAlignment(Qt::AlignCenter);
    setTextColor(Label2, Qt::yellow);
    setBackgroundColor(Label2, windowsColor(DarkBand));
    Label2->setGeometry(162, 300, 700, 64);

    Label3 = addWhiteLine(
        Shader1, QStringLiteral("Label3"),
        QStringLiteral("однако желательно потратить не более минуты на один вопрос"), 26, 392, 52);

    AdvGlassButton1 = new GlassButton(Shader1);
    AdvGlassButton1->setObjectName(QStringLiteral("AdvGlassButton1"));
    AdvGlassButton1->setText(QStringLiteral("Продолжить"));
    AdvGlassButton1->setFont(screenFont(QStringLiteral("Arial"), 22));
    setTextColor(AdvGlassButton1, Qt::white);
    AdvGlassButton1->setGeometry((width() - 280) / 2, 600, 280, 54);
    on(AdvGlassButton1, &GlassButton::clicked, [this] { AdvGlassButton1Click(); });
}

void TForm_Vveden::AdvGlassButton1Click()
{
    run().showModal(run().Form8_Coord);
}
