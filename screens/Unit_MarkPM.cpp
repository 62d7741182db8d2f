#include "screens/Unit_MarkPM.h"

#include "app/Look.h"
#include "app/SurveyRun.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

namespace {

const QColor Teal(0, 128, 128);
const QPoint DesignedPosition(40, 40);

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    return button;
}

QProgressBar* progressBar(QWidget* parent, const char* name, int position, const QRect& geometry)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setValue(position);
    bar->setTextVisible(false);
    bar->setGeometry(geometry);
    return bar;
}

} // namespace

SpinButtonPair::SpinButtonPair(QWidget* parent)
    : QWidget(parent), m_up(arrowButton(this, "up", Qt::UpArrow)),
      m_down(arrowButton(this, "down", Qt::DownArrow))
{
    connect(m_up, &QToolButton::clicked, this, &SpinButtonPair::upClicked);
    connect(m_down, &QToolButton::clicked, this, &SpinButtonPair::downClicked);
}

void SpinButtonPair::setAccessibleNames(const QString& what)
{
    m_up->setAccessibleName(what + QStringLiteral(": больше"));
    m_down->setAccessibleName(what + QStringLiteral(": меньше"));
}

void SpinButtonPair::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

UpDownSpinner::UpDownSpinner(QWidget* parent) : SpinButtonPair(parent)
{
    connect(this, &SpinButtonPair::upClicked, this, [this] { step(+1); });
    connect(this, &SpinButtonPair::downClicked, this, [this] { step(-1); });
}

void UpDownSpinner::setPosition(int position)
{
    m_position = position;
    if (m_partner)
        m_partner->setText(QString::number(position));
}

void UpDownSpinner::setPartner(QLineEdit* partner)
{
    m_partner = partner;
    setPosition(m_position);
}

void UpDownSpinner::step(int direction)
{
    const int next = std::clamp(m_position + direction, m_minimum, std::max(m_minimum, m_maximum));
    if (next == m_position)
        return;
    Q_EMIT changing();
    setPosition(next);
}

