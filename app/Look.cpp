#include "app/Look.h"

#include "widgets/GradientPanel.h"
#include "widgets/ShadowLabel.h"

#include <QWidget>

QColor windowsColor(quint32 value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont screenFont(const QString& family, int pixelSize, bool bold, bool underline)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void setBackgroundColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

GradientPanel* addShader(QWidget* screen)
{
    auto* shader = new GradientPanel(screen);
    shader->setObjectName(QStringLiteral("Shader1"));
    shader->setColors(QColor(18, 40, 58), QColor(12, 96, 110));
    shader->setOrientation(Qt::Vertical);
    shader->setGeometry(screen->rect());
    return shader;
}

ShadowLabel* addWhiteLine(QWidget* parent, const QString& objectName, const QString& text,
                          int pixelSize, int y, int height)
{
    auto* label = new ShadowLabel(text, parent);
    label->setObjectName(objectName);
    label->setFont(screenFont(QStringLiteral("Arial"), pixelSize));
    setTextColor(label, Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, y, parent->width(), height);
    return label;
}
