#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class GradientPanel;
class QWidget;
class ShadowLabel;

// Colour values of the screens are Windows colour numbers, 0x00BBGGRR: 255 is red, 2629914 is
// RGB 26, 33, 40.
QColor windowsColor(quint32 value);

// The screens name "Arial", "Tahoma" and "MS Sans Serif". Where those are not installed they are
// mapped to installed metric-compatible fonts, never to a monospace fallback.
void installFontSubstitutions();

// A font of the screens, sized in pixels as the designer sized it.
QFont screenFont(const QString& family, int pixelSize, bool bold = true, bool underline = false);

void setTextColor(QWidget* widget, const QColor& color);
// The gradient panel "Shader1" that covers the whole of a screen with the program's navy-to-teal
// background; the screen's controls stand on it.
GradientPanel* addShader(QWidget* screen);
// A line of white bold Arial text with a soft shadow, centred across the whole width of `parent`.
ShadowLabel* addWhiteLine(QWidget* parent, const QString& objectName, const QString& text,
                          int pixelSize, int y, int height);
void setBackgroundColor(QWidget* widget, const QColor& color);
