#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// Colour values of the screens are Windows colour numbers, 0x00BBGGRR: 255 is red, 2629914 is
// RGB 26, 33, 40.
QColor windowsColor(quint32 value);

// The screens name "Arial", "Tahoma" and "MS Sans Serif". Where those are not installed they are
// mapped to installed metric-compatible fonts, never to a monospace fallback.
void installFontSubstitutions();

// A font of the screens, sized in pixels as the designer sized it.
QFont screenFont(const QString& family, int pixelSize, bool bold = true, bool underline = false);

void setTextColor(QWidget* widget, const QColor& color);
void setBackgroundColor(QWidget* widget, const QColor& color);
