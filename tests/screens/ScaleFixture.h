#pragma once

// Helpers for the tests of the five scale screens: finding a row's controls by the designer names
// of the screen's own table, and the expected answers written out place by place.

#include "screens/ScaleScreen.h"
#include "support/Controls.h"
#include "support/TestRun.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QWindow>

namespace scale {

inline const char* const Screens[] = {"Form1_Ball", "Form2_House", "Form3_Eff", "Form4_Intrest",
                                      "Form_Dop"};

inline ScaleScreen* screen(TestRun& test, const QString& instance)
{
    auto* found = qobject_cast<ScaleScreen*>(test.screen(qPrintable(instance)));
    if (!found)
        qFatal("%s is not a scale screen", qPrintable(instance));
    return found;
}

inline const ScaleRow& row(const ScaleScreen* s, int r)
{
    return s->table().rows.at(static_cast<std::size_t>(r));
}

inline int rowCount(const ScaleScreen* s)
{
    return static_cast<int>(s->table().rows.size());
}

inline int stepCount(const ScaleScreen* s)
{
    return static_cast<int>(s->table().scale.size());
}

inline QString name(const char* designerName)
{
    return QString::fromLatin1(designerName);
}

inline QLabel* caption(const ScaleScreen* s, int r)
{
    return NEED_NAMED(QLabel, s, name(row(s, r).captionLabel));
}

inline QLabel* value(const ScaleScreen* s, int r)
{
    return NEED_NAMED(QLabel, s, name(row(s, r).valueLabel));
}

inline QPushButton* button(const ScaleScreen* s, int r, int step)
{
    return NEED_NAMED(QPushButton, s, name(row(s, r).buttons.at(static_cast<std::size_t>(step))));
}

inline QWidget* continueButton(const ScaleScreen* s)
{
    return NEED_NAMED(QWidget, s, name(s->table().continueButton));
}

// Whether a respondent sees the row offered: its caption and every one of its buttons.
inline bool rowOffered(const ScaleScreen* s, int r)
{
    if (!controls::seen(caption(s, r)))
        return false;
    for (int step = 0; step < stepCount(s); ++step)
        if (!controls::seen(button(s, r, step)))
            return false;
    return true;
}

// Whether anything of the row is seen.
inline bool anyOfRowSeen(const ScaleScreen* s, int r)
{
    if (controls::seen(caption(s, r)) || controls::seen(value(s, r)))
        return true;
    for (int step = 0; step < stepCount(s); ++step)
        if (controls::seen(button(s, r, step)))
            return true;
    return false;
}

// The answer text of these values, each followed by blanks up to 12 characters.
inline QString places(const QStringList& values)
{
    QString text;
    for (const QString& v : values)
        text += v.leftJustified(12, QLatin1Char(' '));
    return text;
}

inline QString answerOf(const SurveyRun& run, const ScaleScreen* s)
{
    return run.state.*(s->table().answer);
}

// Moves the pointer over a point of a widget, delivered through its window as the platform
// delivers it: the widget under the pointer gets the move.
inline void movePointer(QWidget* over, QPoint local)
{
    QWidget* window = over->window();
    QTest::mouseMove(window->windowHandle(), over->mapTo(window, local));
}

// A point of the panel where none of its shown controls stands.
inline QPoint emptySpot(QWidget* panel)
{
    for (int y = 1; y < panel->height(); y += 3)
        for (int x = 1; x < panel->width(); x += 3)
            if (panel->childAt(x, y) == nullptr)
                return {x, y};
    qFatal("%s has no empty spot", qPrintable(panel->objectName()));
}

} // namespace scale
