#include "screens/Unit0_Zastavka.h"

#include "app/Look.h"
#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr QSize SplashSize(754, 361);
constexpr QSize PictureSize(203, 188);
constexpr quint32 LightGrey = 11316396;
const QColor Teal(0, 110, 120);

// An open book under a graduation cap: the emblem of the survey service.
QPixmap emblem()
{
    QPixmap pixmap(PictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawEllipse(QRectF(8, 4, 187, 180));

    QPainterPath left, right;
    left.moveTo(101, 86);
    left.cubicTo(80, 74, 50, 72, 26, 80);
    left.lineTo(26, 150);
    left.cubicTo(50, 142, 80, 144, 101, 156);
    left.closeSubpath();
    right = QTransform(-1, 0, 0, 1, 202, 0).map(left);
    p.setBrush(QColor(245, 248, 250));
    p.setPen(QPen(QColor(0, 70, 80), 2.5));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(0, 110, 120, 160), 2));
    for (int line = 0; line < 4; ++line) {
        const double y = 98 + line * 13;
        p.drawLine(QPointF(38, y), QPointF(88, y + 4));
        p.drawLine(QPointF(114, y + 4), QPointF(164, y));
    }

    QPolygonF board{{101, 22}, {170, 46}, {101, 70}, {32, 46}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 28, 36));
    p.drawRect(QRectF(70, 50, 62, 26));
    p.drawEllipse(QRectF(70, 66, 62, 18));
    p.setBrush(QColor(34, 44, 54));
    p.drawPolygon(board);
    p.setPen(QPen(QColor(255, 200, 40), 3));
    p.drawLine(QPointF(101, 46), QPointF(156, 62));
    p.drawLine(QPointF(156, 62), QPointF(156, 84));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 40));
    p.drawEllipse(QRectF(151, 82, 10, 12));
    return pixmap;
}

ShadowLabel* line(QWidget* parent, const QString& name, const QString& text, int pixels,
                  const QRect& geometry)
{
    auto* label = new ShadowLabel(text, parent);
    label->setObjectName(name);
    label->setFont(screenFont(QStringLiteral("Arial"), pixels));
    setTextColor(label, Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TForm0_Zastavka::TForm0_Zastavka()
{
    setObjectName(QStringLiteral("Form0_Zastavka"));
    setFixedSize(SplashSize);
    setBackgroundColor(this, windowsColor(LightGrey));
    if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
        QRect geometry(QPoint(), SplashSize);
        geometry.moveCenter(desktop->availableGeometry().center());
        move(geometry.topLeft());
    }

    Shader1 = new GradientPanel(this);
    Shader1->setObjectName(QStringLiteral("Shader1"));
    Shader1->setStartColor(QColor(0, 128, 138));
    Shader1->setEndColor(QColor(8, 52, 64));
    Shader1->setOrientation(Qt::Horizontal);
    Shader1->setGeometry(4, 4, SplashSize.width() - 8, SplashSize.height() - 8);

    Image1 = new QLabel(Shader1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(emblem());
    Image1->setGeometry(QRect(QPoint(26, 48), PictureSize));

    const int textLeft = 238;
    const int textWidth = Shader1->width() - textLeft - 8;
    Label1 =
        line(Shader1, QStringLiteral("Label1"), QStringLiteral("ОБРАЗОВАТЕЛЬНАЯ  БАЗА ДАННЫХ "), 24,
             QRect(textLeft, 74, textWidth, 44));
    Label2 = line(Shader1, QStringLiteral("Label2"), QStringLiteral("ПРОГРАММА ВВОДА ДАННЫХ"), 28,
                  QRect(textLeft, 140, textWidth, 44));
    Label3 = line(Shader1, QStringLiteral("Label3"), QStringLiteral("Версия 140417"), 16,
                  QRect(textLeft, 214, textWidth, 28));
    Label4 = line(Shader1, QStringLiteral("Label4"), QStringLiteral("www.monitoring.example"), 13,
                  QRect(0, 250, 256, 24));
}
