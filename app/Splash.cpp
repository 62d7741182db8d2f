#include "app/Splash.h"

Splash::Splash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {}

void Splash::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    m_painted = true;
}
