#include "screens/Unit7_Fam.h"

#include "app/Look.h"
#include "app/QuestionScreen.h"
#include "app/SurveyRun.h"
#include "widgets/ShadowLabel.h"

#include <QLineEdit>
#include <QTimer>

namespace {
const ScreenFrame Frame{QStringLiteral("Form7_Fam"), QString(), QSize(1132, 760),
                        ScreenFrame::Border::None};
} // namespace

TForm7_Fam::TForm7_Fam(SurveyRun& run) : Screen(run, Frame)
{
    sLabelFX4 = new ShadowLabel(QStringLiteral("Время тестирования"), this);
    sLabelFX4->setObjectName(QStringLiteral("sLabelFX4"));
    sLabelFX4->setFont(screenFont(QStringLiteral("Arial"), 19));
    setTextColor(sLabelFX4, Qt::white);
    sLabelFX4->setAlignment(Qt::AlignCenter);
    sLabelFX4->setGeometry(416, 600, 300, 30);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAlignment(Qt::AlignCenter);
    Edit2->setFont(screenFont(QStringLiteral("Tahoma"), 16));
    Edit2->setGeometry(526, 634, 80, 28);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    on(Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
    Timer1->start();
}

void TForm7_Fam::Timer1Timer()
{
    Edit2->setText(QStringLiteral("0"));
    Edit2->setText(QuestionScreen::testTimeText(run()));
}