TFormMarkPM::TFormMarkPM(SurveyRun& run)
    : Screen(run, {QStringLiteral("FormMarkPM"), QStringLiteral("FormMarkPM"), QSize(1227, 656),
                   ScreenFrame::Border::Sizeable, QApplication::palette().color(QPalette::Button)})
{
    move(DesignedPosition);

    AdvSmoothTrackBar4 = new QSlider(Qt::Horizontal, this);
    AdvSmoothTrackBar4->setObjectName(QStringLiteral("AdvSmoothTrackBar4"));
    AdvSmoothTrackBar4->setRange(20, 50); // 2.0 … 5.0 in steps of 0.1
    AdvSmoothTrackBar4->setSingleStep(1);
    AdvSmoothTrackBar4->setPageStep(5);
    AdvSmoothTrackBar4->setTickPosition(QSlider::TicksBelow);
    AdvSmoothTrackBar4->setTickInterval(1);
    AdvSmoothTrackBar4->setValue(30);
    AdvSmoothTrackBar4->setGeometry(24, 16, 1179, 56);
    on(AdvSmoothTrackBar4, &QSlider::valueChanged,
       [this] { AdvSmoothTrackBar4PositionChanging(trackBarPosition()); });

    Edit1 = new QLineEdit(QStringLiteral("3"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(screenFont(QStringLiteral("Tahoma"), 32));
    setTextColor(Edit1, Teal);
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setGeometry(24, 96, 150, 56);

    ScrollBarAlg = new QScrollBar(Qt::Horizontal, this);
    ScrollBarAlg->setObjectName(QStringLiteral("ScrollBarAlg"));
    ScrollBarAlg->setRange(20, 50);
    ScrollBarAlg->setValue(20);
    ScrollBarAlg->setGeometry(200, 112, 420, 24);
    on(ScrollBarAlg, &QScrollBar::valueChanged, [this] { ScrollBarAlgChange(); });

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(700, 96, 60, 24);
    Edit2->hide();

    sUpDown1 = new UpDownSpinner(this);
    sUpDown1->setObjectName(QStringLiteral("sUpDown1"));
    sUpDown1->setMinimum(20);
    sUpDown1->setMaximum(50);
    sUpDown1->setPosition(20);
    sUpDown1->setPartner(Edit2);
    sUpDown1->setGeometry(650, 96, 26, 56);
    sUpDown1->setAccessibleNames(QStringLiteral("Число"));
    on(sUpDown1, &UpDownSpinner::changing, [this] { sUpDown1Changing(); });
    on(Edit2, &QLineEdit::textChanged, [this] { Edit2Change(); });

    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(screenFont(QStringLiteral("Tahoma"), 24));
    Label1->setGeometry(690, 104, 140, 40);

    Button1 = new QPushButton(QStringLiteral("4"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(850, 100, 64, 48);
    Button2 = new QPushButton(QStringLiteral("5"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(926, 100, 64, 48);
    for (QPushButton* button : {Button1, Button2})
        button->setFont(screenFont(QStringLiteral("Tahoma"), 20));
    on(Button1, &QPushButton::clicked, [this] { Button1Click(); });
    on(Button2, &QPushButton::clicked, [this] { Button2Click(); });
    Button1->installEventFilter(this);
    Button2->installEventFilter(this);

    SpinButton1 = new SpinButtonPair(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setGeometry(24, 196, 26, 56);
    SpinButton1->setAccessibleNames(QStringLiteral("Шкала"));
    on(SpinButton1, &SpinButtonPair::upClicked, [this] { SpinButton1UpClick(); });
    on(SpinButton1, &SpinButtonPair::downClicked, [this] { SpinButton1DownClick(); });

    AdvProgressBar3 = progressBar(this, "AdvProgressBar3", 80, QRect(70, 196, 520, 24));
    // Stacked levels: green, then yellow, then red towards the full end.
    AdvProgressBar3->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid #808080; background: #202020; }"
                       "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
                       " stop:0 #20c020, stop:0.6 #20c020, stop:0.61 #e0d020, stop:0.8 #e0d020,"
                       " stop:0.81 #e02020, stop:1 #e02020); }"));
    AdvProgress1 = progressBar(this, "AdvProgress1", 40, QRect(70, 230, 520, 22));

    AdvProgressBar1 = progressBar(this, "AdvProgressBar1", 50, QRect(24, 290, 760, 64));

    PropScrollbar1 = new QScrollBar(Qt::Horizontal, this);
    PropScrollbar1->setObjectName(QStringLiteral("PropScrollbar1"));
    PropScrollbar1->setRange(0, 60);
    PropScrollbar1->setPageStep(40); // the thumb shows the visible part
    PropScrollbar1->setGeometry(24, 390, 760, 20);

    sLabelFX3 = new ShadowLabel(QStringLiteral("Версия 220317"), this);
    sLabelFX3->setObjectName(QStringLiteral("sLabelFX3"));
    sLabelFX3->setFont(screenFont(QStringLiteral("Arial"), 22));
    setTextColor(sLabelFX3, Qt::white);
    setBackgroundColor(sLabelFX3, Teal);
    sLabelFX3->setAlignment(Qt::AlignCenter);
    sLabelFX3->setGeometry(24, 580, 260, 48);
}

double TFormMarkPM::trackBarPosition() const
{
    return AdvSmoothTrackBar4->value() / double(TrackBarScale);
}

QString TFormMarkPM::decimalText(double value) const
{
    QLocale locale = run().locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

void TFormMarkPM::AdvSmoothTrackBar4PositionChanging(double position)
{
    if (position < 2.5)
        setTextColor(Edit1, Qt::red);
    else if (position > 4.5)
        setTextColor(Edit1, Qt::blue);
    Edit1->setText(decimalText(position));
    QLocale locale = run().locale();
    AdvSmoothTrackBar4->setToolTip(locale.toString(position, 'f', 2));
}

void TFormMarkPM::ScrollBarAlgChange()
{
    Edit1->setText(decimalText(ScrollBarAlg->value() / 10.0));
}

void TFormMarkPM::SpinButton1UpClick()
{
    AdvProgressBar3->setValue(AdvProgressBar3->value() + 1);
    AdvProgress1->setValue(AdvProgress1->value() + 1);
}

void TFormMarkPM::SpinButton1DownClick()
{
    AdvProgressBar3->setValue(AdvProgressBar3->value() - 1);
    AdvProgress1->setValue(AdvProgress1->value() - 1);
}

void TFormMarkPM::Button1Click()
{
    Label1->setText(QStringLiteral("4.0"));
    Edit2->setText(QStringLiteral("40"));
    sUpDown1->setPosition(40);
    sUpDown1->setMinimum(35);
    sUpDown1->setMaximum(45);
}

void TFormMarkPM::Button2Click()
{
    Label1->setText(QStringLiteral("5.0"));
    Edit2->setText(QStringLiteral("50"));
    sUpDown1->setPosition(50);
    sUpDown1->setMinimum(45);
    sUpDown1->setMaximum(50);
}

void TFormMarkPM::Edit2Change()
{
    Label1->setText(decimalText(Edit2->text().toInt() / 10.0));
}

bool TFormMarkPM::eventFilter(QObject* watched, QEvent* event)
{
    // The buttons run their bodies on mouse-up too, as the designer bound them.
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Button1)
            run().handle([this] { Button1MouseUp(); });
        else if (watched == Button2)
            run().handle([this] { Button2MouseUp(); });
    }
    return Screen::eventFilter(watched, event);
}
